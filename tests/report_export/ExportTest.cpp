#include "SampleDocument.h"

#include "platform/AtomicFile.h"
#include "report/export/Export.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

QStringList filesIn(const kb::test::TempDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files, QDir::Name);
}

TEST(Export, WritesOneFileOrOneFilePerPageBySuffix)
{
    const Document doc = kb::test::sampleDocument();
    struct Case {
        const char *name;
        QStringList files;
        const char *start; // the first bytes of every file written
    };
    const std::vector<Case> cases = {
        { "bericht.html", { QStringLiteral("bericht.html") }, "<!DOCTYPE html>" },
        { "bericht.HTM", { QStringLiteral("bericht.HTM") }, "<!DOCTYPE html>" },
        { "bericht.csv", { QStringLiteral("bericht.csv") }, "\xEF\xBB\xBFJahreskalender" },
        { "bericht.txt", { QStringLiteral("bericht.txt") }, "Jahreskalender" },
        { "bericht.rtf", { QStringLiteral("bericht.rtf") }, "{\\rtf1" },
        { "bericht.xlsx", { QStringLiteral("bericht.xlsx") }, "PK" },
        { "bericht.pdf", { QStringLiteral("bericht.pdf") }, "%PDF" },
        { "bericht.wmf", { QStringLiteral("bericht-1.wmf"), QStringLiteral("bericht-2.wmf") },
            "\xD7\xCD\xC6\x9A" },
        { "bericht.png", { QStringLiteral("bericht-1.png"), QStringLiteral("bericht-2.png") },
            "\x89PNG" },
        { "bericht.svg", { QStringLiteral("bericht-1.svg"), QStringLiteral("bericht-2.svg") },
            "<?xml" },
    };
    for (const Case &c : cases) {
        kb::test::TempDir dir;
        const QStringList written = exportDocument(doc, dir.file(QString::fromLatin1(c.name)));
        EXPECT_EQ(filesIn(dir), c.files) << c.name;
        EXPECT_EQ(written.size(), c.files.size()) << c.name;
        for (const QString &path : written)
            EXPECT_TRUE(kb::test::readAll(path).startsWith(c.start)) << path.toStdString();
    }
}

TEST(Export, OnePageReportIsNumberedToo)
{
    Document doc = kb::test::sampleDocument();
    doc.pages.pop_back();
    kb::test::TempDir dir;
    exportDocument(doc, dir.file(QStringLiteral("tag.wmf")));
    EXPECT_EQ(filesIn(dir), QStringList(QStringLiteral("tag-1.wmf")));
}

TEST(Export, PageWithoutTextsIsExportedInEveryFormat)
{
    Document doc;
    doc.pages.emplace_back();
    doc.pages.back().items.push_back(LineItem { QLineF(10, 10, 100, 10), PenSpec {} });
    doc.pages.back().items.push_back(kb::test::text(QStringLiteral(" "), 10, 20, 50, 18));
    for (const char *name :
        { "a.html", "a.csv", "a.txt", "a.rtf", "a.xlsx", "a.wmf", "a.pdf", "a.png", "a.svg" }) {
        kb::test::TempDir dir;
        const QStringList files = exportDocument(doc, dir.file(QString::fromLatin1(name)));
        ASSERT_EQ(files.size(), 1) << name;
        EXPECT_TRUE(QFileInfo::exists(files[0])) << name;
    }
}

void expectError(const Document &doc, const QString &path, const QString &message)
{
    const QString error = kb::test::errorOf([&] { exportDocument(doc, path); });
    EXPECT_TRUE(error.startsWith(message)) << path.toStdString() << ": " << error.toStdString();
}

