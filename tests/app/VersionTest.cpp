#include "support/TestUtil.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The version in the project's build description: project(Kronoblatt VERSION x.y.z ...).
QString projektVersion()
{
    const QString cmake
        = QString::fromUtf8(kb::test::readAll(QStringLiteral(KB_SOURCE_DIR "/CMakeLists.txt")));
    const auto treffer
        = QRegularExpression(QStringLiteral(R"(project\(\s*Kronoblatt\s+VERSION\s+([0-9.]+))"))
              .match(cmake);
    return treffer.captured(1);
}

TEST(Version, BothProgramsPrintTheProjectVersionAndTheLicence)
{
    const QString version = projektVersion();
    ASSERT_EQ(version, QStringLiteral("3.0.0"));
    for (const QString &programm :
        { QStringLiteral("kronoblatt"), QStringLiteral("kronoblatt-cli") }) {
        SCOPED_TRACE(programm.toStdString());
        QProcess p;
        // The desktop program answers without a display.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KB_BIN_DIR "/") + programm, { QStringLiteral("--version") });
        ASSERT_TRUE(p.waitForFinished(-1));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        const QStringList zeilen
            = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        ASSERT_GE(zeilen.size(), 2);
        EXPECT_EQ(zeilen.at(0), programm + QLatin1Char(' ') + version);
        EXPECT_TRUE(zeilen.at(1).contains(QStringLiteral("GPL-3.0-or-later")));
    }
}

} // namespace
