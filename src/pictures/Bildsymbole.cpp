#include "pictures/Bildsymbole.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kb {

namespace {

const QColor kTinte(0x1f, 0x3a, 0x6e);
const QColor kPapier(0xfb, 0xfb, 0xf4);
const QColor kRot(0xc8, 0x28, 0x28);
const QColor kHimmel(0x6a, 0xa8, 0xe0);
const QColor kWiese(0x4a, 0x9a, 0x4a);

QPen stift(const QColor &c, double w = 2)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A small landscape picture: sky, a hill and a frame.
void landschaft(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kHimmel);
    p.drawRect(r);
    QPainterPath huegel;
    huegel.moveTo(r.left(), r.bottom());
    huegel.quadTo(r.center().x(), r.top() + r.height() * 0.3, r.right(), r.bottom());
    p.setBrush(kWiese);
    p.drawPath(huegel);
    p.setPen(stift(kTinte, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void pfeil(QPainter &p, QPointF von, QPointF nach)
{
    p.setPen(stift(kTinte, 2));
    p.drawLine(von, nach);
    const QLineF l(nach, von);
    for (double winkel : { 30.0, -30.0 }) {
        QLineF spitze(nach, von);
        spitze.setLength(6);
        spitze.setAngle(l.angle() + winkel);
        p.drawLine(spitze);
    }
}

void zeichnen(QPainter &p, Bildsymbol s)
{
    switch (s) {
    case Bildsymbol::Browser:
        landschaft(p, QRectF(3, 5, 18, 14));
        landschaft(p, QRectF(11, 13, 18, 14));
        break;
    case Bildsymbol::Einfuegen:
        p.setPen(stift(kTinte, 1.5));
        p.setBrush(QColor(0xc8, 0x9a, 0x5a));
        p.drawRoundedRect(QRectF(4, 5, 18, 24), 2, 2);
        p.setBrush(kPapier);
        p.drawRect(QRectF(9, 3, 8, 5));
        landschaft(p, QRectF(13, 14, 16, 13));
        break;
    case Bildsymbol::Kopieren:
        p.setPen(stift(kTinte, 1.5));
        p.setBrush(kPapier);
        p.drawRect(QRectF(4, 4, 16, 18));
        landschaft(p, QRectF(12, 11, 16, 17));
        break;
    case Bildsymbol::Loeschen:
        landschaft(p, QRectF(4, 6, 22, 18));
        p.setPen(stift(kRot, 3));
        p.drawLine(QPointF(14, 14), QPointF(28, 28));
        p.drawLine(QPointF(28, 14), QPointF(14, 28));
        break;
    case Bildsymbol::Vergroessern:
        landschaft(p, QRectF(3, 3, 16, 13));
        p.setPen(stift(kTinte, 2));
        p.setBrush(QColor(255, 255, 255, 160));
        p.drawEllipse(QRectF(12, 12, 12, 12));
        p.setPen(stift(kTinte, 3.5));
        p.drawLine(QPointF(22, 22), QPointF(29, 29));
        break;
    case Bildsymbol::Drucken:
        p.setPen(stift(kTinte, 1.5));
        p.setBrush(kPapier);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(0xa0, 0xa8, 0xb8));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(kPapier);
        p.drawRect(QRectF(9, 19, 14, 10));
        break;
    case Bildsymbol::WaagerechtSpiegeln:
        p.setPen(QPen(kTinte, 1.5, Qt::DashLine));
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        pfeil(p, QPointF(13, 16), QPointF(3, 16));
        pfeil(p, QPointF(19, 16), QPointF(29, 16));
        break;
    case Bildsymbol::SenkrechtSpiegeln:
        p.setPen(QPen(kTinte, 1.5, Qt::DashLine));
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        pfeil(p, QPointF(16, 13), QPointF(16, 3));
        pfeil(p, QPointF(16, 19), QPointF(16, 29));
        break;
    case Bildsymbol::Graustufen: {
        QLinearGradient g(4, 0, 28, 0);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, Qt::black);
        p.setPen(stift(kTinte, 1.5));
        p.setBrush(g);
        p.drawRect(QRectF(4, 7, 24, 18));
        break;
    }
    case Bildsymbol::Oval: {
        QPainterPath ellipse;
        ellipse.addEllipse(QRectF(7, 3, 18, 26));
        p.setClipPath(ellipse);
        landschaft(p, QRectF(4, 3, 24, 26));
        p.setClipping(false);
        break;
    }
    case Bildsymbol::OvalRand:
        landschaft(p, QRectF(5, 4, 22, 24));
        p.setPen(stift(Qt::black, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(6, 5, 20, 22));
        break;
    case Bildsymbol::Rueckgaengig: {
        p.setPen(stift(kTinte, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 8, 18, 18), -90 * 16, 270 * 16);
        QPainterPath spitze;
        spitze.moveTo(4, 17);
        spitze.lineTo(12, 17);
        spitze.lineTo(8, 11);
        spitze.closeSubpath();
        p.fillPath(spitze, kTinte);
        break;
    }
    }
}

} // namespace

QIcon bildsymbol(Bildsymbol symbol)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    zeichnen(p, symbol);
    p.end();
    return QIcon(pixmap);
}

} // namespace kb
