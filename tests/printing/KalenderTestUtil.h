#pragma once

#include "report/Page.h"
#include "settings/LayoutSettings.h"
#include "support/TestUtil.h"

#include <QColor>
#include <QRectF>
#include <optional>
#include <vector>

namespace kb::test {

// Settings whose shading and text colours all differ from each other and from white.
LayoutSettings farben();

// Creates the calendar "Test" of `year` and `land` in `dir` as the wizard does; returns the
// path of its calendar file.
QString testKalender(const TempDir &dir, int year, const QString &land = QStringLiteral("Bayern"));

// One printed day line, read back from the display list.
struct Zeile {
    int seite = 0; // 0-based
    int spalte = 0; // 0-based
    QRectF rect;
    QString nummer, wochentag, text, woche;
    QRectF textRect; // the day text's box
    QColor hintergrund;
    QColor textFarbe;
    std::optional<QRectF> symbol;
};
// Every day line in printing order.
std::vector<Zeile> tageszeilen(const report::Document &doc);

struct Spaltenkopf {
    int seite = 0;
    int spalte = 0;
    QString monat;
    QRectF rect; // the band
    QRectF monatRect; // the month name's box
};
std::vector<Spaltenkopf> spaltenkoepfe(const report::Document &doc);

// The texts of the bands of one kind on a page, in drawing order.
std::vector<report::TextItem> texte(const report::Page &page, report::BandKind kind);

// One printed band with what it drew, for layouts whose printables are told apart by place.
struct Band {
    int seite = 0; // 0-based
    int spalte = 0; // 0-based
    QRectF rect;
    std::optional<QColor> hintergrund; // the band's own fill
    std::vector<report::TextItem> texte;
    std::vector<report::PictureItem> bilder;

    // The text whose box starts `left` pixels right of the band's left edge (and, when given,
    // `top` pixels below its top); empty when none does.
    QString textBei(double left, std::optional<double> top = std::nullopt) const;
    const report::TextItem *itemBei(double left, std::optional<double> top = std::nullopt) const;
    // The week label: the text in "Small Fonts" 5 pt; empty when none printed.
    const report::TextItem *wochenItem() const;
    QString wochenLabel() const { return wochenItem() ? wochenItem()->text : QString(); }
};
// Every band of `kind` in printing order.
std::vector<Band> baender(const report::Document &doc, report::BandKind kind);

// A JPEG of `size` in one colour, written to `path` (a real file of the codec).
void jpegSchreiben(const QString &path, const QColor &farbe, const QSize &size = { 640, 480 });
// Stores a JPEG in that colour as the picture of `monat` in the picture table `bildPfad`.
void monatsbildSpeichern(
    const QString &bildPfad, int monat, const QColor &farbe, const QSize &size = { 640, 480 });
// The colour in the middle of a printed picture.
QColor mitte(const report::PictureItem &bild);

} // namespace kb::test
