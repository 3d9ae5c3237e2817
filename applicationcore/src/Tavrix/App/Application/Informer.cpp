#include <Tavrix/App/Application/Informer.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QToolTip>
#include <QUrl>

namespace Tavrix::App {

namespace {
const char* const DEFAULT_ICON = ":/Icons/large_icon.png";
const char* const MAIL_PREFIX = "mailto:";
constexpr int WIDTH = 450;
} // namespace

class Informer::Private
{
public:
    QWidget* Parent() const { return parentGetter ? parentGetter() : nullptr; }

    // Guarded: the box dies with its parent widget, which need not be the informer's.
    QPointer<Util::AlertBox> dialog;
    std::function<QWidget*()> parentGetter;
};

Informer::Informer(const std::function<QWidget*()>& parentGetter) : d(std::make_unique<Private>())
{
    d->parentGetter = parentGetter;
    setParent(d->Parent());
}

Informer::~Informer() = default;

QFlags<QMessageBox::StandardButton> Informer::ExecDialog(const QString& text,
                                                         const QString& learnMoreLink,
                                                         const QString& iconPath,
                                                         Util::AlertBox::Level level)
{
    QPointer<Util::AlertBox> box
        = new Util::AlertBox(level, QString(), text, QMessageBox::Ok, d->Parent(),
                             Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    d->dialog = box;
    box->setObjectName(QStringLiteral("Informer_AlertBox"));
    box->setIconPixmap(QPixmap(iconPath.isEmpty() ? QString::fromLatin1(DEFAULT_ICON) : iconPath));
    box->setWindowIcon(QIcon(QString::fromLatin1(DEFAULT_ICON)));
    box->SetLearnMoreLink(learnMoreLink);
    for (QLabel* label : box->findChildren<QLabel*>()) {
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        label->setOpenExternalLinks(false);
        connect(label, &QLabel::linkActivated, this, &Informer::OnDialogLinkActivated);
    }
    box->SetWidth(WIDTH);

    const QPointer<Informer> self(this);
    const QMessageBox::StandardButton result = box->Exec();
    // The informer may have gone while the box was open (with its parent widget, say): then
    // only the box, if it is still there, is released.
    if (box)
        box->deleteLater();
    if (self)
        d->dialog = nullptr;
    return result;
}

bool Informer::Close()
{
    return d->dialog ? d->dialog->close() : true;
}

void Informer::OnDialogLinkActivated(const QString& link)
{
    const QString prefix = QString::fromLatin1(MAIL_PREFIX);
    if (!link.contains(prefix, Qt::CaseInsensitive)
        && QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode)))
        return;
    if (!qobject_cast<QWidget*>(sender()))
        return;
    QString address = link;
    address.remove(prefix, Qt::CaseInsensitive);
    QApplication::clipboard()->setText(address, QClipboard::Clipboard);
    QToolTip::showText(QCursor::pos(), tr("Email address has been copied to the clipboard"));
}

} // namespace Tavrix::App
