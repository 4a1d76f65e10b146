#include "SampleDocument.h"

#include "platform/Cp1252.h"
#include "report/export/Export.h"

#include <gtest/gtest.h>

using namespace kb::report;

namespace {

TEST(CsvExport, OneLinePerTextRowInReadingOrderWithQuoting)
{
    const QByteArray csv = csvExport(kb::test::sampleDocument());
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(csv.mid(3)),
        QStringLiteral("Jahreskalender 2027\r\n"
                       "Fr,01.01.2027,Neujahr\r\n"
                       "Sa,02.01.2027,\"Müller, \"\"Max\"\"\"\r\n"
                       "Grüße aus Köln – Straße,5 € Gebühr\r\n"
                       "Seite 1\r\n"
                       "Übersicht\r\n"
                       "Erste Zeile zweite Zeile\r\n"
                       "Seite 2\r\n"));
}

TEST(PlainTextExport, RowsWithCellsAtTheirPositionsAndFormFeedBetweenPages)
{
    const QString out = QString::fromUtf8(plainTextExport(kb::test::sampleDocument()));
    const QStringList pages = out.split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), 2);
    const QStringList lines = pages[0].split(QStringLiteral("\r\n"));
    // The leftmost text starts the line; the others keep their distance (7 px a character).
    const QString fr = lines.filter(QStringLiteral("Fr")).value(0);
    EXPECT_TRUE(fr.startsWith(QStringLiteral("Fr ")));
    EXPECT_EQ(fr.indexOf(QStringLiteral("01.01.2027")), 5);
    EXPECT_EQ(fr.indexOf(QStringLiteral("Neujahr")), 19);
    const QString sa = lines.filter(QStringLiteral("Sa")).value(0);
    EXPECT_EQ(sa.indexOf(QStringLiteral("Müller, \"Max\"")), 19);
    const QString greeting = lines.filter(QStringLiteral("Grüße")).value(0);
    EXPECT_TRUE(greeting.startsWith(QStringLiteral("Grüße aus Köln – Straße ")));
    EXPECT_EQ(greeting.indexOf(QStringLiteral("5 € Gebühr")), 59);
    // Rows in reading order; the long gap above the page number shows as an empty line.
    EXPECT_LT(lines.indexOf(fr), lines.indexOf(sa));
    EXPECT_EQ(lines.last(), QString());
    EXPECT_EQ(lines[lines.size() - 3], QString());
    EXPECT_EQ(lines[lines.size() - 2].trimmed(), QStringLiteral("Seite 1"));
    EXPECT_TRUE(pages[1].startsWith(QStringLiteral("Übersicht\r\nErste Zeile zweite Zeile\r\n")));
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

TEST(RtfExport, TextRowsOnTabStopsAndOnePagePerPageBreak)
{
    kb::report::Document doc = kb::test::sampleDocument();
    doc.pages[1].items.push_back(kb::test::text(QStringLiteral("Łódź {x} \\y"), 38, 300, 300, 18));
    const QByteArray rtf = rtfExport(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    int depth = 0;
    const QString text = rtfToText(rtf, &depth);
    EXPECT_EQ(depth, 0) << "braces must balance";
    // The picture's frame comes first, as an empty paragraph.
    EXPECT_EQ(text,
        QStringLiteral("\nJahreskalender 2027\n"
                       "Fr\t01.01.2027\tNeujahr\n"
                       "Sa\t02.01.2027\tMüller, \"Max\"\n"
                       "Grüße aus Köln – Straße\t5 € Gebühr\n"
                       "\tSeite 1\n"
                       "\f"
                       "Übersicht\n"
                       "Erste Zeile zweite Zeile\n"
                       "Łódź {x} \\y\n"
                       "\tSeite 2\n"));
    // German characters as Windows-1252 escapes, the rest as Unicode; the picture is kept.
    EXPECT_TRUE(rtf.contains("Gr\\'fc\\'dfe aus K\\'f6ln \\'96 Stra\\'dfe"));
    EXPECT_TRUE(rtf.contains("\\u321?"));
    EXPECT_TRUE(rtf.contains("\\jpegblip"));
    EXPECT_TRUE(rtf.contains("\\b "));
    EXPECT_TRUE(rtf.contains("\\tqr\\tx"));
}

} // namespace
