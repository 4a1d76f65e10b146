#include "SampleDocument.h"

#include "platform/Cp1252.h"
#include "report/MemoryDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "report/export/Export.h"

#include <gtest/gtest.h>

using namespace kb::report;

namespace {

TEST(CsvExport, OneLinePerBandAllAsWideAsTheWidestWithQuoting)
{
    const QByteArray csv = csvExport(kb::test::sampleDocument());
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(csv.mid(3)),
        QStringLiteral("Jahreskalender 2027,,,\r\n"
                       "Fr,01.01.2027,Neujahr,\r\n"
                       "Sa,02.01.2027,\"Müller, \"\"Max\"\"\",\r\n"
                       "Grüße aus Köln – Straße,5 € Gebühr,,\r\n"
                       "Seite 1,,,\r\n"
                       "Übersicht,,,\r\n"
                       "Erste Zeile zweite Zeile,,,\r\n"
                       "Seite 2,,,\r\n"));
}

TEST(PlainTextExport, BandsInColumnsAndFormFeedBetweenPages)
{
    EXPECT_EQ(QString::fromUtf8(plainTextExport(kb::test::sampleDocument())),
        QStringLiteral("Jahreskalender 2027\r\n"
                       "Fr  01.01.2027  Neujahr\r\n"
                       "Sa  02.01.2027  Müller, \"Max\"\r\n"
                       "Grüße aus Köln – Straße  5 € Gebühr\r\n"
                       "Seite 1\r\n"
                       "\f"
                       "Übersicht\r\n"
                       "Erste Zeile zweite Zeile\r\n"
                       "Seite 2\r\n"));

    // The day lines of a real report: right-aligned numbers, every column as wide as its
    // widest text in the whole document, empty fields kept.
    MemoryDataSet days;
    for (int n = 1; n <= 12; ++n)
        days.append({ { QStringLiteral("n"), n },
            { QStringLiteral("text"), n == 10 ? QStringLiteral("Feiertag") : QString() } });
    Report report;
    report.setDataSet(&days);
    report.detail().setHeight(19);
    auto &number = report.detail().add<FieldText>(QStringLiteral("n"));
    number.setGeometry(0, 0, 20, 19);
    number.setAlignment(HAlign::Right);
    report.detail().add<FieldText>(QStringLiteral("text")).setGeometry(30, 0, 100, 19);
    report.detail().add<Label>(QStringLiteral("x")).setGeometry(140, 0, 20, 19);
    const QStringList lines
        = QString::fromUtf8(plainTextExport(report.generate())).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral(" 1            x"));
    EXPECT_EQ(lines.value(9), QStringLiteral("10  Feiertag  x"));
    EXPECT_EQ(lines.value(11), QStringLiteral("12            x"));
}

// A small reader for the parts of RTF the export writes: groups, control words, hex and
// Unicode escapes; the font, colour and info tables and pictures are skipped.
QString rtfToText(const QByteArray &rtf, int *depthError)
{
    QString out;
    std::vector<bool> skip { false };
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            skip.push_back(skip.back());
        } else if (c == '}') {
            --depth;
            skip.pop_back();
            if (skip.empty() || depth < 0) {
                *depthError = -1;
                return out;
            }
        } else if (c == '\\') {
            const char n = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
            if (n == '\\' || n == '{' || n == '}') {
                if (!skip.back())
                    out += QLatin1Char(n);
                ++i;
            } else if (n == '\'') {
                if (!skip.back())
                    out += kb::fromCp1252(QByteArray::fromHex(rtf.mid(i + 2, 2)));
                i += 3;
            } else {
                qsizetype j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                    ++j;
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                qsizetype k = j;
                while (k < rtf.size()
                    && (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k]))))
                    ++k;
                const int arg = rtf.mid(j, k - j).toInt();
                if (k < rtf.size() && rtf[k] == ' ')
                    ++k;
                i = k - 1;
                if (word == "fonttbl" || word == "colortbl" || word == "info" || word == "pict")
                    skip.back() = true;
                else if (skip.back())
                    continue;
                else if (word == "tab")
                    out += QLatin1Char('\t');
                else if (word == "par" || word == "line")
                    out += QLatin1Char('\n');
                else if (word == "page")
                    out += QLatin1Char('\f');
                else if (word == "u") {
                    out += QChar(static_cast<char16_t>(arg));
                    ++i; // the replacement character
                }
            }
        } else if (c != '\r' && c != '\n' && !skip.back()) {
            out += QLatin1Char(c);
        }
    }
    *depthError = depth;
    return out;
}

TEST(RtfExport, BandsOnTabStopsAndOnePagePerPageBreak)
{
    kb::report::Document doc = kb::test::sampleDocument();
    doc.pages[1].items.push_back(kb::test::text(QStringLiteral("Łódź {x} \\y"), 38, 300, 300, 18));
    const QByteArray rtf = rtfExport(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    int depth = 0;
    const QString text = rtfToText(rtf, &depth);
    EXPECT_EQ(depth, 0) << "braces must balance";
    // One paragraph per band; the centred title and the right-aligned page numbers sit on
    // their tab stops, an empty field keeps its tab, the stray text comes last.
    EXPECT_EQ(text,
        QStringLiteral("\tJahreskalender 2027\n"
                       "Fr\t01.01.2027\tNeujahr\t\n"
                       "Sa\t02.01.2027\tMüller, \"Max\"\t\n"
                       "Grüße aus Köln – Straße\t5 € Gebühr\n"
                       "\tSeite 1\n"
                       "\f"
                       "Übersicht\n"
                       "Erste Zeile zweite Zeile\n"
                       "\tSeite 2\n"
                       "Łódź {x} \\y\n"));
    // German characters as Windows-1252 escapes, the rest as Unicode; the picture is kept.
    EXPECT_TRUE(rtf.contains("Gr\\'fc\\'dfe aus K\\'f6ln \\'96 Stra\\'dfe"));
    EXPECT_TRUE(rtf.contains("\\u321?"));
    EXPECT_TRUE(rtf.contains("\\jpegblip"));
    EXPECT_TRUE(rtf.contains("\\b "));
    EXPECT_TRUE(rtf.contains("\\tqr\\tx"));
    EXPECT_TRUE(rtf.contains("\\tqc\\tx"));
}

} // namespace
