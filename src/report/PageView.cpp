#include "report/PageView.h"

#include "report/Renderer.h"

#include <QPainter>
#include <cmath>

namespace kb::report {
namespace {
constexpr int kGap = 16; // grey around the paper
constexpr int kShadow = 5; // offset of the paper's shadow
} // namespace

PageView::PageView(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
}

void PageView::setPage(const Page *page, QSizeF pageSize)
{
    m_page = page;
    if (pageSize != m_pageSize) {
        m_pageSize = pageSize;
        updateGeometry();
        resize(sizeHint().expandedTo(parentWidget() ? parentWidget()->size() : QSize()));
    }
    update();
}

void PageView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.05, 8.0);
    updateGeometry();
    resize(sizeHint().expandedTo(parentWidget() ? parentWidget()->size() : QSize()));
    update();
}

QSize PageView::sizeHint() const
{
    return QSize(int(std::ceil(m_pageSize.width() * m_zoom)) + 2 * kGap + kShadow,
        int(std::ceil(m_pageSize.height() * m_zoom)) + 2 * kGap + kShadow);
}

QRect PageView::paperRect() const
{
    const QSize paper(
        int(std::ceil(m_pageSize.width() * m_zoom)), int(std::ceil(m_pageSize.height() * m_zoom)));
    const int x = std::max(kGap, (width() - paper.width() - kShadow) / 2);
    const int y = std::max(kGap, (height() - paper.height() - kShadow) / 2);
    return QRect(QPoint(x, y), paper);
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const QRect paper = paperRect();
    painter.fillRect(paper.translated(kShadow, kShadow), QColor(0x40, 0x40, 0x40));
    painter.fillRect(paper, Qt::white);
    if (!m_page)
        return;
    painter.setClipRect(paper);
    painter.translate(paper.topLeft());
    renderPage(*m_page, painter, m_zoom);
}

} // namespace kb::report
