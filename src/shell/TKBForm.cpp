#include "shell/TKBForm.h"

#include "shell/Startfenster.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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
    setLogo(kb::logoLaden(logoPfad()));
}

void TKBForm::setLogo(const QImage &logo)
{
    m_logo = logo;
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
}

void TKBForm::paintEvent(QPaintEvent *)
{
    if (m_verlauf.height() != height()) {
        m_verlauf = QImage(1, height(), QImage::Format_RGB32);
        for (int y = 0; y < height(); ++y)
            m_verlauf.setPixel(0, y, startfensterFarbe(y).rgb());
    }
    QPainter p(this);
    p.drawImage(rect(), m_verlauf);
    if (!m_logo.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(16, 16, 129, 73), m_logo);
    }
}

} // namespace kb
