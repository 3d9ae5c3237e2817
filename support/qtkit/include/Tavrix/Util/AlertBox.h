#pragma once

#include <Tavrix/qtkit_export.h>

#include <QMessageBox>

namespace Tavrix::Util {

/// The family's message box: a QMessageBox with the product's icon and an optional link.
class QTKIT_EXPORT AlertBox : public QMessageBox
{
    Q_OBJECT

public:
    enum Level { Information = 0, Warning = 1, Critical = 2, Question = 3 };
    Q_ENUM(Level)

    AlertBox(Level level, const QString& title, const QString& text,
             QFlags<QMessageBox::StandardButton> buttons, QWidget* parent = nullptr,
             QFlags<Qt::WindowType> flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~AlertBox() override;

    /// Shows the box modally and returns the button that closed it.
    virtual QMessageBox::StandardButton Exec();

    /// Adds a "Learn more" link below the text; an empty link removes it.
    void SetLearnMoreLink(const QString& link);
    /// Fixes the box's width in pixels.
    void SetWidth(int width);

    /// The window icon of every box created from now on; an unreadable file means no icon.
    static void SetApplicationIcon(const QString& path);
    static QString ApplicationIconPath();
};

} // namespace Tavrix::Util
