#include "DemoSplash.h"

#include <QPainter>
#include <QPixmap>

DemoSplash::DemoSplash() = default;
DemoSplash::~DemoSplash() = default;

void DemoSplash::Activate()
{
    ++m_activations;
    if (!m_screen) {
        QPixmap picture(360, 160);
        picture.fill(QColor(40, 90, 170));
        QPainter painter(&picture);
        painter.setPen(Qt::white);
        painter.drawPixmap(24, 48, QPixmap(QStringLiteral(":/demo/icon.png")));
        painter.drawText(QRect(100, 0, 260, 160), Qt::AlignVCenter,
                         QStringLiteral("Tavrix Demo 4.1"));
        painter.end();
        m_screen = std::make_unique<QSplashScreen>(picture);
    }
    m_screen->show();
    m_screen->raise();
}

void DemoSplash::FinishOn(QWidget*)
{
    // QSplashScreen::finish() would poll until the window is exposed; the window is shown by
    // now, and the splash may go at once.
    if (m_screen)
        m_screen->close();
}
