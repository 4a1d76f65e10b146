#include "BilderTestUtil.h"

#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QPainter>
#include <cstdlib>

namespace kb::test {

QImage zweifarbig(QSize groesse, QColor links, QColor rechts)
{
    QImage bild(groesse, QImage::Format_RGB32);
    QPainter p(&bild);
    const int haelfte = groesse.width() / 2;
    p.fillRect(0, 0, haelfte, groesse.height(), links);
    p.fillRect(haelfte, 0, groesse.width() - haelfte, groesse.height(), rechts);
    return bild;
}

QByteArray testJpeg(QSize groesse, QColor links, QColor rechts)
{
    return jpeg::schreiben(zweifarbig(groesse, links, rechts), 90);
}

QByteArray testBmp(QSize groesse, QColor links, QColor rechts)
{
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    zweifarbig(groesse, links, rechts).save(&puffer, "BMP");
    return bytes;
}

QByteArray mitKopfgroesse(QByteArray jpeg, QSize groesse)
{
    // Start of frame (baseline FFC0 as our encoder writes it): marker, length, precision,
    // then height and width, big-endian.
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        std::abort();
    jpeg[sof + 5] = char(groesse.height() >> 8);
    jpeg[sof + 6] = char(groesse.height() & 0xFF);
    jpeg[sof + 7] = char(groesse.width() >> 8);
    jpeg[sof + 8] = char(groesse.width() & 0xFF);
    return jpeg;
}

QString bildDatei(const QString &pfad, const QByteArray &bytes)
{
    writeAll(pfad, bytes);
    return pfad;
}

bool aehnlich(QColor a, QColor b, int toleranz)
{
    return std::abs(a.red() - b.red()) <= toleranz && std::abs(a.green() - b.green()) <= toleranz
        && std::abs(a.blue() - b.blue()) <= toleranz;
}

} // namespace kb::test
