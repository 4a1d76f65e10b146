#include "app/cli/Cli.h"

#include "app/cli/CliCommands.h"

namespace kb::cli {

Args::Args(QStringList args)
    : m_args(std::move(args))
{
}

std::optional<QString> Args::option(const QString &name)
{
    const qsizetype i = m_args.indexOf(name);
    if (i < 0)
        return std::nullopt;
    if (i + 1 >= m_args.size())
        throw UsageError(QStringLiteral("Zur Option %1 fehlt der Wert.").arg(name));
    QString value = m_args.at(i + 1);
    m_args.remove(i, 2);
    return value;
}

QString Args::required(const QString &name)
{
    auto value = option(name);
    if (!value)
        throw UsageError(QStringLiteral("Die Option %1 fehlt.").arg(name));
    return *value;
}

bool Args::flag(const QString &name)
{
    return m_args.removeAll(name) > 0;
}

QStringList Args::positional(int count)
{
    for (const QString &a : std::as_const(m_args)) {
        if (a.startsWith(QLatin1String("--")))
            throw UsageError(QStringLiteral("Unbekannte Option: %1").arg(a));
    }
    if (m_args.size() != count)
        throw UsageError(QStringLiteral("Falsche Anzahl von Argumenten."));
    return m_args;
}

namespace {

void printHelp(QTextStream &out)
{
    out << "Kronoblatt " KB_VERSION " – Kalender und Organizer, Befehlszeile\n\n"
        << "Aufruf: kronoblatt-cli BEFEHL [ARGUMENTE]\n"
        << "        kronoblatt-cli --help | --version\n\n"
        << "Befehle:\n";
    for (const Command &c : commands()) {
        out << "  " << QString::fromUtf8(c.usage) << "\n"
            << "      " << QString::fromUtf8(c.summary) << "\n";
    }
    out << "\nExit-Code: 0 bei Erfolg, 1 bei einem Fehler (Meldung auf stderr),"
           " 2 bei falschem Aufruf.\n";
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty()) {
        printHelp(err);
        return 2;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")
        || name == QLatin1String("hilfe")) {
        printHelp(out);
        return 0;
    }
    if (name == QLatin1String("--version")) {
        out << "kronoblatt-cli " KB_VERSION "\n";
        return 0;
    }
    for (const Command &c : commands()) {
        if (name != QLatin1String(c.name))
            continue;
        Io io{arguments.mid(1), out, err};
        try {
            if (io.args.contains(QLatin1String("--help"))) {
                out << "Aufruf: kronoblatt-cli " << QString::fromUtf8(c.usage) << "\n"
                    << QString::fromUtf8(c.summary) << "\n";
                return 0;
            }
            return c.run(io);
        } catch (const UsageError &e) {
            err << e.message() << "\n"
                << "Aufruf: kronoblatt-cli " << QString::fromUtf8(c.usage) << "\n";
            return 2;
        } catch (const Error &e) {
            err << e.message() << "\n";
            return 1;
        }
    }
    err << "Unbekannter Befehl: " << name << "\nkronoblatt-cli --help zeigt alle Befehle.\n";
    return 2;
}

} // namespace kb::cli
