#pragma once

#include "storage/Table.h"

#include <QString>
#include <functional>

struct sqlite3;

namespace kb {

// A transaction for the length of a scope: begun when it is made, written by commit(). A
// scope left without commit(), an error on its way out, undoes what was written since the
// begin. An error of that undo is dropped: the error on its way out is the one to report.
class Transaktion {
public:
    // Runs a statement on the connection.
    using Ausfuehren = std::function<void(const QString &)>;
    struct Anweisungen {
        QString beginn;
        QString abschluss;
        QStringList zurueck;
    };
    // BEGIN IMMEDIATE ... COMMIT, undone by ROLLBACK.
    static Anweisungen sofort();
    // A savepoint inside a running transaction.
    static Anweisungen sicherungspunkt(const QString &name);

    Transaktion(Ausfuehren ausfuehren, Anweisungen anweisungen);
    // On a bare connection.
    Transaktion(sqlite3 *db, Anweisungen anweisungen);
    // Over the posts of a table cursor (startTransaction() ... commit(), else rollback(),
    // which also drops a pending change).
    explicit Transaktion(Table &table, Table::Journal journal = Table::Journal::OnDisk);
    ~Transaktion();
    Transaktion(const Transaktion &) = delete;
    Transaktion &operator=(const Transaktion &) = delete;

    void commit();

private:
    std::function<void()> m_abschluss;
    std::function<void()> m_zurueck;
    bool m_offen = true;
};

} // namespace kb
