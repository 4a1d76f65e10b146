#pragma once

// The rules every printed day line follows (year, month, week and diary calendars): day-text
// colour, shading, day number, week label, school-holiday test and day symbol. Each is a small
// function of the day's values, so the layouts apply them in their own before-print hooks.

#include "platform/PictureDecode.h"
#include "settings/LayoutSettings.h"

#include <QDate>
#include <QSizeF>
#include <QString>
#include <optional>

namespace kb {
namespace report {
class Band;
class DataSet;
class Label;
class Printable;
class TextPrintable;
} // namespace report
} // namespace kb

namespace kb::Tageszeile {

inline constexpr qint32 kWeiss = 0xFFFFFF;
inline constexpr qint32 kSchwarz = 0x000000;
// The day symbol's box when it shows.
inline constexpr double kSymbolGroesse = 17;

// The values of one day record that the rules read.
struct Tag {
    QDate datum;
    QString tag; // "Mo" .. "So"
    QString text;
    int woche = 0;
    int kennung = 0;
    bool hatSymbol = false; // SymbolBild holds a picture
};

// "Urlaub" prints in SchriftFarbeUrlaub and "Krank" in SchriftFarbeKrank; any other text keeps
// the colour it has (nullopt).
std::optional<qint32> textFarbe(const QString &text, const LayoutSettings &settings);
// After the line printed: the two coloured texts set the colour back to black.
bool textFarbeZuruecksetzen(const QString &text);

// True for "Sa" and "So".
bool istWochenende(const QString &tag);

// The background of a day line. White, or HintergrundFeiertag for a public holiday; then the
// Saturday and Sunday colours; then the school-holiday colour for a working day that is no
// holiday and lies in a period; a holiday always ends with its own colour. So: holiday, then
// Saturday, then Sunday, then school holiday, then white.
qint32 hintergrund(int kennung, const QString &tag, bool inFerien, const LayoutSettings &settings);
// The same for a day, testing the school-holiday periods of `settings`. A period bound that
// forms no date with the day's year throws kb::Error "'<bound><year>' ist kein gültiges Datum".
qint32 hintergrund(const Tag &tag, const LayoutSettings &settings);

// The day of month without a leading zero.
QString tagesNummer(const QDate &datum);

// The week label of the day lines of one generation. Mondays from week 2 on carry
// "Woche <n>"; the first day of week 1 that prints carries "Woche1" (no blank), later week-1
// days none. reset() starts a new generation.
class WochenLabel {
public:
    void reset() { m_woche1Gezeigt = false; }
    QString text(const QString &tag, int woche);

private:
    bool m_woche1Gezeigt = false;
};

// The size a day symbol is kept at: its 17 x 17 box (stretched) in print detail.
PictureFit symbolFit();
// 17 x 17 when symbols are on and the day has a picture; 0 x 0 otherwise.
QSizeF symbolGroesse(bool symbole, bool hatSymbol);

// The printables of a layout's day line that the rules change. Day number and symbol are
// optional: layouts that print the day through the field mask "d" or show no symbol leave
// them null.
struct Teile {
    report::TextPrintable *text = nullptr; // the day text: its colour
    report::Label *woche = nullptr; // the week label
    report::Label *nummer = nullptr; // the day number as a label
    report::Printable *symbol = nullptr; // the day symbol: its size
};

// The day-line rules of every printed calendar, bound to one layout's printables. Before a
// line prints: day-text colour, shading of the line, day number, week label, school-holiday
// test, holiday colour last, symbol size. After it printed: the text colour back to black for
// "Urlaub" and "Krank". The day is read from the report's data set.
class Regeln {
public:
    // `symbole`: the day symbols show (the settings' Symbole); only with a symbol printable.
    Regeln(const report::DataSet &daten, const LayoutSettings &settings, const Teile &teile,
        bool symbole = false);

    // A new generation of the pages: the week-1 label shows again.
    void reset() { m_wochenLabel.reset(); }
    // The day the data set stands on.
    Tag tag() const;
    void vorDruck(report::Band &zeile);
    void nachDruck();

private:
    const report::DataSet &m_daten;
    const LayoutSettings &m_settings;
    Teile m_teile;
    bool m_symbole = false;
    WochenLabel m_wochenLabel;
};

} // namespace kb::Tageszeile
