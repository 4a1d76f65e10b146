#include "widgets/OvalButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kb::widgets {

namespace {

QPainterPath oval(const QRectF &r)
{
    QPainterPath path;
    const double radius = r.height() / 2;
    path.addRoundedRect(r, radius, radius);
    return path;
}

} // namespace

OvalButton::OvalButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void OvalButton::setFaceColor(const QColor &color)
{
    m_face = color;
    update();
}

QSize OvalButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int h = fm.height() + 10;
    return { fm.horizontalAdvance(text()) + h + 8, h };
}

QSize OvalButton::minimumSizeHint() const
{
    return sizeHint();
}

bool OvalButton::hitButton(const QPoint &pos) const
{
    return oval(QRectF(rect())).contains(pos);
}

void OvalButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    QColor face = isEnabled() ? m_face : QColor(0xb4, 0xb4, 0xb4);
    if (isEnabled() && underMouse())
        face = face.lighter(115);
    const bool down = isDown() || isChecked();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, down ? face.darker(130) : face.lighter(150));
    g.setColorAt(0.5, face);
    g.setColorAt(1, down ? face.lighter(120) : face.darker(130));
    p.setPen(QPen(face.darker(170), 1));
    p.setBrush(g);
    p.drawPath(oval(r));

    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(oval(r.adjusted(3, 3, -3, -3)));
    }

    p.setPen(isEnabled() ? Qt::white : QColor(0xee, 0xee, 0xee));
    p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

} // namespace kb::widgets
