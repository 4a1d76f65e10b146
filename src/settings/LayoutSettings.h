#pragma once

#include "platform/Margins.h"
#include "settings/IniFile.h"

#include <QDate>
#include <QFont>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <utility>

namespace kb {

// The two sections of the settings file.
QString sectionUser(); // "User"
QString sectionFerien(); // "Ferien"

// ---------------------------------------------------------------------------------------
// School-holiday periods

// The nine periods of section Ferien, in the order the file and the dialogs list them.
enum class Ferien {
    Weihnachten1,
    Winter,
    Ostern,
    Himmelfahrt,
    Sommer,
    Herbst,
    Weihnachten2,
    Zusatz,
    Zusatz2
};
inline constexpr int kFerienCount = 9;
// "Weihnachten1", "Winter", ...: the keys are this name + "Beginn" / + "Ende".
QString ferienName(Ferien f);
// "00.00.": the value of an unset bound.
QString ferienUnset();

// One period: begin and end as "dd.mm." without a year; "00.00." means unset.
struct FerienPeriode {
    QString beginn = ferienUnset();
    QString ende = ferienUnset();
    // Where the bounds were read ("Winter" and the settings file), named when a bound is no
    // date; empty for periods from elsewhere.
    QString name = {};
    QString datei = {};

    // False when either bound is "00.00.".
    bool isSet() const;
    // True when `day` lies in the period, both bounds included, each bound completed with
    // the four-digit year of `day`. A bound that forms no valid date with that year throws
    // kb::Error "'<bound><year>' ist kein gültiges Datum", followed by the key and the
    // settings file it was read from when they are known.
    bool contains(const QDate &day) const;
};
using FerienPerioden = std::array<FerienPeriode, kFerienCount>;

// True when `day` lies in any set period (same rules and error as FerienPeriode::contains).
bool inFerien(const FerienPerioden &perioden, const QDate &day);

// ---------------------------------------------------------------------------------------
// Fonts

// The four text groups, each with name, size, colour and four style keys.
enum class FontGroup { Kopf, KopfBand, Monat, Adresse };
inline constexpr int kFontGroupCount = 4;
// "Kopf", "KopfBand", "Monat", "Adresse": prefix of the group's keys
// (KopfSchriftName, KopfSchriftSize, KopfSchriftFarbe, KopfStyleBold ...).
QString fontGroupName(FontGroup g);

struct FontStyles {
    bool bold = true;
    bool italic = true;
    bool underline = true;
    bool strikeOut = true;
    bool operator==(const FontStyles &) const = default;
};

// The style set of a group as the print layouts build it from the file: each style is on
// only when its key holds exactly 1; a missing key counts as 1.
FontStyles readFontStyles(const IniFile &ini, FontGroup g);
FontStyles readFontStyles(const IniFile::Snapshot &ini, FontGroup g);
// The four style key names of a group: bold, italic, underline, strike-out.
const std::array<QString, 4> &fontStyleKeys(FontGroup g);

struct TextFont {
    QString name = QStringLiteral("Arial");
    qint32 size = 8; // points
    qint32 farbe = 200; // colour $00BBGGRR
    FontStyles styles;
};

// A QFont with the stored family name (mapping Windows names to installed faces happens
// where the text is painted), the point size (at least 1) and the styles.
QFont makeFont(const QString &name, int pointSize, const FontStyles &styles);
QFont makeFont(const TextFont &font);

// The family to store after the font dialog confirmed `gewaehlt` for a font stored as
// `gespeichert`: the stored name when the user kept it, also when the dialog answers with the
// installed face standing in for it ("Liberation Sans" for "Arial"), so a settings file shared
// with Windows keeps its names; else the chosen family.
QString gewaehlteSchriftart(const QString &gespeichert, const QString &gewaehlt);

// ---------------------------------------------------------------------------------------
// Margins (whole millimetres in the file)

// Year calendars: KBLeft, KBright, KBTOP, KBBottom; missing keys give 4, 2, 3, 5.
Margins readYearLayoutMargins(const IniFile &ini);
// Month calendars and diary pages: MonatLeft, Monatright, MonatTOP, MonatBottom; missing
// keys give 4, 2, 3, 5 there (not the 10 of the loader).
Margins readMonthLayoutMargins(const IniFile &ini);

// What the margin dialog shows when it opens. Missing year keys give top 4, left 2,
// right 3, bottom 5; missing month keys 10.
struct MarginDialogValues {
    Margins year;
    Margins month;
    bool operator==(const MarginDialogValues &) const = default;
};
MarginDialogValues readMarginDialogValues(const IniFile &ini);
// The range of the margin dialog's spin fields, in millimetres.
inline constexpr int kMarginDialogMin = 0;
inline constexpr int kMarginDialogMax = 40;
// Every value limited to that range: a stored margin outside it shows, and is saved, as the
// nearest limit.
MarginDialogValues clampedMarginDialogValues(const MarginDialogValues &values);
// What "Standard " restores: year top 3, left 4, right 2, bottom 5; every month field 10.
MarginDialogValues standardMarginDialogValues();
// Writes the eight keys in the order KBtop, KBLeft, KBright, KBBottom, MonatTOP, MonatLeft,
// Monatright, MonatBottom.
void writeMarginDialogValues(IniFile &ini, const MarginDialogValues &values);

// ---------------------------------------------------------------------------------------
// Colours and single values read straight from the file

inline constexpr qint32 kDefaultColour = 200; // $000000C8
// The colour the settings file shipped with the program gives `key` (its colour keys, letter
// case ignored): without any settings file the colours are these, since 200 would paint
// weekends and holidays so dark that their text cannot be read. A missing key in an existing
// file still reads as 200.
std::optional<qint32> ausgelieferteFarbe(const QString &key);
inline constexpr qint32 kDialogColourFallback = 100; // $00000064
// A colour key as the settings dialog reads it when it opens: missing or invalid gives 100.
qint32 readDialogColour(const IniFile &ini, const QString &key);
// The values the print layouts read from the file each run (defaults 200, 200, false, "").
qint32 readLinienfarbe(const IniFile &ini);
qint32 readKopfBandFarbe(const IniFile &ini);
bool readSymbole(const IniFile &ini);
QString readBild(const IniFile &ini);
// User/Datei: the calendar form last chosen in the main window (empty when none).
QString readDatei(const IniFile &ini);
void writeDatei(IniFile &ini, const QString &designName);

// ---------------------------------------------------------------------------------------
// The run-time copy of the settings file

// Every field starts with the loader's default.
struct LayoutSettings {
    bool symbole = false;
    FerienPerioden ferien;
    Margins kbMargins { .left = 4, .right = 2, .top = 3, .bottom = 5 };
    Margins monatMargins { .left = 10, .right = 10, .top = 10, .bottom = 10 };
    QString firma = QStringLiteral("RI-DOZU");
    QString bild;
    QString kopftext;
    QString kopfbandtext;
    QString strasse;
    QString ort;
    QString telefon;
    QString fax;
    std::array<TextFont, kFontGroupCount> fonts;
    qint32 monatHintergrundFarbe = kDefaultColour;
    qint32 hintergrundWochenende = kDefaultColour; // Sundays
    qint32 hintergrundSamstag = kDefaultColour;
    qint32 hintergrundFeiertag = kDefaultColour;
    qint32 schriftFarbeUrlaub = kDefaultColour;
    qint32 schriftFarbeKrank = kDefaultColour;
    qint32 hintergrundFarbeFerien = kDefaultColour;
    qint32 bundeslandSchriftFarbe = kDefaultColour;
    qint32 farbeFormular = kDefaultColour;
    // Read at start-up and by the full reload, not by the paint load.
    qint32 linienfarbe = kDefaultColour;
    qint32 kopfBandFarbe = kDefaultColour;

