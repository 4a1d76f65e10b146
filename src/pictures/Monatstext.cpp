#include "pictures/Monatstext.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace kb {

QString monatstextAusBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString monatstextLesen(const QString &pfad)
{
    const QString name = QFileInfo(pfad).fileName();
    InputFile datei = readInputFile(pfad, kGroessteTextdatei);
    switch (datei.problem) {
    case InputFile::Problem::None:
        break;
    case InputFile::Problem::Unreadable:
        throw Error(QStringLiteral("Die Textdatei \"%1\" kann nicht gelesen werden: %2")
                        .arg(name, datei.reason));
    case InputFile::Problem::NotAFile:
        throw Error(QStringLiteral("Die Textdatei \"%1\" ist keine gewöhnliche Datei (etwa ein "
                                   "Gerät oder eine Pipe) und kann nicht gelesen werden.")
                        .arg(name));
    case InputFile::Problem::TooLarge:
        throw Error(
            QStringLiteral("Die Textdatei \"%1\" ist zu groß für einen Monatstext.").arg(name));
    }
    const QByteArray bytes = std::move(datei.bytes);
    return monatstextAusBytes(bytes);
}

} // namespace kb
