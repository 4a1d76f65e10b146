#pragma once

#include "storage/Sqlite.h"

#include <QHash>
#include <QList>
#include <unordered_map>

namespace kb {

struct FieldDef;

// The connection of one cursor and its prepared statements. A statement is prepared once
// and kept by its text, so a statement run for every record costs its binding and its step
// only. The statements are finalized before the connection closes.
class StatementCache {
public:
    StatementCache() = default;
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;
    ~StatementCache() { close(); }

    void open(sql::DbHandle db);
    void close();
    bool isOpen() const { return bool(m_db); }
    sqlite3 *db() const { return m_db.get(); }

    // The statement for `text`, reset and without bindings.
    sql::Stmt &get(const QString &text);
    // Runs a statement to its end, ignoring any rows (BEGIN, COMMIT, a PRAGMA ...).
    void exec(const QString &text);

    // The statement inserting the fields at the positions listed in `positions` (one byte
    // each), bound in that order.
    sql::Stmt &insert(const QList<FieldDef> &fields, const QByteArray &positions);
    // The statement updating those fields of one record; its row id is bound last.
    sql::Stmt &update(const QList<FieldDef> &fields, const QByteArray &positions);

private:
    sql::Stmt &writer(bool insert, const QList<FieldDef> &fields, const QByteArray &positions);

    // Declared before the statements, so that they go first.
    sql::DbHandle m_db;
    std::unordered_map<QString, std::unique_ptr<sql::Stmt>> m_byText;
    QHash<QByteArray, sql::Stmt *> m_inserts, m_updates; // by the positions written
};

// Resets a cached statement when its scope ends, so that a read holds no lock on the file
// between uses.
class ResetOnExit {
public:
    explicit ResetOnExit(sql::Stmt &stmt)
        : m_stmt(stmt)
    {
    }
    ResetOnExit(const ResetOnExit &) = delete;
    ResetOnExit &operator=(const ResetOnExit &) = delete;
    ~ResetOnExit() { m_stmt.reset(); }

private:
    sql::Stmt &m_stmt;
};

} // namespace kb
