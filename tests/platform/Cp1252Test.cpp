#include "platform/Cp1252.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using kb::fromCp1252;
using kb::toCp1252;

TEST(Cp1252, GermanTextRoundTrips)
{
    const QString text = QStringLiteral("Größe Übung Ärger ß – „Zitat“ €");
    const QByteArray bytes = toCp1252(text);
    EXPECT_EQ(bytes,
        QByteArray("Gr\xF6\xDF"
                   "e \xDC"
                   "bung \xC4rger \xDF \x96 \x84Zitat\x93 \x80"));
    EXPECT_EQ(fromCp1252(bytes), text);
}

TEST(Cp1252, EveryByteDecodesAndEncodesBack)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(static_cast<char>(i));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, CharactersOutsideBecomeQuestionMarks)
{
    EXPECT_EQ(toCp1252(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}
