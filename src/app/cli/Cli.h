#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace kb::cli {

// A wrong command line: exit code 2 with the message and a hint to --help.
class UsageError : public Error
{
public:
    using Error::Error;
};

// What a command sees: its arguments (without the command name) and UTF-8 output streams.
struct Io
{
    QStringList args;
    QTextStream &out;
    QTextStream &err;
};

// Small argument reader for "--name value" options and positional arguments.
class Args
{
public:
    explicit Args(QStringList args);
    // Takes "--name VALUE" out of the list; nullopt when absent. UsageError without a value.
    std::optional<QString> option(const QString &name);
    QString required(const QString &name);
    bool flag(const QString &name);
    // The remaining positional arguments; UsageError when an unknown option is left or the
    // count differs from `count`.
    QStringList positional(int count);

private:
    QStringList m_args;
};

// Runs the command line; returns the exit code (0 ok, 1 failure, 2 usage error).
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace kb::cli
