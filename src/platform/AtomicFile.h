#pragma once

#include "platform/Error.h"

#include <QByteArray>
#include <QString>

namespace kb {

// A file that could not be written: the message names the file and the reason, reason()
// holds the reason alone for callers that word the message their own way.
class FileWriteError : public Error {
public:
    FileWriteError(const QString &path, const QString &reason);
    const QString &reason() const noexcept { return m_reason; }

private:
    QString m_reason;
};

// Writes `bytes` to `path` completely or not at all. The bytes go into a new hidden file beside
// the target; every write is checked, the file is flushed to disk and closed, and only then
// renamed over the target, so a full disk, a failing device or a crash leaves the old file
// as it was. The new file is locked while it is written; hidden files of earlier writes of the
// same target that nobody holds locked (left by a killed run) are removed first. A symbolic
// link is followed: the file it points to is replaced and the link stays. A file that is
// replaced keeps its permissions; a device or FIFO is never replaced. Throws FileWriteError:
// "Die Datei \"<path>\" konnte nicht geschrieben werden. <reason>".
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Appends `bytes` to `path` (created when missing) without waiting for the disk. Throws
// FileWriteError; part of the bytes may then have been appended.
void appendToFile(const QString &path, const QByteArray &bytes);

// The German reason for a system error number ("Auf dem Datenträger ist kein Platz mehr
// frei" ...).
QString systemErrorText(int errorNumber);

// The German reason for a name that is no regular file (a device, FIFO or directory).
QString keineDateiText();

// An input file the user named, read whole. Only a regular file (or a link to one) is read:
// a device, FIFO or directory is refused without waiting for a writer, and the size limit
// holds while reading, so a file that grows meanwhile is refused too.
struct InputFile {
    enum class Problem { None, Unreadable, NotAFile, TooLarge };
    Problem problem = Problem::None;
    QByteArray bytes;
    QString reason; // the German reason when unreadable
};
InputFile readInputFile(const QString &path, qint64 limit);
// The same checks without reading the content (`bytes` stays empty): whether readInputFile()
// would refuse the file as it is now.
InputFile inspectInputFile(const QString &path, qint64 limit);

// A write beyond the process's file-size limit (ulimit -f) fails with EFBIG and its German
// message instead of killing the program without a word. Both programs call it first.
void dateigrenzeAlsFehler();

namespace testing {
// Tests make the disk "full": while set, the writer stores at most `bytes` bytes of every file
// and then fails as the system does when no space is left. A negative value ends it.
void limitWrites(qint64 bytes);
} // namespace testing

} // namespace kb
