#pragma once

#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace kb {

// What the settings dialog "Kronoblatt-Einstellungen" shows and saves, without its widgets.

// The colour keys the dialog edits with a picker.
enum class EinstFarbe {
    KopfBandFarbe,
    MonatHintergrundFarbe,
    HintergrundWochenende,
    HintergrundSamstag,
    HintergrundFeiertag,
    HintergrundFarbeFerien,
    SchriftFarbeUrlaub,
    SchriftFarbeKrank,
    Linienfarbe,
};
inline constexpr int kEinstFarbeCount = 9;
// The key of a picker's colour ("KopfBandFarbe", ...).
QString einstFarbeKey(EinstFarbe f);

// The text fields of the dialog.
enum class EinstText { Firma, Bild, Kopftext, Kopfbandtext, Strasse, Ort, Telefon, Fax };
inline constexpr int kEinstTextCount = 8;
QString einstTextKey(EinstText t);

// A date field of the holiday tab: five characters "dd.mm", as the masked field shows it
// (unfilled positions as "_" or blanks).
using FerienFelder = std::array<std::array<QString, 2>, kFerienCount>;

struct KalenderEinstWerte {
    bool symbole = false;
    std::array<QString, kEinstTextCount> texte;
    // Name, size, colour and the four style flags of each font group.
    std::array<TextFont, kFontGroupCount> fonts;
    std::array<qint32, kEinstFarbeCount> farben {};
    FerienFelder ferien; // [period][0 begin, 1 end]

    QString &text(EinstText t) { return texte[static_cast<int>(t)]; }
    const QString &text(EinstText t) const { return texte[static_cast<int>(t)]; }
    qint32 &farbe(EinstFarbe f) { return farben[static_cast<int>(f)]; }
    qint32 farbe(EinstFarbe f) const { return farben[static_cast<int>(f)]; }
    TextFont &font(FontGroup g) { return fonts[static_cast<int>(g)]; }
    const TextFont &font(FontGroup g) const { return fonts[static_cast<int>(g)]; }
};

// Fills the dialog's values from the settings file when it opens, and copies what the dialog
// reads into `layout`: Symbole; the eighteen holiday keys; the texts; the colours of Urlaub,
// Krank and Ferien; the four font groups; the remaining pickers. A missing colour key gives
// 100 here (not the loader's 200), shown and copied. The sixteen style flags come from the
// style keys (exactly 1 is on), so a save keeps the stored styles of fonts left alone. The
// date fields show the holiday dates without their trailing dot (24.12. as 24.12).
KalenderEinstWerte kalenderEinstFuellen(const IniFile &ini, LayoutSettings &layout);

// "dd.mm" of a stored holiday date "dd.mm.".
QString ferienFeldText(const QString &gespeichert);
// True when a date field holds no digit at all.
bool ferienFeldLeer(const QString &feld);

// The period check of one row for the calendar year `jahr`: nullopt when the row is valid
// (both fields "00.00", or two valid dates of `jahr` with the begin not after the end),
// otherwise the message to show ("30.02.2004 bis 05.03.2004 ist keine gültige
// Datumsangabe" CR LF "Wenn es für diesen Bereich keine Ferien gibt: bei Beginn u.Ende
// 00.00 eingeben!").
std::optional<QString> ferienPeriodeFehler(const QString &beginn, const QString &ende, int jahr);

// "Speichern und schliessen", for the open calendar's year `jahr`:
// 1. every entirely unfilled date field becomes "00.00" (in `werte`, so the dialog shows it);
// 2. period by period: check, then write begin and end with a trailing dot; at the first
//    invalid period show its message through the Ui seam and return false, the periods
//    before it written and nothing after it;
// 3. write the other keys in their fixed order (texts, fonts, the sixteen styles, colours;
//    BundeslandSchriftFarbe and FarbeFormular as `layout` holds them);
// 4. reload all of `layout` from the file;
// 5. write Symbole.
// Returns true when everything was written and the dialog may close. A file that cannot be
// written throws kb::Error (what was written before stays).
bool kalenderEinstSpeichern(
    IniFile &ini, KalenderEinstWerte &werte, LayoutSettings &layout, int jahr);

// Puts `perioden` ("dd.mm." bounds, "00.00." unset) into the nine rows of date fields.
void ferienFelderSetzen(FerienFelder &felder, const FerienPerioden &perioden);

// The official school-holiday dates of a state and year, offered for the nine rows.
struct FerienVorschlag {
    // Empty when there are dates; else why there are none (shown to the user).
    QString fehlt;
    // "dd.mm." bounds; "00.00." for a period the state does not have that year.
    FerienPerioden perioden;
    // Rows whose dates are not confirmed or are disputed.
    std::array<bool, kFerienCount> vorlaeufig {};
    // Holidays that found no free row, as "dd.mm.yyyy bis dd.mm.yyyy (Art)".
    QStringList ausgelassen;
};
// What the user is told about holidays that found no free row; empty when all fitted.
QString ferienAusgelassenMeldung(const FerienVorschlag &vorschlag);
// "vorläufige Termine – bitte prüfen": the note beside an unconfirmed row.
QString ferienVorlaeufigHinweis();
using FerienHinweise = std::array<QString, kFerienCount>;
// Takes a proposal over into the rows and gives each row's note (empty or the note above).
// A proposal without dates leaves the rows as they are and gives nullopt. Nothing is written.
std::optional<FerienHinweise> ferienVorschlagUebernehmen(
    FerienFelder &felder, const FerienVorschlag &vorschlag);

} // namespace kb
