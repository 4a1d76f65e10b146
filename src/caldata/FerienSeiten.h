#pragma once

#include "caldata/Schulferien.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace kb {

// The HTML pages of the school holidays that the settings dialog's "Ferien nachsehen........."
// offers from the folder "QVFerien": an overview "Schulferien.htm" (the states, their summer
// holidays year by year, source and licence) and one page per state "Schulferien <Land>.htm"
// with every holiday of each school year (weekday, begin, end, days, unconfirmed or disputed
// dates marked). German, UTF-8.
QList<std::pair<QString, QByteArray>> ferienSeiten(const SchulferienTabelle &tabelle);

// The folder of the pages: ProgramDir::path() + "QVFerien/".
QString ferienSeitenOrdner();

// Brings the pages in `ordner` up to date with the table at `csvPfad`: writes every page
// whose content differs (each atomically) and leaves the others untouched. Returns the
// number of pages written. Throws kb::Error when the table cannot be read or a page cannot be
// written.
int ferienSeitenAktualisieren(const QString &csvPfad, const QString &ordner);

} // namespace kb
