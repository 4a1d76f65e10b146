#pragma once

#include "caldata/KalenderDatei.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kb {

// Text as the search compares it: lower case, "ä", "ö", "ü" as "ae", "oe", "ue", "ß" as "ss",
// other letters without their accents ("é" → "e"). So "zahnarzt" finds "Zahnarzt", "strasse"
// finds "Straße" and "muenchen" finds "München".
struct SuchText {
    QString text;
    // For every character of `text` the position in the original text it comes from.
    QList<int> herkunft;
};
SuchText suchFaltung(const QString &text);

// A stretch of an original text: where a search term was found.
struct Fundstelle {
    int anfang = 0;
    int laenge = 0;
    friend bool operator==(const Fundstelle &, const Fundstelle &) = default;
};

// Where the folded `gefalteterBegriff` first occurs in `text`, in positions of `text`;
// nullopt when it does not occur or is empty.
std::optional<Fundstelle> fundstelle(const QString &text, const QString &gefalteterBegriff);

// One day whose text or notes hold the search term.
struct Treffer {
    QDate datum;
    QString kalender; // path of the calendar file
    QString text; // the day's `Text`
    QString notizen; // the day's `Notizen`
    bool imText = false; // the term is in `text`, else only in `notizen`

    // What a result line shows: the day's text when it holds the term, otherwise the notes
    // on one line.
    QString anzeige() const;
    // "TT.MM.JJJJ;KALENDER;Text": the date, the calendar's file name and anzeige().
    QString zeile() const;
};

// A calendar the search left out, and why (a German message).
struct UebersprungenerKalender {
    QString kalender;
    QString grund;
};

struct Suchergebnis {
    QList<Treffer> treffer;
    QList<UebersprungenerKalender> uebersprungen;
};

// The days of one calendar whose `Text` or `Notizen` hold `begriff`, in the order of the
// year table. Throws kb::Error when the year table cannot be read (a protected one asks for
// its password through the Ui seam). An empty term finds nothing.
QList<Treffer> kalenderDurchsuchen(const KalenderDatei &kalender, const QString &begriff);

// The calendar files in `verzeichnis`, sorted by name.
QStringList kalenderIn(const QString &verzeichnis);

// Searches several calendars for one run of the program: the calendars newest year first, the
// days of each in their order. A calendar that cannot be read (for a protected one: its
// password is not given) is listed as skipped, and a later search of this object skips it
// again without asking.
class Kalendersuche {
public:
    Suchergebnis suchen(const QStringList &kalenderdateien, const QString &begriff);

private:
    QHash<QString, QString> m_uebersprungen; // calendar path → reason
};

} // namespace kb
