#include "shell/Symbole.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <functional>

namespace kb {

namespace {

using Zeichner = std::function<void(QPainter &)>;

const QColor kTinte(0x1f, 0x3a, 0x6e);
const QColor kPapier(0xfb, 0xfb, 0xf4);
const QColor kRot(0xc8, 0x28, 0x28);
const QColor kGruen(0x2a, 0x8a, 0x3a);
const QColor kGold(0xe8, 0xb0, 0x30);

// Draws the picture when a size of it is asked for, so building the window costs nothing.
class GemaltesSymbol : public QIconEngine {
public:
    explicit GemaltesSymbol(Zeichner zeichner)
        : m_zeichner(std::move(zeichner))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->drawPixmap(
            rect, pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, QIcon::Off));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int kante = std::max(1, std::min(size.width(), size.height()));
        const QString key
            = QStringLiteral("kb-symbol-%1-%2-%3").arg(quintptr(this)).arg(kante).arg(int(mode));
        QPixmap pixmap;
        if (QPixmapCache::find(key, &pixmap))
            return pixmap;
        QImage image(kante, kante, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kante / 32.0, kante / 32.0);
        m_zeichner(p);
        p.end();
        if (mode == QIcon::Disabled)
            image = verblasst(image);
        pixmap = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new GemaltesSymbol(m_zeichner); }

private:
    // Grey and faint, as a disabled button's picture.
    static QImage verblasst(QImage image)
    {
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(line[x]) / 2;
                const int g = qGray(line[x]) / 2 + 64;
                line[x] = qRgba(g * a / 255, g * a / 255, g * a / 255, a);
            }
        }
        return image;
    }

    Zeichner m_zeichner;
};

QIcon malen(const Zeichner &zeichner)
{
    return QIcon(new GemaltesSymbol(zeichner));
}

QPen stift(const QColor &c, double w = 1.6)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void blatt(QPainter &p, const QRectF &r = QRectF(6, 3, 20, 26))
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(stift(kTinte));
    p.setBrush(kPapier);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 6, r.top()), QPointF(r.right() - 6, r.top() + 6));
    p.drawLine(QPointF(r.right() - 6, r.top() + 6), QPointF(r.right(), r.top() + 6));
}

void kalenderblatt(QPainter &p, const QString &text)
{
    const QRectF r(4, 6, 24, 22);
    p.setPen(stift(kTinte));
    p.setBrush(kPapier);
    p.drawRoundedRect(r, 2, 2);
    p.setBrush(kRot);
    p.drawRect(QRectF(4, 6, 24, 6));
    p.setPen(stift(kTinte, 2));
    p.drawLine(QPointF(10, 3), QPointF(10, 9));
    p.drawLine(QPointF(22, 3), QPointF(22, 9));
    if (!text.isEmpty()) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kTinte);
        p.drawText(QRectF(4, 12, 24, 16), Qt::AlignCenter, text);
    }
}

void plus(QPainter &p, const QPointF &c, const QColor &farbe = kGruen)
{
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawEllipse(c, 7, 7);
    p.setPen(stift(Qt::white, 2.4));
    p.drawLine(c + QPointF(-4, 0), c + QPointF(4, 0));
    p.drawLine(c + QPointF(0, -4), c + QPointF(0, 4));
}

void kreuz(QPainter &p, const QPointF &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kRot);
    p.drawEllipse(c, 7, 7);
    p.setPen(stift(Qt::white, 2.4));
    p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
    p.drawLine(c + QPointF(3.5, -3.5), c + QPointF(-3.5, 3.5));
}

void ordner(QPainter &p)
{
    p.setPen(stift(QColor(0x8a, 0x60, 0x10)));
    p.setBrush(QColor(0xf0, 0xc0, 0x50));
    QPainterPath hinten;
    hinten.moveTo(3, 8);
    hinten.lineTo(12, 8);
    hinten.lineTo(14, 11);
    hinten.lineTo(27, 11);
    hinten.lineTo(27, 26);
    hinten.lineTo(3, 26);
    hinten.closeSubpath();
    p.drawPath(hinten);
    p.setBrush(QColor(0xf8, 0xd8, 0x78));
    QPainterPath vorne;
    vorne.moveTo(3, 26);
    vorne.lineTo(7, 15);
    vorne.lineTo(30, 15);
    vorne.lineTo(27, 26);
    vorne.closeSubpath();
    p.drawPath(vorne);
}

void schloss(QPainter &p)
{
    p.setPen(stift(QColor(0x60, 0x60, 0x60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 4, 12, 14), 0, 180 * 16);
    p.drawLine(QPointF(10, 11), QPointF(10, 15));
    p.drawLine(QPointF(22, 11), QPointF(22, 15));
    p.setPen(stift(QColor(0x8a, 0x60, 0x10)));
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(6, 14, 20, 15), 2, 2);
    p.setBrush(kTinte);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 20), 2.2, 2.2);
    p.drawRect(QRectF(15.2, 20, 1.6, 5));
}

