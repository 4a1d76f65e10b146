#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <optional>

namespace kb {

class Table;

// The operations of the month picture area on the picture table (twelve records, one per
// month: Nr = DetailNR = MonatNR = month, graphic field Bild, memo field TextMonat). Every
// operation acts on the table's current record and posts at once; errors of the table engine
// pass on to the caller, who shows them.

// The three pages of the area, in their order.
enum class BilderSeite { AlleBilder, AlleTexte, EinzelBild };
// The page titles "alle Monats-Bilder", "alle Monats-Texte", "einzel Monats-Bild".
QString seitenTitel(BilderSeite seite);
// The single-picture page links the picture table to the day table; the grids show all twelve.
bool seiteVerknuepft(BilderSeite seite);

// Unlinked mode: no master link, ordered by Nr, all twelve months. An open table is closed and
// opened again; a closed one only loses the link. (The linked mode is bilderVerknuepfen().)
void bilderEntknuepfen(Table &bilder);

// The month of the current record (MonatNR); 0 without an open table or a record.
int aktuellerMonat(const Table &bilder);
// For months 1 to 12 the name ("Januar"); nothing for any other value.
std::optional<QString> monatsname(int monat);
// The picture tool bar's label: four blanks and the month name ("    Januar").
std::optional<QString> monatsLabel(int monat);

// The current month's picture; null when it has none.
QImage aktuellesBild(const Table &bilder);
// "Für diesen Monat ist kein Bild gespeichert.": enlarging a month without a picture.
QString keinBildMeldung();
// Puts the current month's picture on the clipboard; false (and the clipboard unchanged)
// when the month has no picture.
bool bildKopieren(const Table &bilder);
// Edit; a picture on the clipboard replaces the month's picture; post. Without a picture on
// the clipboard (text, nothing) the record is posted unchanged. True when a picture came in.
bool bildEinfuegen(Table &bilder);
// Edit; the picture is cleared; post.
void bildLoeschen(Table &bilder);

// How the picture browser ended.
enum class Auswahl { Uebernommen, Geschlossen };
// Choosing from the picture browser: edit, run `browser`. When it ends with "übernehmen" and
// the record is still in edit, the clipboard's picture replaces the month's and the record is
// posted; a clipboard without a valid picture cancels the edit, keeping the stored picture.
// Any other end leaves the record in edit, for the navigator's post or cancel. True when a
// picture was stored.
bool bildAusBrowser(Table &bilder, const std::function<Auswahl()> &browser);

// The open dialog's filter ("Textdateien(*.txt)") and default extension "txt".
QString monatstextFilter();
// Loading a month text: asks for a .txt file (from `verzeichnis`); cancelling changes nothing.
// On a choice: edit, TextMonat replaced by the file's content (monatstextLesen()), post. True
// when stored; a file that cannot be read throws before the record is touched.
bool monatstextLaden(Table &bilder, const QString &verzeichnis = {});

} // namespace kb
