#pragma once

#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QString>

namespace kb {

// The file name of the text library in the calendar data directory.
QString texteDateiname(); // "Texte.db"
// "Tabelle \"Texte.db\" nicht vorhanden!" for the library table's file name.
QString texteFehlenMeldung(const Table &texte);
// Whether the file the library table names (its directory and file name) exists.
bool texteVorhanden(const Table &texte);

// The text library in a grid: the single column `Text`, one row per text and, while a new
// text is being entered, one more row at the end for it.
class TexteModell : public TableModel {
    Q_OBJECT
public:
    explicit TexteModell(Table *texte, QObject *parent = nullptr);

    // The row of the current text (the new one while entering it); -1 without one.
    int aktuelleZeile() const { return currentRow(); }
};

} // namespace kb