void tuer(QPainter &p)
{
    p.setPen(stift(QColor(0x5a, 0x3a, 0x1a)));
    p.setBrush(QColor(0xb0, 0x78, 0x40));
    p.drawRect(QRectF(5, 3, 15, 26));
    p.setBrush(kGold);
    p.drawEllipse(QPointF(16, 16), 1.4, 1.4);
    p.setPen(stift(kRot, 3));
    p.drawLine(QPointF(18, 16), QPointF(29, 16));
    p.drawLine(QPointF(25, 12), QPointF(29, 16));
    p.drawLine(QPointF(25, 20), QPointF(29, 16));
}

void buch(QPainter &p, const QColor &farbe)
{
    p.setPen(stift(kTinte));
    p.setBrush(farbe);
    p.drawRoundedRect(QRectF(7, 3, 19, 26), 2, 2);
    p.setBrush(kPapier);
    p.drawRect(QRectF(10, 6, 13, 6));
    p.setPen(stift(QColor(0x90, 0x90, 0x90), 2));
    for (int y : { 8, 14, 20, 26 })
        p.drawLine(QPointF(4, y), QPointF(9, y));
}

void bild(QPainter &p)
{
    p.setPen(stift(kTinte));
    p.setBrush(QColor(0xbf, 0xdf, 0xff));
    p.drawRect(QRectF(3, 6, 26, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(22, 12), 3, 3);
    p.setBrush(kGruen);
    QPainterPath berg;
    berg.moveTo(3.8, 25.2);
    berg.lineTo(12, 13);
    berg.lineTo(18, 21);
    berg.lineTo(21, 18);
    berg.lineTo(28.2, 25.2);
    berg.closeSubpath();
    p.drawPath(berg);
}

void formular(QPainter &p)
{
    blatt(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5f, 0x8f, 0xcf));
    p.drawRect(QRectF(9, 8, 10, 4));
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRect(QRectF(9, 15, 14, 2));
    p.drawRect(QRectF(9, 19, 14, 2));
    p.drawRect(QRectF(9, 23, 9, 2));
}

void drucker(QPainter &p)
{
    p.setPen(stift(kTinte));
    p.setBrush(kPapier);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(0xa8, 0xb0, 0xc0));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(kPapier);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(stift(QColor(0x90, 0x90, 0x90), 1.2));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(19, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(kGruen);
    p.drawEllipse(QPointF(25, 15.5), 1.4, 1.4);
}

void person(QPainter &p)
{
    p.setPen(stift(kTinte));
    p.setBrush(QColor(0xf2, 0xc8, 0xa0));
    p.drawEllipse(QPointF(14, 10), 5, 5.5);
    p.setBrush(QColor(0x5f, 0x8f, 0xcf));
    QPainterPath koerper;
    koerper.moveTo(4, 29);
    koerper.cubicTo(4, 18, 24, 18, 24, 29);
    koerper.closeSubpath();
    p.drawPath(koerper);
}

void pfeil(QPainter &p, bool links, bool ende)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kTinte);
    QPainterPath dreieck;
    const double spitze = links ? 9 : 23;
    const double basis = links ? 21 : 11;
    dreieck.moveTo(spitze, 16);
    dreieck.lineTo(basis, 7);
    dreieck.lineTo(basis, 25);
    dreieck.closeSubpath();
    p.drawPath(dreieck);
    if (ende)
        p.drawRect(QRectF(links ? 5 : 24, 7, 3, 18));
}

void stiftSymbol(QPainter &p)
{
    p.setPen(stift(kTinte));
    p.setBrush(kGold);
    QPainterPath path;
    path.moveTo(6, 26);
    path.lineTo(8, 20);
    path.lineTo(22, 6);
    path.lineTo(26, 10);
    path.lineTo(12, 24);
    path.closeSubpath();
    p.drawPath(path);
}

void haken(QPainter &p)
{
    p.setPen(stift(kGruen, 4));
    p.drawLine(QPointF(6, 17), QPointF(13, 24));
    p.drawLine(QPointF(13, 24), QPointF(26, 8));
}