    TextFont &font(FontGroup g) { return fonts[static_cast<int>(g)]; }
    const TextFont &font(FontGroup g) const { return fonts[static_cast<int>(g)]; }
    FerienPeriode &periode(Ferien f) { return ferien[static_cast<int>(f)]; }
    const FerienPeriode &periode(Ferien f) const { return ferien[static_cast<int>(f)]; }

    // At start-up: Linienfarbe and KopfBandFarbe (default 200).
    void loadStartup(const IniFile &ini);
    // The load of every main-window paint, in this order: Symbole; the eighteen Ferien keys;
    // the eight margins; the texts; name, size and colour of the four font groups; the nine
    // colours. A missing or invalid value gives the default. Style values, Linienfarbe and
    // KopfBandFarbe stay as they are.
    void load(const IniFile &ini);
    // The complete reload after the settings dialog saved: load() plus the style values,
    // Linienfarbe and KopfBandFarbe.
    void loadAll(const IniFile &ini);
    // The eighteen keys of section Ferien (default "00.00.").
    void ferieneinlesen(const IniFile &ini);

    // True when `day` lies in one of the school-holiday periods (see FerienPeriode).
    bool inFerien(const QDate &day) const { return kb::inFerien(ferien, day); }

    // Every field except the style values as key and text, in load order (the key spelling
    // of the settings tables; integers and colours in decimal, the flag as 0 or 1), then
    // Linienfarbe and KopfBandFarbe.
    QList<std::pair<QString, QString>> entries() const;

    bool operator==(const LayoutSettings &) const;
};

} // namespace kb
