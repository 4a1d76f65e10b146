#pragma once

#include "app/cli/Cli.h"

#include <QStringList>
#include <QTextStream>

namespace kb::test {

struct CliResult {
    int code = -1;
    QString out;
    QString err;
};

// Runs kronoblatt-cli in-process with the given arguments.
inline CliResult runCli(const QStringList &args)
{
    CliResult r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = kb::cli::run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace kb::test
