#include "app/cli/Cli.h"
#include "platform/AtomicFile.h"
#include "platform/Haltepunkt.h"
#include "platform/Sprache.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Crash tests name one point between the steps of a rewrite where the program dies at once,
// as if killed there.
void haltepunktAusUmgebung()
{
    const QByteArray punkt = qgetenv("KRONOBLATT_HALTEPUNKT");
    if (punkt.isEmpty())
        return;
    kb::setHaltepunktAktion([punkt](const char *name) {
        if (punkt != name)
            return;
#ifdef SIGKILL
        std::raise(SIGKILL);
#endif
        std::_Exit(137);
    });
}

} // namespace

int main(int argc, char **argv)
{
    kb::dateigrenzeAlsFehler();
    // The command line never needs a display; painting (PDF, pictures) works offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // One folder per user: Qt refuses a runtime folder another user owns.
        QString dir = QDir::tempPath() + QStringLiteral("/kronoblatt-runtime");
#ifdef Q_OS_UNIX
        dir += QLatin1Char('-') + QString::number(getuid());
#endif
        QDir().mkpath(dir);
        QFile::setPermissions(
            dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toUtf8());
    }
    haltepunktAusUmgebung();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Kronoblatt"));
    kb::deutschEinrichten();

    QTextStream in(stdin);
    in.setEncoding(QStringConverter::Utf8);
    kb::cli::setStandardInput(&in);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int code = kb::cli::run(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
