#pragma once

#include "caldata/KalenderDatei.h"
#include "support/Programmverzeichnis.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QByteArray>
#include <QDate>
#include <gtest/gtest.h>
#include <optional>

namespace kb::test {

// A program directory of its own (KRONOBLATT_HOME) for each test, the scripted Ui seam and
// no known passwords before and after.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A calendar made as the wizard makes it, in `verzeichnis` (default: a "daten" folder of
    // the test), for Baden-Württemberg.
    KalenderDatei kalender(const QString &name, int jahr, const QString &verzeichnis = {});
    // Sets the reminder flag of the day `datum` in the calendar.
    static void alarmSetzen(const KalenderDatei &k, const QDate &datum);
    // Writes a settings file "Kalvalues.ini" into the program directory.
    void einstellungenAnlegen(const QByteArray &inhalt = "[User]\r\nFirma=Test\r\n");

    TempDir home;
    QString daten; // home + "daten/"
    ScopedScriptedUi ui;

private:
    std::optional<Programmverzeichnis> m_programm;
};

} // namespace kb::test
