#include <Tavrix/Util/SpontaneousDialog.h>

#include <QPointer>
#include <QWidget>

namespace Tavrix::Util {
namespace {

QPointer<QWidget>& MainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void SpontaneousDialog::SetMainWindow(QWidget* window)
{
    MainWindow() = window;
}

QWidget* SpontaneousDialog::GetMainWindow()
{
    return MainWindow().data();
}

} // namespace Tavrix::Util
