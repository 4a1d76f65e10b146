#include "pictures/Bildbearbeitung.h"

#include "storage/Table.h"

#include <QPainter>
#include <QPainterPath>

namespace kb {

namespace {

QImage alsRgb32(const QImage &bild)
{
    if (bild.isNull() || bild.format() == QImage::Format_RGB32)
        return bild;
    return bild.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void graustufen(QImage &bild)
{
    if (bild.isNull())
        return;
    bild = alsRgb32(bild);
    const int breite = bild.width();
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < breite; ++x) {
            const QRgb p = zeile[x];
            const int g = grauwert(qRed(p), qGreen(p), qBlue(p));
            zeile[x] = qRgb(g, g, g);
        }
    }
}

void waagerechtSpiegeln(QImage &bild)
{
    bild = alsRgb32(bild).mirrored(true, false);
}

void senkrechtSpiegeln(QImage &bild)
{
    bild = alsRgb32(bild).mirrored(false, true);
}

QImage ovalSchneiden(const QImage &bild)
{
    QImage oval(kOvalGroesse, QImage::Format_RGB32);
    oval.fill(Qt::white);
    QPainter p(&oval);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(QPointF(0, 0), kOvalGroesse));
    p.setClipPath(ellipse);
    p.fillRect(oval.rect(), Qt::black);
    if (!bild.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(oval.rect(), bild);
    }
    return oval;
}

void ovalUmranden(QImage &bild)
{
    if (bild.isNull())
        return;
    bild = alsRgb32(bild);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    // The pen's middle runs 1.5 pixels inside the picture's edge, so all of its width shows.
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(bild.rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

Bildbearbeitung::Bildbearbeitung(const QImage &bild)
    : m_bild(alsRgb32(bild))
    , m_original(m_bild)
{
}

void Bildbearbeitung::waagerechtSpiegeln()
{
    geaendertSetzen();
    kb::waagerechtSpiegeln(m_bild);
}

void Bildbearbeitung::senkrechtSpiegeln()
{
    geaendertSetzen();
    kb::senkrechtSpiegeln(m_bild);
}

void Bildbearbeitung::graustufen()
{
    geaendertSetzen();
    kb::graustufen(m_bild);
}

void Bildbearbeitung::ovalSchneiden()
{
    geaendertSetzen();
    m_bild = kb::ovalSchneiden(m_original);
}

void Bildbearbeitung::ovalUmranden()
{
    geaendertSetzen();
    kb::ovalUmranden(m_bild);
}

void Bildbearbeitung::allesRueckgaengig()
{
    m_geaendert = false;
    m_bild = m_original;
}

void Bildbearbeitung::speichern(Table &bilder) const
{
    bilder.edit();
    bilder.setImage(QStringLiteral("Bild"), m_bild);
    bilder.post();
}

QString bildSpeichernFrage()
{
    return QStringLiteral("Soll das geänderte Bild gespeichert werden?");
}

} // namespace kb
