#include <Tavrix/Util/AlertBox.h>

#include <QIcon>
#include <QLabel>
#include <QGridLayout>

namespace Tavrix::Util {
namespace {

QString& ApplicationIcon()
{
    static QString path;
    return path;
}

QMessageBox::Icon IconOf(AlertBox::Level level)
{
    switch (level) {
    case AlertBox::Information:
        return QMessageBox::Information;
    case AlertBox::Warning:
        return QMessageBox::Warning;
    case AlertBox::Critical:
        return QMessageBox::Critical;
    case AlertBox::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

AlertBox::AlertBox(Level level, const QString& title, const QString& text,
                   QFlags<QMessageBox::StandardButton> buttons, QWidget* parent,
                   QFlags<Qt::WindowType> flags)
    : QMessageBox(IconOf(level), title, text, buttons, parent, flags)
{
    if (!ApplicationIcon().isEmpty())
        setWindowIcon(QIcon(ApplicationIcon()));
}

AlertBox::~AlertBox() = default;

QMessageBox::StandardButton AlertBox::Exec()
{
    return static_cast<QMessageBox::StandardButton>(exec());
}

void AlertBox::SetLearnMoreLink(const QString& link)
{
    // A "Learn more" that leads nowhere is worse than none.
    if (link.isEmpty()) {
        setInformativeText(QString());
        return;
    }
    setInformativeText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(link.toHtmlEscaped(), tr("Learn more")));
    setTextFormat(Qt::RichText);
}

void AlertBox::SetWidth(int width)
{
    // A QMessageBox sizes itself on show; a spacer in its grid is the documented way to widen it.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

void AlertBox::SetApplicationIcon(const QString& path)
{
    ApplicationIcon() = path;
}

QString AlertBox::ApplicationIconPath()
{
    return ApplicationIcon();
}

} // namespace Tavrix::Util
