#pragma once

#include "designer/Bericht.h"
#include "designer/Eigenschaften.h"

#include <optional>
#include <vector>

// The property lists of the report designer: what a printable and a band show and how a typed
// value changes them. The same rules for numbers and colours as in the form designer.
namespace kb::bericht {

enum class ElementEigenschaft {
    Art,
    Text,
    Maske,
    Systemwert,
    Links,
    Oben,
    Breite,
    Hoehe,
    Schriftart,
    Schriftgroesse,
    Fett,
    Kursiv,
    Schriftfarbe,
    Ausrichtung,
    Umbruch,
    AutoStrecken,
    Hintergrundfarbe,
    Transparent,
    Einpassen,
    Linienfarbe,
    Linienbreite,
    Linienart,
};

enum class BandEigenschaft {
    Name,
    Hoehe,
    Gruppenfeld,
    NeueSpalte,
    Hintergrundfarbe,
    RahmenOben,
    RahmenUnten,
    RahmenLinks,
    RahmenRechts,
    Rahmenfarbe,
    Rahmenbreite,
};

// German names of the system values, in the order of report::SystemData::Kind.
QStringList systemwertNamen();

// German name of a printable kind ("Text", "Feld", "waagrechte Linie" ...).
QString elementArtName(ElementArt art);

// The rows of a printable; `standardSchrift` is the report's font, which a printable without a
// font of its own shows.
std::vector<designer::Listenzeile> elementZeilen(
    const Element &e, const report::FontSpec &standardSchrift);
// Gives the printable the value typed into the row `id`; a value the row cannot take leaves
// it unchanged and returns the German reason.
std::optional<QString> elementSetzen(
    Element &e, int id, const QString &text, const report::FontSpec &standardSchrift);

std::vector<designer::Listenzeile> bandZeilen(const Band &b);
std::optional<QString> bandSetzen(Band &b, int id, const QString &text);

} // namespace kb::bericht
