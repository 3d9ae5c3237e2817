#include <Tavrix/App/Application/ColorDialogHelper.h>

#include <Tavrix/App/Application/Application.h>
#include <Tavrix/App/Application/ISettingsManager.h>
#include <Tavrix/Util/Conversions.h>

#include <QColor>
#include <QColorDialog>

#include <glog/logging.h>

#include <algorithm>

namespace Tavrix::App {

namespace {

const std::string GROUP = "Tavrix::App::ColorDialogHelper";
const std::string COUNT_KEY = GROUP + "/ColorsCount";

std::string ColorKey(int index)
{
    return GROUP + "/Color" + std::to_string(index);
}

std::shared_ptr<ISettingsManager> CommonStore()
{
    const auto* application = qobject_cast<const Application*>(QCoreApplication::instance());
    auto store = application ? application->GetSettingsManager() : nullptr;
    if (!store)
        LOG(WARNING) << "No common settings store: the custom colours are not kept";
    return store;
}

} // namespace

ColorDialogHelper::ColorDialogHelper()
{
    const auto store = CommonStore();
    if (!store)
        return;
    // The dialog ignores slots it does not have, so a count beyond them reads nothing more.
    const int count = std::min(store->GetInt(COUNT_KEY, 0), QColorDialog::customCount());
    const std::string black = Util::QStringToUtf8(QColor(Qt::transparent).name());
    for (int i = 0; i < count; ++i) {
        const std::string name = store->GetString(ColorKey(i), black);
        QColorDialog::setCustomColor(i, QColor(Util::Utf8ToQString(name)));
    }
}

ColorDialogHelper::ColorDialogHelper(const ColorDialogHelper&) {}

ColorDialogHelper& ColorDialogHelper::operator=(const ColorDialogHelper&)
{
    return *this;
}

ColorDialogHelper::~ColorDialogHelper()
{
    const auto store = CommonStore();
    if (!store)
        return;
    // Entries of an earlier, longer table must not survive.
    store->Remove(GROUP);
    const int count = QColorDialog::customCount();
    store->SetInt(COUNT_KEY, count);
    for (int i = 0; i < count; ++i)
        store->SetString(ColorKey(i), Util::QStringToUtf8(QColorDialog::customColor(i).name()));
}

} // namespace Tavrix::App
