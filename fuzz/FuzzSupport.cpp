#include "FuzzSupport.h"

#include "platform/OhneDialogUi.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace kb::fuzz {
namespace {

// The code under test may ask the user (a password, a missing picture); the answer is
// always "no", and nothing is shown.
class QuietUi final : public OhneDialogUi { };

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

std::unique_ptr<QTemporaryDir> &scratch()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

} // namespace

void initialize(int *argc, char ***argv)
{
    // Qt takes the options it knows out of the arguments: it gets only the program name, so
    // that libFuzzer's own options stay as they are.
    static int qtArgc = 1;
    static char *qtArgv[] = { *argc > 0 ? (*argv)[0] : nullptr, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessage);
    // Lives until the process ends: libFuzzer leaves through exit().
    static QGuiApplication app(qtArgc, qtArgv);
    installUi(std::make_unique<QuietUi>());
    scratch() = std::make_unique<QTemporaryDir>();
    if (!scratch()->isValid())
        std::abort();
    // The folder goes with the process, also when libFuzzer ends it through exit().
    std::atexit([] { scratch().reset(); });
}

QString scratchDir()
{
    return scratch()->path();
}

QString writeScratch(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = scratch()->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace kb::fuzz
