#pragma once

#include "designer/Bericht.h"
#include "designer/BerichtsAbfrage.h"
#include "report/Report.h"

#include <QByteArray>
#include <memory>
#include <optional>

namespace kb {
class Table;
}

// A stored report on the report engine: its bands and printables become the engine's, its data
// set is filled from a table file or from its query over the open calendar.
namespace kb::bericht {

// The report on the engine without data; `daten` (not owned) is the data set it walks.
std::unique_ptr<report::Report> berichtAufbauen(const Bericht &bericht, report::DataSet *daten);

// A report with its data set, ready to generate or preview.
struct GefuellterBericht {
    GefuellterBericht();
    ~GefuellterBericht();
    GefuellterBericht(GefuellterBericht &&) noexcept;
    GefuellterBericht &operator=(GefuellterBericht &&) noexcept;

    std::unique_ptr<Table> tabelle; // Quelle::Tabelle: the open table file
    std::unique_ptr<report::DataSet> daten;
    std::unique_ptr<report::Report> report;
};

// Fills `bericht`: opens its table file, or runs its query over `kalender`. Throws kb::Error
// (table missing, query refused or stopped, no calendar open for a query).
GefuellterBericht berichtFuellen(const Bericht &bericht,
    const std::optional<KalenderTabellen> &kalender, int abfrageZeitMs = kAbfrageZeitMs);

// Reads `reportdata`, fills it and generates every page. Throws kb::Error for an empty,
// damaged, foreign or newer stream and for every failure of berichtFuellen().
report::Document berichtErzeugen(
    const QByteArray &reportdata, const std::optional<KalenderTabellen> &kalender);

// One empty A4 page that shows `hinweis` under the title `titel`: what the preview shows for a
// report that cannot print.
report::Document hinweisSeite(const QString &titel, const QString &hinweis);

} // namespace kb::bericht
