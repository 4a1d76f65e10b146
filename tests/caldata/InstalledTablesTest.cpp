#include "storage/Table.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

// The tables the build puts beside the programs.
TEST(InstalledTables, TextLibraryHoldsTheListInOrder)
{
    QStringList expected;
    for (const QByteArray &line :
        test::readAll(QStringLiteral(KB_SOURCE_DIR "/data/texte.txt")).split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.isEmpty() && !text.startsWith(QLatin1Char('#')))
            expected.append(text);
    }
    ASSERT_GE(expected.size(), 30);
    for (const char *t :
        { "Urlaub", "Krank", "Geburtstag", "Hochzeitstag", "Zahnarzt", "Elternabend" })
        EXPECT_TRUE(expected.contains(QString::fromLatin1(t))) << t;

    Table texte;
    texte.setFilePath(QStringLiteral(KB_BIN_DIR "/Kalenderdaten/Texte.db"));
    texte.open();
    ASSERT_EQ(texte.fieldNames(), (QStringList { QStringLiteral("Nr"), QStringLiteral("Text") }));
    EXPECT_EQ(texte.fieldDef(QStringLiteral("Nr")).type, FieldType::AutoInc);
    EXPECT_EQ(texte.fieldDef(QStringLiteral("Text")).size, 255);
    QStringList stored;
    for (texte.first(); !texte.eof(); texte.next()) {
        EXPECT_EQ(texte.asInt(QStringLiteral("Nr")), stored.size() + 1);
        stored.append(texte.asString(QStringLiteral("Text")));
    }
    EXPECT_EQ(stored, expected);
}

TEST(InstalledTables, ReportTableHoldsTheReadyReports)
{
    Table designer;
    designer.setFilePath(QStringLiteral(KB_BIN_DIR "/Designer/designer.db"));
    designer.open();
    EXPECT_EQ(designer.fieldNames(),
        (QStringList { QStringLiteral("Reportname"), QStringLiteral("Reportdata") }));
    EXPECT_EQ(designer.fieldDef(QStringLiteral("Reportname")).size, 40);
    EXPECT_EQ(designer.fieldDef(QStringLiteral("Reportdata")).type, FieldType::Blob);
    QStringList names;
    for (designer.first(); !designer.eof(); designer.next()) {
        names.append(designer.asString(QStringLiteral("Reportname")));
        EXPECT_TRUE(designer.asBytes(QStringLiteral("Reportdata")).startsWith("KBREPORT"));
    }
    EXPECT_EQ(names,
        (QStringList { QStringLiteral("Feiertage des Jahres"),
            QStringLiteral("Termine und Geburtstage"), QStringLiteral("Monatsbilder") }));
}

} // namespace
