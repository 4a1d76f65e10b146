#pragma once

#include "platform/MitMeldung.h"
#include "storage/Navigation.h"

#include <QDate>
#include <QString>

namespace kb {

class Table;

// The organizer's buttons. "bearbeiten" puts the current day into edit; "speichern" posts it
// when it is in edit and does nothing otherwise; "verwerfen" drops the pending change.
void bearbeiten(Table &jahr);
void speichern(Table &jahr);
void verwerfen(Table &jahr);

// A text of the library taken over into the current day: put into edit with `Text` set; the
// change stays pending (a move or "speichern" posts it, "verwerfen" restores the old text).
void textUebernehmen(Table &jahr, const QString &text);

// The long date of `DatumLang`: "Donnerstag, 14. März 2024".
QString langesDatum(const QDate &datum);

} // namespace kb
