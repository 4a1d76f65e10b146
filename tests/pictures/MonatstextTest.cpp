#include "pictures/Monatstext.h"
#include "platform/Cp1252.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;
using namespace kb::test;

namespace {

TEST(Monatstext, ContentIsKeptExactlyInEitherEncoding)
{
    struct Fall {
        const char *was;
        QByteArray bytes;
        QString text;
    };
    const Fall faelle[] = {
        { "UTF-8 with CR LF, tabs and trailing blanks", QByteArray("M\xC3\xA4rz\r\n\tRegen  \r\n"),
            QString::fromUtf8("März\r\n\tRegen  \r\n") },
        { "Windows-1252", QByteArray("M\xE4rz \x80 \x84Zitat\x93"),
            QString::fromUtf8("März € „Zitat“") },
        { "byte-order mark is no text", QByteArray("\xEF\xBB\xBFJuli"), QStringLiteral("Juli") },
        { "UTF-8 cut in a character is Windows-1252", QByteArray("Gr\xC3"),
            QString::fromUtf8("GrÃ") },
        { "empty", QByteArray(), QString() },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(monatstextAusBytes(f.bytes), f.text) << f.was;
}

TEST(Monatstext, FileOfSeveralKilobytesIsReadWhole)
{
    TempDir dir;
    QByteArray bytes;
    for (int i = 0; i < 400; ++i)
        bytes += "Zeile " + QByteArray::number(i) + "\t\xE4\xF6\xFC\r\n";
    writeAll(dir.file(QStringLiteral("lang.txt")), bytes);
    const QString text = monatstextLesen(dir.file(QStringLiteral("lang.txt")));
    EXPECT_EQ(text.size(), bytes.size());
    EXPECT_EQ(text, fromCp1252(bytes));
}

TEST(Monatstext, MissingFileIsAMessage)
{
    TempDir dir;
    EXPECT_TRUE(errorOf([&] {
        monatstextLesen(dir.file(QStringLiteral("fehlt.txt")));
    }).startsWith(QStringLiteral("Die Textdatei \"fehlt.txt\" kann nicht gelesen werden")));
}

} // namespace
