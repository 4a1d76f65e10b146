#include "widgets/GradientPanel.h"

#include "widgets/Gradient.h"

#include <QPainter>

namespace kb::widgets {

GradientPanel::GradientPanel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientPanel::setGradient(const QColor &top, const QColor &bottom, int steps)
{
    m_top = top;
    m_bottom = bottom;
    m_steps = steps;
    update();
}

void GradientPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (const GradientBand &band : gradientBands(m_top, m_bottom, m_steps, height()))
        p.fillRect(0, band.top, width(), band.height, band.color);
}

} // namespace kb::widgets
