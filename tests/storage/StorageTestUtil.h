#pragma once

#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>
#include <memory>

namespace kb::test {

// A small day table: Nummer (primary), Datum, Text, MonatNr, Alarm, Notizen, SymbolBild.
QList<FieldDef> dayFields();
QList<IndexDef> dayIndexes();
// Creates the day table `path` with one record per day from `from` on, in one transaction.
void createDays(const QString &path, QDate from, int days);
std::unique_ptr<Table> openTable(const QString &path, bool exclusive = false);

// The set-up most table tests share: a directory of their own with the day table "Tage.DB".
class DayTableTest : public ::testing::Test {
protected:
    // Creates the day table with `days` records from `from` on and opens a cursor on it.
    std::unique_ptr<Table> createDays(int days, QDate from = QDate(2024, 1, 1)) const
    {
        test::createDays(m_path, from, days);
        return openDays();
    }
    // Another cursor on the day table.
    std::unique_ptr<Table> openDays(bool exclusive = false) const
    {
        return openTable(m_path, exclusive);
    }
    QString file(const QString &name) const { return m_dir.file(name); }

    TempDir m_dir;
    const QString m_path = m_dir.file(QStringLiteral("Tage.DB"));
};

} // namespace kb::test
