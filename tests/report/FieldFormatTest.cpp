#include "report/FieldFormat.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using kb::report::formatFieldValue;

namespace {

TEST(FieldFormat, MasksAndPlainValues)
{
    const QDate saturday(2026, 3, 7);
    const struct {
        const char *name;
        QVariant value;
        const char *mask;
        const char *expected;
    } cases[] = {
        { "day of month", saturday, "d", "7" },
        { "two-digit day", saturday, "dd", "07" },
        { "German date", saturday, "dd.mm.yyyy", "07.03.2026" },
        { "weekday names", saturday, "ddd, dddd", "Sa, Samstag" },
        { "month names", QDate(2026, 3, 1), "mmm mmmm yy", "Mär März 26" },
        { "quoted text is copied", saturday, "'Tag' d", "Tag 7" },
        { "minutes after hours", QDateTime(saturday, QTime(9, 5)), "hh:mm", "09:05" },
        { "date held as text", QStringLiteral("24.12.2026"), "d", "24" },
        { "number with decimals", 1234.5, "#,##0.00", "1.234,50" },
        { "integer mask", 7, "000", "007" },
        { "negative", -2.25, "0.0#", "-2,25" },
        { "plain date", saturday, "", "07.03.2026" },
        { "plain double", 2.5, "", "2,5" },
        { "plain int", 42, "", "42" },
        { "plain text", QStringLiteral("Urlaub"), "", "Urlaub" },
        { "null", QVariant(), "d", "" },
        { "mask on text that is no date", QStringLiteral("Krank"), "d", "Krank" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(
            formatFieldValue(c.value, QString::fromUtf8(c.mask)), QString::fromUtf8(c.expected))
            << c.name;
}

} // namespace
