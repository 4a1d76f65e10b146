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

} // namespace kb::test
