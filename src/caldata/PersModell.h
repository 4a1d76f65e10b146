#pragma once

#include "storage/TableModel.h"

#include <QStringList>

namespace kb {

// The grid of the personal dates: the columns "Tag" (`FracTag`), "Monat" (`FracMonat`) and
// "Text", day and month shown with two digits as their drop-down lists offer them; one row
// per date and, while a new date is being entered, one more row at the end for it.
class PersModell : public TableModel {
    Q_OBJECT
public:
    enum Spalte { SpalteTag, SpalteMonat, SpalteText };

    explicit PersModell(Table *pers, QObject *parent = nullptr);

    // The row of the current date (the new one while entering it); -1 without one.
    int aktuelleZeile() const { return currentRow(); }

    // The drop-down lists: "01" to "31", "01" to "12".
    static QStringList tage();
    static QStringList monate();
    // "Urlaub", "Krank", "Geburtstag", "Hochzeitstag", "Todestag".
    static QStringList textVorschlaege();
};

} // namespace kb
