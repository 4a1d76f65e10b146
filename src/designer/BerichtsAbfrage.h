#pragma once

#include "report/DataSet.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// The query of a stored report: one SELECT over the open calendar, run where it can change
// nothing. The calendar's year table and picture table are copied into a private in-memory
// database as the tables `Jahr` and `Bilder`; the query runs there on a connection that
// allows nothing but reading those two tables (an authorizer refuses writing, ATTACH, PRAGMA
// and every other statement while it is prepared; the connection is query-only and never loads
// extensions). A statement that is not one SELECT is refused before it runs; a query that runs
// longer than its time is stopped.
namespace kb::bericht {

struct KalenderTabellen {
    QString jahrPfad; // the year table `<name>.DB`
    QString bildPfad; // the picture table `<name>Bild.DB`
};

inline constexpr int kAbfrageZeitMs = 2000;
// A query may return this many rows at most; more are refused instead of filling the memory.
inline constexpr int kMaxAbfrageZeilen = 200000;

struct AbfrageErgebnis {
    QStringList spalten;
    // Values as the report prints them: dates as QDate, booleans as bool, pictures as bytes.
    std::vector<std::vector<QVariant>> zeilen;
};

// Throws kb::Error with a German message: not one SELECT, a syntax error, a table that cannot
// be opened, a query stopped after `zeitMs` milliseconds.
AbfrageErgebnis abfrageAusfuehren(
    const QString &sql, const KalenderTabellen &kalender, int zeitMs = kAbfrageZeitMs);

// The rows of a query as the records of a report; field names compare without letter case.
class AbfrageDaten final : public report::DataSet {
public:
    explicit AbfrageDaten(AbfrageErgebnis ergebnis);

    void first() override;
    void next() override;
    bool eof() const override { return m_eof; }
    QVariant value(const QString &field) const override;
    QImage image(const QString &field) const override;
    const AbfrageErgebnis &ergebnis() const { return m_ergebnis; }

private:
    AbfrageErgebnis m_ergebnis;
    QHash<QString, int> m_spalte; // lower-case name -> column
    std::size_t m_zeile = 0;
    bool m_eof = true;
};

} // namespace kb::bericht
