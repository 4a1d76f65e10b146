#include "widgets/Symbolbild.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <memory>

namespace kb::widgets {

namespace {

QString datei(const QString &name)
{
    return QStringLiteral(":/symbole/%1.svg").arg(name);
}

QImage zeichnen(QSvgRenderer &svg, int kante)
{
    QImage image(kante, kante, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p, QRectF(0, 0, kante, kante));
    return image;
}

// Grey and faint, as a disabled button's picture.
QImage verblasst(QImage image)
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

// Draws the picture when a size of it is asked for, so building a window costs nothing.
class SvgSymbol : public QIconEngine {
public:
    explicit SvgSymbol(QString name)
        : m_name(std::move(name))
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
            = QStringLiteral("kb-symbol-%1-%2-%3").arg(m_name).arg(kante).arg(int(mode));
        QPixmap pixmap;
        if (QPixmapCache::find(key, &pixmap))
            return pixmap;
        // The file is read once, at the first size asked for.
        if (!m_svg)
            m_svg = std::make_unique<QSvgRenderer>(datei(m_name));
        QImage image = zeichnen(*m_svg, kante);
        if (mode == QIcon::Disabled)
            image = verblasst(image);
        pixmap = QPixmap::fromImage(image);
        QPixmapCache::insert(key, pixmap);
        return pixmap;
    }

    QIconEngine *clone() const override { return new SvgSymbol(m_name); }

private:
    QString m_name;
    std::unique_ptr<QSvgRenderer> m_svg;
};

} // namespace

QIcon symbolbild(const QString &name)
{
    return QIcon(new SvgSymbol(name));
}

QPixmap symbolPixmap(const QString &name, int kante)
{
    QSvgRenderer svg(datei(name));
    return QPixmap::fromImage(zeichnen(svg, kante));
}

} // namespace kb::widgets
