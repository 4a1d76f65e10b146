#include "storage/Navigation.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/FieldValue.h"
#include "storage/Table.h"

namespace kb {

namespace {

bool bearbeitet(const Table &table)
{
    return table.state() == Table::State::Edit || table.state() == Table::State::Insert;
}

} // namespace

const QList<NavKnopf> &tagesNavigator()
{
    static const QList<NavKnopf> knoepfe { NavKnopf::Erster, NavKnopf::Voriger, NavKnopf::Naechster,
        NavKnopf::Letzter, NavKnopf::Bearbeiten, NavKnopf::Speichern, NavKnopf::Verwerfen,
        NavKnopf::Aktualisieren };
    return knoepfe;
}

const QList<NavKnopf> &vollerNavigator()
{
    static const QList<NavKnopf> knoepfe { NavKnopf::Erster, NavKnopf::Voriger, NavKnopf::Naechster,
        NavKnopf::Letzter, NavKnopf::Einfuegen, NavKnopf::Loeschen, NavKnopf::Bearbeiten,
        NavKnopf::Speichern, NavKnopf::Verwerfen, NavKnopf::Aktualisieren };
    return knoepfe;
}

bool navKnopfAktiv(NavKnopf knopf, const Table &table)
{
    if (!table.isOpen())
        return false;
    const bool schreibbar = !table.isReadOnly();
    const bool mitDatensatz = table.recordCount() > 0;
    switch (knopf) {
    case NavKnopf::Erster:
    case NavKnopf::Voriger:
        return table.recNo() > 1;
    case NavKnopf::Naechster:
    case NavKnopf::Letzter:
        return table.recNo() < table.recordCount();
    case NavKnopf::Einfuegen:
        return schreibbar && table.state() != Table::State::Insert;
    case NavKnopf::Loeschen:
        return schreibbar && (mitDatensatz || table.state() == Table::State::Insert);
    case NavKnopf::Bearbeiten:
        return schreibbar && mitDatensatz && !bearbeitet(table);
    case NavKnopf::Speichern:
    case NavKnopf::Verwerfen:
        return bearbeitet(table);
    case NavKnopf::Aktualisieren:
        return true;
    }
    return false;
}

QString loeschenFrage()
{
    return QStringLiteral("Datensatz löschen?");
}

void navKnopfAusfuehren(NavKnopf knopf, Table &table)
{
    switch (knopf) {
    case NavKnopf::Erster:
        table.first();
        break;
    case NavKnopf::Voriger:
        table.prior();
        break;
    case NavKnopf::Naechster:
        table.next();
        break;
    case NavKnopf::Letzter:
        table.last();
        break;
    case NavKnopf::Einfuegen:
        table.insert();
        break;
    case NavKnopf::Loeschen:
        if (ui().question(loeschenFrage()))
            table.remove();
        break;
    case NavKnopf::Bearbeiten:
        table.edit();
        break;
    case NavKnopf::Speichern:
        table.post();
        break;
    case NavKnopf::Verwerfen:
        table.cancel();
        break;
    case NavKnopf::Aktualisieren:
        table.refresh();
        break;
    }
}

QString eingabeFehler(const Table &table, const QString &feld, const QVariant &wert)
{
    try {
        fieldvalue::fromInput(table.fieldDef(feld), wert);
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace kb
