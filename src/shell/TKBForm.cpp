#include "shell/TKBForm.h"

#include "shell/Startfenster.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace kb {

TKBForm::TKBForm(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Kronoblatt"));
    setFixedSize(274, 176);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TKBForm::logoLaden()
{
    m_logo = kb::logoLaden(logoPfad());
    update();
}

void TKBForm::zeigen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    // The window shows only once the window system exposed it; until then a paint goes
    // nowhere. The rest of start-up runs without an event loop, so wait for it here.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TKBForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (int y = 0; y < height(); ++y) {
        p.setPen(startfensterFarbe(y));
        p.drawLine(0, y, width() - 1, y);
    }
    if (!m_logo.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(16, 16, 129, 73), m_logo);
    }
}

} // namespace kb
