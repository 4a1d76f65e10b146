#include "designer/FormFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kb::designer {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The size tells whether the file can be a form file at all.
void checkSize(qint64 size, const QString &path)
{
    if (size % FormRecord::kSize != 0) {
        throw Error(QStringLiteral("Die Datei %1 ist keine gültige Formulardatei: Ihre Größe "
                                   "von %2 Bytes ist kein Vielfaches von %3 Bytes. Sie ist "
                                   "wohl unvollständig oder beschädigt.")
                        .arg(shown(path))
                        .arg(size)
                        .arg(FormRecord::kSize));
    }
    if (size / FormRecord::kSize > kMaxFormRecords) {
        throw Error(QStringLiteral("Die Datei %1 ist keine gültige Formulardatei: Sie enthält "
                                   "%2 Sätze, ein Formular höchstens %3.")
                        .arg(shown(path))
                        .arg(size / FormRecord::kSize)
                        .arg(kMaxFormRecords));
    }
}

} // namespace

std::vector<FormRecord> parseFormFile(QByteArrayView bytes, const QString &path)
{
    checkSize(bytes.size(), path);
    const qsizetype count = bytes.size() / FormRecord::kSize;
    std::vector<FormRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        QString fault;
        std::optional<FormRecord> r
            = FormRecord::read(bytes.data() + i * FormRecord::kSize, &fault);
        if (!r) {
            throw Error(QStringLiteral("Die Formulardatei %1 ist beschädigt (Satz %2): %3")
                            .arg(shown(path))
                            .arg(i + 1)
                            .arg(fault));
        }
        records.push_back(std::move(*r));
    }
    return records;
}

std::vector<FormRecord> readFormFile(const QString &path)
{
    // The limit holds while reading, so a huge file is never loaded into memory.
    const qint64 limit = qint64(kMaxFormRecords) * FormRecord::kSize;
    InputFile file = readInputFile(path, limit);
    switch (file.problem) {
    case InputFile::Problem::None:
        break;
    case InputFile::Problem::Unreadable:
        throw Error(QStringLiteral("Die Formulardatei %1 kann nicht gelesen werden: %2")
                        .arg(shown(path), file.reason));
    case InputFile::Problem::NotAFile:
        throw Error(QStringLiteral("Die Formulardatei %1 ist keine gewöhnliche Datei (etwa ein "
                                   "Gerät oder eine Pipe) und kann nicht gelesen werden.")
                        .arg(shown(path)));
    case InputFile::Problem::TooLarge:
        checkSize(QFileInfo(path).size(), path);
        checkSize(limit + FormRecord::kSize, path);
        break;
    }
    return parseFormFile(file.bytes, path);
}

QByteArray formFileBytes(const std::vector<FormRecord> &records)
{
    QByteArray bytes(static_cast<qsizetype>(records.size()) * FormRecord::kSize, Qt::Uninitialized);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].writeTo(bytes.data() + static_cast<qsizetype>(i) * FormRecord::kSize);
    return bytes;
}

void writeFormFile(const QString &path, const std::vector<FormRecord> &records)
{
    const QByteArray bytes = formFileBytes(records);
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileWriteError &e) {
        throw Error(QStringLiteral("Die Formulardatei %1 kann nicht gespeichert werden: %2\n"
                                   "Die bisherige Datei bleibt unverändert.")
                        .arg(shown(path), e.reason()));
    }
}

} // namespace kb::designer
