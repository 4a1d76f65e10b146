#include "KalenderTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "storage/Table.h"

#include <QFile>
#include <QImage>
#include <cmath>
#include <stdexcept>

namespace kb::test {

LayoutSettings farben()
{
    LayoutSettings s;
    s.hintergrundFeiertag = 0x0000FF;
    s.hintergrundSamstag = 0x00FF00;
    s.hintergrundWochenende = 0xFF0000;
    s.hintergrundFarbeFerien = 0x00FFFF;
    s.schriftFarbeUrlaub = 0x008000;
    s.schriftFarbeKrank = 0x000080;
    return s;
}

QString testKalender(const TempDir &dir, int year, const QString &land)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Erika");
    e.land = land;
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Test");
    e.jahr = year;
    return kalenderAnlegen(e).dateien.qvkPfad();
}

namespace {

Zeile zeile(const report::Page &page, const report::PlacedBand &band, int seite)
{
    Zeile z;
    z.seite = seite;
    z.spalte = band.column;
    z.rect = band.rect;
    for (std::size_t i = band.firstItem; i < band.firstItem + band.itemCount; ++i) {
        const report::Primitive &p = page.items[i];
        if (const auto *r = std::get_if<report::RectItem>(&p); r && r->fill && r->rect == band.rect)
            z.hintergrund = *r->fill;
        if (const auto *pic = std::get_if<report::PictureItem>(&p))
            z.symbol = pic->rect;
        const auto *t = std::get_if<report::TextItem>(&p);
        if (!t)
            continue;
        if (t->font.family == QLatin1String("Arial"))
            (t->font.bold ? z.nummer : z.wochentag) = t->text;
        else if (t->font.pointSize == 5)
            z.woche = t->text;
        else {
            z.text = t->text;
            z.textFarbe = t->color;
            z.textRect = t->rect;
        }
    }
    return z;
}

} // namespace

std::vector<Zeile> tageszeilen(const report::Document &doc)
{
    std::vector<Zeile> out;
    for (std::size_t s = 0; s < doc.pages.size(); ++s) {
        for (const auto &band : doc.pages[s].bands)
            if (band.kind == report::BandKind::Detail)
                out.push_back(zeile(doc.pages[s], band, int(s)));
    }
    return out;
}

std::vector<report::TextItem> texte(const report::Page &page, report::BandKind kind)
{
    std::vector<report::TextItem> out;
    for (const auto &band : page.bands) {
        if (band.kind != kind)
            continue;
        for (std::size_t i = band.firstItem; i < band.firstItem + band.itemCount; ++i)
            if (const auto *t = std::get_if<report::TextItem>(&page.items[i]))
                out.push_back(*t);
    }
    return out;
}

std::vector<Spaltenkopf> spaltenkoepfe(const report::Document &doc)
{
    std::vector<Spaltenkopf> out;
    for (std::size_t s = 0; s < doc.pages.size(); ++s) {
        const report::Page &page = doc.pages[s];
        for (const auto &band : page.bands) {
            if (band.kind != report::BandKind::ColumnHeader)
                continue;
            Spaltenkopf k { int(s), band.column, {}, band.rect, {} };
            for (std::size_t i = band.firstItem; i < band.firstItem + band.itemCount; ++i)
                if (const auto *t = std::get_if<report::TextItem>(&page.items[i])) {
                    k.monat = t->text;
                    k.monatRect = t->rect;
                }
            out.push_back(k);
        }
    }
    return out;
}

namespace {

bool bei(const QRectF &rect, const QRectF &band, double left, std::optional<double> top)
{
    return std::abs(rect.left() - band.left() - left) < 0.5
        && (!top || std::abs(rect.top() - band.top() - *top) < 0.5);
}

} // namespace

const report::TextItem *Band::itemBei(double left, std::optional<double> top) const
{
    for (const auto &t : texte)
        if (bei(t.rect, rect, left, top))
            return &t;
    return nullptr;
}

const report::TextItem *Band::wochenItem() const
{
    for (const auto &t : texte)
        if (t.font.family == QLatin1String("Small Fonts") && t.font.pointSize == 5)
            return &t;
    return nullptr;
}

QString Band::textBei(double left, std::optional<double> top) const
{
    const report::TextItem *t = itemBei(left, top);
    return t ? t->text : QString();
}

std::vector<Band> baender(const report::Document &doc, report::BandKind kind)
{
    std::vector<Band> out;
    for (std::size_t s = 0; s < doc.pages.size(); ++s) {
        const report::Page &page = doc.pages[s];
        for (const auto &placed : page.bands) {
            if (placed.kind != kind)
                continue;
            Band b;
            b.seite = int(s);
            b.spalte = placed.column;
            b.rect = placed.rect;
            b.hintergrund = placed.background;
            for (std::size_t i = placed.firstItem; i < placed.firstItem + placed.itemCount; ++i) {
                if (const auto *t = std::get_if<report::TextItem>(&page.items[i]))
                    b.texte.push_back(*t);
                if (const auto *p = std::get_if<report::PictureItem>(&page.items[i]))
                    b.bilder.push_back(*p);
            }
            out.push_back(std::move(b));
        }
    }
    return out;
}

void jpegSchreiben(const QString &path, const QColor &farbe, const QSize &size)
{
    QImage bild(size, QImage::Format_RGB32);
    bild.fill(farbe);
    if (!bild.save(path, "JPG", 90))
        throw std::runtime_error("JPEG not written");
}

void monatsbildSpeichern(const QString &bildPfad, int monat, const QColor &farbe, const QSize &size)
{
    const QString jpeg = bildPfad + QStringLiteral(".%1.jpg").arg(monat);
    jpegSchreiben(jpeg, farbe, size);
    Table bilder;
    bilder.setFilePath(bildPfad);
    bilder.open();
    if (!bilder.locate(QStringLiteral("Nr"), monat))
        throw std::runtime_error("month record missing");
    bilder.edit();
    bilder.loadBlobFromFile(QStringLiteral("Bild"), jpeg);
    bilder.post();
    bilder.close();
    QFile::remove(jpeg);
}

QColor mitte(const report::PictureItem &bild)
{
    return bild.image.pixelColor(bild.image.width() / 2, bild.image.height() / 2);
}

} // namespace kb::test
