#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace kb {

class Table;

// The buttons of a record navigator, in their order.
enum class NavKnopf {
    Erster,
    Voriger,
    Naechster,
    Letzter,
    Einfuegen,
    Loeschen,
    Bearbeiten,
    Speichern,
    Verwerfen,
    Aktualisieren,
};

// The navigator of the day grid and the day details: no insert and no delete.
const QList<NavKnopf> &tagesNavigator();
// The navigator of the text library and the personal dates: every button.
const QList<NavKnopf> &vollerNavigator();

// Whether a navigator button can act on `table` now: moving back from the second record on,
// forward up to the last but one; insert on a writable table; delete with a record; edit with
// a record not yet in edit; save and cancel with a pending change; refresh while open.
bool navKnopfAktiv(NavKnopf knopf, const Table &table);
// What the button does. Moving and refreshing post a pending change first; delete asks
// "Datensatz löschen?" and deletes only on Yes. Errors of the table engine pass on.
void navKnopfAusfuehren(NavKnopf knopf, Table &table);
// "Datensatz löschen?"
QString loeschenFrage();

// The German message the table engine gives for `wert` in `feld` (for instance a text longer
// than the field); empty when the field takes it.
QString eingabeFehler(const Table &table, const QString &feld, const QVariant &wert);

} // namespace kb
