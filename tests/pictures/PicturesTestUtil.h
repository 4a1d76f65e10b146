#pragma once

#include "BilderTestUtil.h"
#include "caldata/KalenderDatei.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace kb::test {

// A calendar of the wizard (2024, Baden-Württemberg) in a temporary directory, its year table
// and its picture table open as the main window keeps them (unlinked), and the scripted Ui.
class BilderTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Moves the picture table to the month `monat` (unlinked order: record = month).
    void monat(int monat);
    // Stores `bild` as the picture of `monat` through a cursor of its own.
    void bildSpeichern(int monat, const QImage &bild);
    // The stored picture bytes and text of `monat`, read through a cursor of its own.
    QByteArray gespeichertesBild(int monat) const;
    QString gespeicherterText(int monat) const;

    TempDir dir;
    ScopedScriptedUi ui;
    KalenderDatei kalender;
    Table jahr;
    Table bilder;
};

} // namespace kb::test
