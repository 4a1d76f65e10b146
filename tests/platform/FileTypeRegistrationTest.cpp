#include "platform/FileTypeRegistration.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kb;

namespace {

// The system's data folders (XDG_DATA_DIRS) for one test.
class SystemOrdner {
public:
    SystemOrdner()
        : m_vorher(qgetenv("XDG_DATA_DIRS"))
    {
        qputenv("XDG_DATA_DIRS", m_dir.path().toUtf8());
    }
    ~SystemOrdner() { qputenv("XDG_DATA_DIRS", m_vorher); }
    void anlegen(const QString &name)
    {
        QDir().mkpath(QFileInfo(m_dir.file(name)).absolutePath());
        test::writeAll(m_dir.file(name), "x");
    }

private:
    test::TempDir m_dir;
    QByteArray m_vorher;
};

TEST(FileTypeRegistration, WritesMimeTypeIconAndDesktopEntryOnceAndAgainWhenMoved)
{
    const SystemOrdner ohnePaket;
    test::TempDir home;
    test::TempDir quelle;
    test::writeAll(quelle.file(QStringLiteral("kronoblatt.png")), "PNG");
    const QString icon = quelle.file(QStringLiteral("kronoblatt.png"));

    EXPECT_TRUE(FileType::registrieren(home.path(), QStringLiteral("/opt/kb/kronoblatt"), icon));
    const QByteArray mime
        = test::readAll(home.file(QStringLiteral("mime/packages/kronoblatt.xml")));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.qvk\"/>"));
    EXPECT_TRUE(mime.contains("application/x-kronoblatt"));
    // Form files open in the designer with a double click as well; the same types as the
    // package's own file.
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-kronoblatt-formular\">\n"
                              "    <comment>Kronoblatt calendar form</comment>\n"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.qvf\"/>"));
    EXPECT_EQ(mime, FileType::mimeXml());
    EXPECT_EQ(test::readAll(home.file(QStringLiteral("icons/hicolor/256x256/apps/kronoblatt.png"))),
        QByteArray("PNG"));
    const QByteArray entry
        = test::readAll(home.file(QStringLiteral("applications/kronoblatt.desktop")));
    EXPECT_TRUE(entry.contains("Exec=\"/opt/kb/kronoblatt\" %f\n"));
    EXPECT_TRUE(
        entry.contains("MimeType=application/x-kronoblatt;application/x-kronoblatt-formular;\n"));

    // Nothing to do on the next start; a moved program gets its entry rewritten.
    EXPECT_FALSE(FileType::registrieren(home.path(), QStringLiteral("/opt/kb/kronoblatt"), icon));
    EXPECT_TRUE(FileType::registrieren(home.path(), QStringLiteral("/usr/bin/kronoblatt"), icon));
    EXPECT_TRUE(test::readAll(home.file(QStringLiteral("applications/kronoblatt.desktop")))
                    .contains("Exec=\"/usr/bin/kronoblatt\" %f\n"));
}

TEST(FileTypeRegistration, AnInstalledPackageMakesTheUsersOwnCopiesNeedless)
{
    struct Fall {
        const char *was;
        bool mime;
        bool eintrag;
        bool geschrieben;
    };
    const Fall faelle[] = {
        { "MIME type and menu entry installed: nothing written", true, true, false },
        { "only the MIME type installed: the user's own copies", true, false, true },
        { "nothing installed: the user's own copies", false, false, true },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.was);
        SystemOrdner system;
        if (f.mime)
            system.anlegen(QStringLiteral("mime/packages/kronoblatt.xml"));
        if (f.eintrag)
            system.anlegen(QStringLiteral("applications/kronoblatt.desktop"));
        test::TempDir home;
        EXPECT_EQ(FileType::registrieren(home.path(), QStringLiteral("/opt/kb/kronoblatt"), {}),
            f.geschrieben);
        EXPECT_EQ(QFileInfo::exists(home.file(QStringLiteral("applications/kronoblatt.desktop"))),
            f.geschrieben);
    }
}

TEST(FileTypeRegistration, CopiesInTheUsersOwnDataFolderAreNoInstalledPackage)
{
    // What an earlier start wrote into the user's usual data folder is not a package.
    const SystemOrdner ohnePaket;
    test::TempDir benutzer;
    const QByteArray vorher = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", benutzer.path().toUtf8());
    for (const char *name : { "mime/packages/kronoblatt.xml", "applications/kronoblatt.desktop" }) {
        const QString datei = benutzer.file(QString::fromLatin1(name));
        QDir().mkpath(QFileInfo(datei).absolutePath());
        test::writeAll(datei, "x");
    }
    test::TempDir home;
    const bool geschrieben
        = FileType::registrieren(home.path(), QStringLiteral("/opt/kb/kronoblatt"), {});
    qputenv("XDG_DATA_HOME", vorher);
    EXPECT_TRUE(geschrieben);
}

TEST(FileTypeRegistration, FailuresAreSilent)
{
    test::TempDir home;
    // A file where the folder should be: nothing can be written, and nothing is thrown.
    test::writeAll(home.file(QStringLiteral("mime")), "x");
    test::writeAll(home.file(QStringLiteral("applications")), "x");
    test::writeAll(home.file(QStringLiteral("icons")), "x");
    EXPECT_FALSE(FileType::registrieren(
        home.path(), QStringLiteral("/opt/kb/kronoblatt"), home.file(QStringLiteral("fehlt.png"))));
    EXPECT_FALSE(FileType::registrieren(QString(), QStringLiteral("/x"), QString()));
}

TEST(FileTypeRegistration, ExecPathIsQuotedForTheDesktopEntry)
{
    const struct {
        const char *pfad;
        const char *exec;
    } faelle[] = {
        { "/opt/Kronoblatt Programm/kronoblatt", "\"/opt/Kronoblatt Programm/kronoblatt\"" },
        { "/opt/a\"b$c`d/kb", "\"/opt/a\\\\\"b\\\\$c\\\\`d/kb\"" },
        { "/opt/back\\slash/kb", "\"/opt/back\\\\\\\\slash/kb\"" },
        { "/opt/100%/kb", "\"/opt/100%%/kb\"" },
    };
    for (const auto &f : faelle)
        EXPECT_EQ(FileType::execQuoted(QString::fromUtf8(f.pfad)), QString::fromUtf8(f.exec))
            << f.pfad;
}

} // namespace
