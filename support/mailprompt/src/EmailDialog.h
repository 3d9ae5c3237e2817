#pragma once

#include <Tavrix/Mail/AbstractEmailDialog.h>

#include <QCoreApplication>
#include <QPointer>

#include <memory>

class QDialog;
class QLabel;
class QLineEdit;
class QWidget;

namespace Tavrix {
class ILinksManager;
}

namespace Tavrix::Mail {

class IEmailStore;

/// A small modal dialog: a line for the address, a hint when its form is wrong, the privacy
/// policy link, and the choice between subscribing and declining.
class EmailDialog : public AbstractEmailDialog
{
    Q_DECLARE_TR_FUNCTIONS(Tavrix::Mail::EmailDialog)

public:
    EmailDialog(std::shared_ptr<IEmailStore> store, std::shared_ptr<ILinksManager> links,
                QWidget* parent);
    ~EmailDialog() override;
    EmailDialog(const EmailDialog&) = delete;
    EmailDialog& operator=(const EmailDialog&) = delete;

    bool Exec() override;

    /// A plain address: a local part and a domain of at least two labels, ASCII only.
    static bool IsWellFormed(const QString& address);

private:
    void Submit();

    std::shared_ptr<IEmailStore> m_store;
    std::shared_ptr<ILinksManager> m_links;
    // The parent window may take the dialog with it before this object goes.
    QPointer<QDialog> m_dialog;
    QLineEdit* m_edit = nullptr;
    QLabel* m_error = nullptr;
};

} // namespace Tavrix::Mail