void nein(QPainter &p)
{
    p.setPen(stift(kRot, 4));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void aktualisieren(QPainter &p)
{
    p.setPen(stift(kTinte, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 7, 18, 18), 60 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kTinte);
    QPainterPath spitze;
    spitze.moveTo(19, 3);
    spitze.lineTo(26, 9);
    spitze.lineTo(17, 12);
    spitze.closeSubpath();
    p.drawPath(spitze);
}

void breite(QPainter &p)
{
    p.setPen(stift(kTinte));
    p.setBrush(kPapier);
    p.drawRect(QRectF(3, 8, 26, 16));
    p.drawLine(QPointF(12, 8), QPointF(12, 24));
    p.setPen(stift(kRot, 2));
    p.drawLine(QPointF(15, 16), QPointF(26, 16));
    p.drawLine(QPointF(22, 13), QPointF(26, 16));
    p.drawLine(QPointF(22, 19), QPointF(26, 16));
}

void seite(QPainter &p)
{
    blatt(p);
    p.setPen(QPen(QColor(0x5f, 0x8f, 0xcf), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9, 9, 12, 16));
}

void zahnrad(QPainter &p)
{
    p.setPen(stift(QColor(0x40, 0x40, 0x40)));
    p.setBrush(QColor(0xa8, 0xb0, 0xc0));
    QPainterPath rad;
    const QPointF c(16, 16);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45);
        p.drawRect(QRectF(-2.5, -14, 5, 6));
        p.restore();
    }
    p.drawEllipse(c, 9, 9);
    p.setBrush(kPapier);
    p.drawEllipse(c, 3.5, 3.5);
}

Zeichner zeichnerFuer(Befehl befehl)
{
    switch (befehl) {
    case Befehl::Anlegen:
    case Befehl::NavNeu:
        return [](QPainter &p) {
            kalenderblatt(p, {});
            plus(p, { 22, 22 });
        };
    case Befehl::Oeffnen:
    case Befehl::NavOeffnen:
        return ordner;
    case Befehl::Schliessen:
    case Befehl::NavSchliessen:
        return [](QPainter &p) {
            kalenderblatt(p, {});
            kreuz(p, { 22, 22 });
        };
    case Befehl::Passwort:
    case Befehl::NavPasswort:
        return schloss;
    case Befehl::Beenden:
        return tuer;
    case Befehl::NavOrganizer:
        return [](QPainter &p) { buch(p, QColor(0x5f, 0x8f, 0xcf)); };
    case Befehl::NavBilderTexte:
        return bild;
    case Befehl::NavDesigner:
        return formular;
    case Befehl::NavKronoblattDrucken:
        return drucker;
    case Befehl::NavStammNeu:
        return [](QPainter &p) {
            person(p);
            plus(p, { 24, 9 });
        };
    case Befehl::NavStammOeffnen:
        return person;
    case Befehl::TagErster:
        return [](QPainter &p) { pfeil(p, true, true); };
    case Befehl::TagVoriger:
        return [](QPainter &p) { pfeil(p, true, false); };
    case Befehl::TagNaechster:
        return [](QPainter &p) { pfeil(p, false, false); };
    case Befehl::TagLetzter:
        return [](QPainter &p) { pfeil(p, false, true); };
    case Befehl::TagBearbeiten:
        return stiftSymbol;
    case Befehl::TagSpeichern:
        return haken;
    case Befehl::TagVerwerfen:
        return nein;
    case Befehl::TagAktualisieren:
        return aktualisieren;
    case Befehl::Jahreskalender:
        return [](QPainter &p) { kalenderblatt(p, QStringLiteral("12")); };
    case Befehl::Wochenkalender:
        return [](QPainter &p) { kalenderblatt(p, QStringLiteral("7")); };
    case Befehl::Monatskalender:
        return [](QPainter &p) {
            kalenderblatt(p, {});
            p.save();
            p.translate(8, 13);
            p.scale(0.5, 0.5);
            bild(p);
            p.restore();
        };
    case Befehl::Tagebuch:
        return [](QPainter &p) { buch(p, QColor(0x8a, 0x3a, 0x2a)); };
    case Befehl::Feldgroesse:
        return breite;
    case Befehl::Seiteneinstellungen:
        return seite;
    case Befehl::Einstellungen:
        return zahnrad;
    default:
        return {};
    }
}

} // namespace

QIcon symbol(Befehl befehl)
{
    const Zeichner z = zeichnerFuer(befehl);
    return z ? malen(z) : QIcon();
}

QImage programmSymbolBild()
{
    return QImage(QStringLiteral(":/kronoblatt/kronoblatt-48.png"));
}

QIcon programmSymbol(const QImage &bild)
{
    // The window system gets the icon with each window: a few small sizes, not the 256-pixel
    // picture the desktop shows for the program.
    if (bild.isNull())
        return malen([](QPainter &p) { kalenderblatt(p, QStringLiteral("K")); });
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(bild));
    for (const int kante : { 16, 32 }) {
        icon.addPixmap(QPixmap::fromImage(
            bild.scaled(kante, kante, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return icon;
}

} // namespace kb
