// Draws Kronoblatt's start-up picture and program icon into the folder given as argument.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kTinte(0x1f, 0x3a, 0x6e);
const QColor kRot(0xc8, 0x28, 0x28);

// A calendar sheet with two rings, a red head and a big "K", inside `r`.
void kalenderblatt(QPainter &p, const QRectF &r)
{
    const double u = r.width() / 32.0; // drawn on a 32-unit grid
    const QRectF blatt(r.left() + 2 * u, r.top() + 5 * u, 28 * u, 26 * u);
    QLinearGradient papier(blatt.topLeft(), blatt.bottomLeft());
    papier.setColorAt(0, QColor(0xff, 0xff, 0xfa));
    papier.setColorAt(1, QColor(0xe6, 0xe8, 0xee));
    p.setPen(Qt::NoPen);
    p.setBrush(papier);
    p.drawRoundedRect(blatt, 2.5 * u, 2.5 * u);

    QPainterPath kopf;
    kopf.setFillRule(Qt::WindingFill);
    kopf.addRoundedRect(QRectF(blatt.left(), blatt.top(), blatt.width(), 8 * u), 2.5 * u, 2.5 * u);
    kopf.addRect(QRectF(blatt.left(), blatt.top() + 4 * u, blatt.width(), 4 * u));
    p.setPen(Qt::NoPen);
    p.setBrush(kRot);
    p.drawPath(kopf.simplified());
    // The outline last, over paper and head alike.
    p.setPen(QPen(kTinte, 1.2 * u));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(blatt, 2.5 * u, 2.5 * u);

    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    for (double x : { 9.0, 23.0 })
        p.drawLine(
            QPointF(r.left() + x * u, r.top() + 2 * u), QPointF(r.left() + x * u, r.top() + 9 * u));

    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(int(17 * u));
    p.setFont(f);
    p.setPen(kTinte);
    p.drawText(QRectF(blatt.left(), blatt.top() + 8 * u, blatt.width(), 18 * u), Qt::AlignCenter,
        QStringLiteral("K"));
}

bool speichern(const QImage &image, const QString &path)
{
    if (!image.save(path)) {
        std::fprintf(stderr, "kann %s nicht schreiben\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QImage programmSymbol(int kante)
{
    QImage image(kante, kante, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    kalenderblatt(p, QRectF(0, 0, kante, kante));
    return image;
}

// The start-up picture: drawn on the key colour of its bottom-left pixel, which the start-up
// window shows transparent. The key is a blue like the window's own, so smoothed edges blend.
QImage startbild()
{
    const QColor key(0, 0, 200);
    QImage image(129, 73, QImage::Format_RGB32);
    image.fill(key);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    kalenderblatt(p, QRectF(2, 4, 64, 64));

    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(19);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(66, 10, 63, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Krono"));
    p.drawText(QRectF(66, 32, 63, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("blatt"));
    f.setBold(false);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(QColor(0xd0, 0xe0, 0xff));
    p.drawText(QRectF(67, 56, 62, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("V 3.0"));
    p.end();
    // The key colour must stay only where nothing was drawn.
    image.setPixel(0, image.height() - 1, key.rgb());
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: kb_mklogo ZIELORDNER\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    QDir().mkpath(dir);
    bool ok = speichern(startbild(), dir + QStringLiteral("KBLogo.bmp"));
    ok = speichern(programmSymbol(256), dir + QStringLiteral("kronoblatt.png")) && ok;
    // The windows' icon, compiled into the program.
    ok = speichern(programmSymbol(48), dir + QStringLiteral("kronoblatt-48.png")) && ok;
    return ok ? 0 : 1;
}
