#pragma once

#include "platform/Error.h"

#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable QString in gtest failure output.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kb::test {

// A temporary directory for one test, with '/'-terminated path().
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);

// The German message of the kb::Error that `f` throws; empty when it throws none.
template<typename F> QString errorOf(F &&f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace kb::test
