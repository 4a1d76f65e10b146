#pragma once

#include "caldata/KalenderDatei.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>

namespace kb::test {

// Colours that tell the four backgrounds of the day grid apart.
inline constexpr qint32 kSamstag = 0xF0E0D0, kSonntag = 0xD0D0F8, kFeiertag = 0x8080FF,
                        kFerien = 0xB0F0B0;

// A calendar of the wizard in a temporary directory, its year table open as the main window
// keeps it, settings with the four colours above, and the scripted Ui seam.
class TageTest : public ::testing::Test {
protected:
    // Makes the calendar `name` of `jahr` (Baden-Württemberg) and opens its year table.
    void kalenderOeffnen(int jahr, const QString &name = QStringLiteral("Test"));
    // The month filter of the month tabs: 0 removes it.
    void monat(int monat);
    // Moves the year table to the day `datum` (it must be in the current set).
    void gehe(const QDate &datum);
    // A text library "Texte.db" in the temporary directory holding `texte`.
    QString texteAnlegen(const QStringList &texte);
    // The stored `Text` of the day, read through a cursor of its own.
    QString gespeicherterText(const QDate &datum) const;

    TempDir dir;
    ScopedScriptedUi ui;
    KalenderDatei kalender;
    Table jahr;
    LayoutSettings farben;
};

} // namespace kb::test
