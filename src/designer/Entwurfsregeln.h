#pragma once

#include "designer/Formular.h"
#include "designer/Schnappschuss.h"

#include <QColor>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace kb::designer {

// The workspace's scale: 3.7 designer pixels are one millimetre of the printed page.
inline constexpr double kPixelsPerMm = 3.7;
// The workspace is this many pixels wide and high; the bands are as wide as it.
inline constexpr int kWorkspaceSize = 5000;
// Every band but the header starts with its ruler of this height; the header's ruler stands
// above it as a strip of its own.
inline constexpr int kRulerHeight = 50;
// Below every band lies a separator of this height, which resizes the band.
inline constexpr int kSeparatorHeight = 1;
// The ruler's millimetre scale starts this far from the band's left edge.
inline constexpr int kScaleOrigin = 29;

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int roundHalfEven(double value);

// The height a band gets when its separator is dragged to `height`: every band but the
// header band keeps more than its ruler, so 50 or less becomes 51.
int resizedBandHeight(FormBand band, int height);

// Where one band lies on the workspace, in workspace pixels from the top.
struct BandStrip {
    FormBand band;
    int top = 0; // of the band itself; the header's ruler strip lies above it
    int height = 0;
    int separatorTop = 0;
    bool shown = true;
};
// The bands stacked without gaps: header ruler strip, then each shown band and its
// separator. The summary band is never shown; it keeps its height.
std::array<BandStrip, kBandCount> bandLayout(const Formular &form);

// The two column guides of the group and day bands, in pixels from the band's left edge.
struct ColumnGuides {
    int column = 0; // width of one column
    int spacing = 0; // column line plus the column spacing

    friend bool operator==(const ColumnGuides &, const ColumnGuides &) = default;
};
ColumnGuides columnGuides(double pageWidthMm, double columns, double spacingMm);
// The width the guides divide: the page's width as it prints, so an A4 sheet is 210 mm
// across in portrait and 297 mm in landscape.
double guideWidthMm(const FormPage &page);
// Brings the page in line with the panel (orientation box, and the width and height boxes
// while "freie Grösse" is chosen) and gives the guides of the result.
ColumnGuides redrawGuides(Formular &form);

// The panel's paper box: chooses the item and sets the page as the designer does.
void choosePaper(Formular &form, PaperItem item);
// The week box: "ja" shows the week label, "nein" hides it; the label's top is 50 either way.
void chooseWeeks(Formular &form, bool show);

// Texts of the window: status panel 0 for an active band, a band's hint.
QString activeBandText(FormBand band);
QString bandHint(FormBand band);
QString orientationText(OrientationBox box);
QString paperText(PaperItem item);

// Margin fields of the form settings dialog: millimetres as "##0.00" with the German
// decimal comma. A left field with an empty text stays empty; a number above 1000 is refused
// with "Wert zu groß !" in `fehler` (the field gets its earlier text back); anything else that
// is no number gives nullopt and no message.
inline constexpr double kMaxMargin = 1000;
std::optional<QString> randText(const QString &eingabe, QString *fehler = nullptr);
// The margin as a number, nullopt for an empty text or no number.
std::optional<double> randWert(const QString &text);
// The up and down buttons: the number plus `schritt`, unchanged when that is below 0.
QString randSchritt(const QString &text, int schritt);

// The designer's help text: bands, data sources, element types, moving and sizing, first steps.
QString entwurfHilfe();

// A colour as form files store it ($00BBGGRR, system colours with the top byte $80).
QColor formColor(qint32 stored);
qint32 storedColor(const QColor &color);

// One step of the form designer's history.
using FormularSchritt = Schnappschuss<Formular>;

} // namespace kb::designer
