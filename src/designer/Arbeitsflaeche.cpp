#include "designer/Arbeitsflaeche.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kb::designer {

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kSkala(0x6C, 0x6C, 0xFF); // $00FF6C6C
const QColor kGelb(0xFF, 0xFF, 0x00);

} // namespace

GriffItem::GriffItem(Arbeitsflaeche *flaeche, int kante)
    : m_flaeche(flaeche)
    , m_kante(kante)
{
    setFlag(ItemIgnoresTransformations);
    setZValue(1e6);
    const bool waagrecht = kante & 3, senkrecht = kante & 12;
    if (waagrecht && senkrecht)
        setCursor(kante == 5 || kante == 10 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    else
        setCursor(waagrecht ? Qt::SizeHorCursor : Qt::SizeVerCursor);
}

QPointF GriffItem::stelle(const QRectF &r, int kante)
{
    const qreal x = (kante & 1) ? r.left() : ((kante & 2) ? r.right() : r.center().x());
    const qreal y = (kante & 4) ? r.top() : ((kante & 8) ? r.bottom() : r.center().y());
    return { x, y };
}

QRectF GriffItem::boundingRect() const
{
    return QRectF(-4, -4, 8, 8);
}

void GriffItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    p->fillRect(QRectF(-3.5, -3.5, 7, 7), Qt::black);
    p->fillRect(QRectF(-2.5, -2.5, 5, 5), Qt::white);
}

void GriffItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_flaeche->ziehenBeginnen();
    event->accept();
}

void GriffItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    m_flaeche->griffZiehen(m_kante, event->scenePos() - event->buttonDownScenePos(Qt::LeftButton));
}

void GriffItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    m_flaeche->griffZiehen(m_kante, event->scenePos() - event->buttonDownScenePos(Qt::LeftButton));
    m_flaeche->ziehenBeenden(QStringLiteral("Elementgröße"));
}

EntwurfAnsicht::EntwurfAnsicht(QGraphicsScene *szene, Arbeitsflaeche *flaeche, QWidget *parent)
    : QGraphicsView(szene, parent)
    , m_flaeche(flaeche)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlag(QGraphicsView::DontSavePainterState);
    setFocusPolicy(Qt::StrongFocus);
}

void EntwurfAnsicht::setZoom(int prozent)
{
    const int neu = std::clamp(prozent, 50, 400);
    if (neu == m_zoom)
        return;
    m_zoom = neu;
    setTransform(QTransform::fromScale(m_zoom / 100.0, m_zoom / 100.0));
    Q_EMIT zoomGeaendert(m_zoom);
}

void EntwurfAnsicht::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom + (event->angleDelta().y() > 0 ? 25 : -25));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void EntwurfAnsicht::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Plus:
            setZoom(m_zoom + 25);
            return;
        case Qt::Key_Minus:
            setZoom(m_zoom - 25);
            return;
        case Qt::Key_0:
            setZoom(100);
            return;
        default:
            break;
        }
    }
    const int schritt = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    if (m_flaeche->hatAuswahl()) {
        switch (event->key()) {
        case Qt::Key_Left:
            m_flaeche->verschieben(-schritt, 0);
            return;
        case Qt::Key_Right:
            m_flaeche->verschieben(schritt, 0);
            return;
        case Qt::Key_Up:
            m_flaeche->verschieben(0, -schritt);
            return;
        case Qt::Key_Down:
            m_flaeche->verschieben(0, schritt);
            return;
        default:
            break;
        }
    }
    QGraphicsView::keyPressEvent(event);
}

void paintLineal(QPainter *p, const QRectF &rect, const QString &caption, bool aktiv,
    qreal ursprung, qreal pixelProMm)
{
    p->fillRect(rect, aktiv ? kGelb : QColor(Qt::white));
    const qreal unten = rect.bottom();
    p->setPen(QPen(kSkala, 0));
    p->drawLine(QPointF(rect.left(), unten), QPointF(rect.right(), unten));
    const QRectF sichtbar = p->clipBoundingRect().isEmpty() ? rect : p->clipBoundingRect();
    const int von = std::max(0, int((sichtbar.left() - ursprung) / pixelProMm) - 1);
    const int bis = std::min(int((rect.right() - ursprung) / pixelProMm),
        int((sichtbar.right() - ursprung) / pixelProMm) + 1);
    QFont zahlen;
    zahlen.setPixelSize(9);
    p->setFont(zahlen);
    for (int mm = von; mm <= bis; ++mm) {
        const qreal x = ursprung + mm * pixelProMm;
        const qreal laenge = mm % 10 == 0 ? 10 : mm % 5 == 0 ? 6 : 3;
        p->drawLine(QPointF(x, unten - laenge), QPointF(x, unten));
        if (mm % 10 == 0 && mm > 0)
            p->drawText(QPointF(x + 2, unten - 4), QString::number(mm));
    }
    QFont titel;
    titel.setPixelSize(16);
    titel.setBold(true);
    p->setFont(titel);
    p->setPen(kNavy);
    p->drawText(
        QRectF(rect.left() + 4, rect.top() + 2, 600, 20), Qt::AlignLeft | Qt::AlignTop, caption);
}

} // namespace kb::designer
