#pragma once

#include "designer/Formular.h"

#include <QString>
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

struct EigenschaftZeile {
    Eigenschaft was;
    QString titel; // "Name", "Oben", ...
    QString wert; // as the list shows it
    bool aenderbar = true;
};

std::vector<EigenschaftZeile> eigenschaften(const FormElement &e);

// Gives the element the value typed into the row `was`. A text the row cannot take leaves
// the element as it was and returns the German reason.
std::optional<QString> eigenschaftSetzen(FormElement &e, Eigenschaft was, const QString &text);

// A colour as the list shows it: its name when it has one, else "$00BBGGRR".
QString farbText(qint32 wert);
// A colour typed as a name (any letter case) or as "$00BBGGRR" / "#RRGGBB".
std::optional<qint32> farbWert(const QString &text);

} // namespace kb::designer