// A full disk is an error for every format, and a good earlier export stays as it was.
TEST(Export, AFullDiskFailsAndKeepsTheEarlierExport)
{
    const Document doc = kb::test::sampleDocument();
    for (const char *name :
        { "a.html", "a.csv", "a.txt", "a.rtf", "a.xlsx", "a.wmf", "a.pdf", "a.png", "a.svg" }) {
        kb::test::TempDir dir;
        const QStringList files = exportDocument(doc, dir.file(QString::fromLatin1(name)));
        std::vector<QByteArray> before;
        for (const QString &f : files)
            before.push_back(kb::test::readAll(f));
        for (const qint64 room : { 0, 100 }) {
            kb::testing::limitWrites(room);
            const QString error = kb::test::errorOf(
                [&] { exportDocument(doc, dir.file(QString::fromLatin1(name))); });
            kb::testing::limitWrites(-1);
            EXPECT_TRUE(error.contains(QStringLiteral("kein Platz mehr frei")))
                << name << error.toStdString();
            for (std::size_t i = 0; i < before.size(); ++i)
                EXPECT_EQ(kb::test::readAll(files[qsizetype(i)]), before[i]) << name;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), files.size())
                << name;
        }
    }
}

TEST(Export, RefusesWhatItCannotWriteAndLeavesNoFile)
{
    kb::test::TempDir dir;
    const Document doc = kb::test::sampleDocument();
    expectError(doc, dir.file(QStringLiteral("bericht.doc")),
        QStringLiteral("Das Format der Datei \"%1\" kann nicht exportiert werden.")
            .arg(QDir::toNativeSeparators(dir.file(QStringLiteral("bericht.doc")))));
    expectError(doc, dir.file(QStringLiteral("bericht")), QStringLiteral("Das Format der Datei"));
    expectError(Document {}, dir.file(QStringLiteral("leer.csv")),
        QStringLiteral("Der Bericht hat keine Seiten."));
    expectError(doc, dir.file(QStringLiteral("fehlt/bericht.csv")),
        QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.")
            .arg(QDir::toNativeSeparators(dir.file(QStringLiteral("fehlt/bericht.csv")))));
    for (const char *name :
        { "fehlt/b.xlsx", "fehlt/b.wmf", "fehlt/b.rtf", "fehlt/b.pdf", "fehlt/b.png" })
        EXPECT_THROW(exportDocument(doc, dir.file(QString::fromLatin1(name))), kb::Error) << name;
    EXPECT_EQ(filesIn(dir), QStringList());
}

TEST(Export, SaveDialogFilterOffersExactlyTheKnownFormats)
{
    const QRegularExpression pattern(QStringLiteral("\\*(\\.\\w+)"));
    QStringList suffixes;
    for (const QRegularExpressionMatch &m : pattern.globalMatch(exportFileFilter()))
        suffixes.append(m.captured(1));
    EXPECT_EQ(suffixes,
        QStringList({ QStringLiteral(".pdf"), QStringLiteral(".png"), QStringLiteral(".svg"),
            QStringLiteral(".wmf"), QStringLiteral(".html"), QStringLiteral(".htm"),
            QStringLiteral(".csv"), QStringLiteral(".txt"), QStringLiteral(".rtf"),
            QStringLiteral(".xlsx") }));
    for (const QString &suffix : suffixes)
        EXPECT_TRUE(isExportFormat(QStringLiteral("Bericht") + suffix.toUpper()))
            << suffix.toStdString();
    EXPECT_FALSE(isExportFormat(QStringLiteral("Bericht.doc")));
    EXPECT_FALSE(isExportFormat(QStringLiteral("Bericht")));
}

TEST(Export, ReplacesAnExistingFileCompletely)
{
    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("bericht.csv"));
    kb::test::writeAll(path, QByteArray(100000, 'x'));
    exportDocument(kb::test::sampleDocument(), path);
    EXPECT_EQ(kb::test::readAll(path), csvExport(kb::test::sampleDocument()));
}

TEST(Export, PdfKeepsTextsAndPages)
{
    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("bericht.pdf"));
    exportDocument(kb::test::sampleDocument(), path);
    const QString info = QString::fromUtf8(kb::test::runTool(QStringLiteral("pdfinfo"), { path }));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595.2")) || info.contains(QStringLiteral("595 x")))
        << info.toStdString();
    const QString text = QString::fromUtf8(
        kb::test::runTool(QStringLiteral("pdftotext"), { path, QStringLiteral("-") }));
    for (const char *t :
        { "Jahreskalender 2027", "Neujahr", "Grüße aus Köln – Straße", "Übersicht" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
}

} // namespace
