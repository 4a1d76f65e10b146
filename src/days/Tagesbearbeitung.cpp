#include "days/Tagesbearbeitung.h"

#include "platform/Error.h"
#include "storage/Table.h"

#include <QLocale>

namespace kb {

void bearbeiten(Table &jahr)
{
    jahr.edit();
}

void speichern(Table &jahr)
{
    if (jahr.state() == Table::State::Edit)
        jahr.post();
}

void verwerfen(Table &jahr)
{
    jahr.cancel();
}

void textUebernehmen(Table &jahr, const QString &text)
{
    // The engine refuses a text the field cannot take before anything changes.
    const QString fehler = eingabeFehler(jahr, QStringLiteral("Text"), text);
    if (!fehler.isEmpty())
        throw Error(fehler);
    jahr.edit();
    jahr.setString(QStringLiteral("Text"), text);
}

QString langesDatum(const QDate &datum)
{
    if (!datum.isValid())
        return QString();
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(datum, QStringLiteral("dddd, d. MMMM yyyy"));
}

} // namespace kb
