#pragma once

#include "designer/Formular.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kb::designer {

// The property list of the selected element: name, top, left, width and height, and for
// free texts and system fields also the caption, background colour, font name, size and
// colour. Every row but the name can be edited.
enum class Eigenschaft {
    Name,
    Oben,
    Links,
    Breite,
    Hoehe,
    Text,
    Hintergrundfarbe,
    Schriftart,
    Schriftgroesse,
    Schriftfarbe
};

// How a property list edits a value: typed, picked in the colour dialog (or typed as a
// colour), or picked from a list.
enum class Werteart : quint8 { Text, Farbe, Auswahl };

// One row of a designer's property list; `id` tells the designer which property it is.
struct Listenzeile {
    int id = 0;
    QString titel;
    QString wert;
    bool aenderbar = true;
    Werteart art = Werteart::Text;
    QStringList auswahl; // Werteart::Auswahl: the values offered

    friend bool operator==(const Listenzeile &, const Listenzeile &) = default;
};

struct EigenschaftZeile {
    Eigenschaft was;
    QString titel; // "Name", "Oben", ...
    QString wert; // as the list shows it
    bool aenderbar = true;
};

std::vector<EigenschaftZeile> eigenschaften(const FormElement &e);
// The rows of a form element as the property list shows them.
std::vector<Listenzeile> listenzeilen(const FormElement &e);

// Gives the element the value typed into the row `was`. A text the row cannot take leaves
// the element as it was and returns the German reason.
std::optional<QString> eigenschaftSetzen(FormElement &e, Eigenschaft was, const QString &text);

// A colour as the list shows it: its name when it has one, else "$00BBGGRR".
QString farbText(qint32 wert);
// A colour typed as a name (any letter case) or as "$00BBGGRR" / "#RRGGBB".
std::optional<qint32> farbWert(const QString &text);
// The same for a colour as the screen and the printer see it.
QString farbText(const QColor &farbe);
std::optional<QColor> farbe(const QString &text);

// Rules for typed values, shared by the designers' property lists: each gives `ziel` the
// value, or leaves it and returns the German reason.
std::optional<QString> zahlSetzen(int &ziel, const QString &text, int von, int bis);
std::optional<QString> zahlSetzen(double &ziel, const QString &text, double von, double bis);
std::optional<QString> farbeSetzen(qint32 &ziel, const QString &text);
std::optional<QString> farbeSetzen(QColor &ziel, const QString &text);
// "ja" or "nein" (also "j"/"n", "1"/"0", "wahr"/"falsch").
std::optional<QString> jaNeinSetzen(bool &ziel, const QString &text);
QString jaNein(bool wert);

} // namespace kb::designer
