#include "app/cli/Cli.h"

#include "app/cli/CliCommands.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/Sicherungen.h"
#include "platform/Logging.h"
#include "platform/Sprache.h"
#include "settings/KalenderIni.h"

#include <QDir>

namespace kb::cli {

namespace {

constexpr int kLineWidth = 79;

QString shownName(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// "--layout NAME", "-o DATEI", "--help"
QString optionText(const Option &o)
{
    const QString name = shownName(o.names.first());
    return o.valueName.isEmpty() ? name : name + QLatin1Char(' ') + o.valueName;
}

// "-o, --ausgabe DATEI": every name, as the option table of a command's help shows it.
QString optionNames(const Option &o)
{
    QStringList names;
    for (const QString &name : o.names)
        names.append(shownName(name));
    const QString all = names.join(QStringLiteral(", "));
    return o.valueName.isEmpty() ? all : all + QLatin1Char(' ') + o.valueName;
}

const Option &helpOption()
{
    static const Option help { { QStringLiteral("h"), QStringLiteral("help") }, {},
        QStringLiteral("zeigt diese Hilfe"), false };
    return help;
}

// `text` broken into lines of at most `width` characters at blanks; line breaks in `text`
// are kept, and a line that starts with a blank is taken as it stands.
QStringList wrapped(const QString &text, int width)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.startsWith(QLatin1Char(' '))) {
            lines.append(paragraph);
            continue;
        }
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
                lines.append(line);
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines.append(line);
    }
    return lines;
}

// `text` wrapped, every line indented by `indent` blanks.
QString block(const QString &text, int indent)
{
    const QString pad(indent, QLatin1Char(' '));
    QString result;
    for (const QString &line : wrapped(text, kLineWidth - indent))
        result += (line.isEmpty() ? QString() : pad + line) + QLatin1Char('\n');
    return result;
}

// Two columns: the names on the left, the wrapped descriptions beside them.
QString table(const QList<std::pair<QString, QString>> &rows)
{
    qsizetype left = 0;
    for (const auto &[name, description] : rows)
        left = std::max(left, name.size());
    const int indent = 2 + int(left) + 2;
    QString result;
    for (const auto &[name, description] : rows) {
        const QStringList lines = wrapped(description, kLineWidth - indent);
        result += QStringLiteral("  ") + name.leftJustified(left + 2) + lines.first()
            + QLatin1Char('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            result += QString(indent, QLatin1Char(' ')) + lines.at(i) + QLatin1Char('\n');
    }
    return result;
}

void printOverview(QTextStream &out)
{
    out << QStringLiteral("Kronoblatt " KB_VERSION " – Kalender und Organizer, Befehlszeile\n\n"
                          "Aufruf: kronoblatt-cli BEFEHL [ARGUMENTE]\n"
                          "        kronoblatt-cli hilfe [BEFEHL] | --help | --version\n\n"
                          "Befehle:\n");
    for (const Command &c : commands())
        out << QStringLiteral("  ") << usage(c) << '\n' << block(c.summary, 6);
    out << '\n'
        << block(QStringLiteral("kronoblatt-cli hilfe BEFEHL oder kronoblatt-cli BEFEHL --help "
                                "zeigt die Hilfe eines Befehls.\n"
                                "Exit-Code: 0 bei Erfolg, 1 bei einem Fehler (Meldung auf stderr), "
                                "2 bei falschem Aufruf."),
               0);
}

void printHelp(const Command &c, QTextStream &out)
{
    out << QStringLiteral("Aufruf: kronoblatt-cli ") << usage(c) << QStringLiteral("\n\n")
        << block(c.summary, 0);
    if (!c.arguments.isEmpty()) {
        QList<std::pair<QString, QString>> rows;
        for (const Argument &a : c.arguments)
            rows.append({ a.name, a.description });
        out << QStringLiteral("\nArgumente:\n") << table(rows);
    }
    QList<std::pair<QString, QString>> rows;
    for (const Option &o : c.options)
        rows.append({ optionNames(o), o.description });
    rows.append({ optionNames(helpOption()), helpOption().description });
    out << QStringLiteral("\nOptionen:\n") << table(rows);
    if (!c.details.isEmpty())
        out << '\n' << block(c.details, 0);
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

int unknownCommand(const QString &name, QTextStream &err)
{
    err << QStringLiteral("Unbekannter Befehl: ") << name
        << QStringLiteral("\nkronoblatt-cli --help zeigt alle Befehle.\n");
    return 2;
}

// "kronoblatt-cli hilfe [BEFEHL]"
int help(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        printOverview(out);
        return 0;
    }
    if (args.size() > 1) {
        err << QStringLiteral("Zu viele Argumente: ") << args.mid(1).join(QLatin1Char(' '))
            << QStringLiteral("\nAufruf: kronoblatt-cli hilfe [BEFEHL]\n");
        return 2;
    }
    const Command *c = findCommand(args.first());
    if (!c)
        return unknownCommand(args.first(), err);
    printHelp(*c, out);
    return 0;
}

int runCommand(const Command &c, const QStringList &args, QTextStream &out, QTextStream &err)
{
    try {
        Call call(c, args, out, err);
        if (call.helpRequested()) {
            printHelp(c, out);
            return 0;
        }
        return c.run(call);
    } catch (const UsageError &e) {
        err << e.message() << QStringLiteral("\nAufruf: kronoblatt-cli ") << usage(c) << '\n';
        return 2;
    } catch (const Error &e) {
        err << e.message() << '\n';
        return 1;
    }
}

// QCommandLineParser's own messages are English; ours say the same in German.
QString parseError(const Command &c, const QStringList &args, const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("Unbekannte Option: %1").arg(shownName(unknown.first()));
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        const QString name
            = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        for (const Option &o : c.options + QList<Option> { helpOption() }) {
            if (!o.names.contains(name))
                continue;
            if (o.valueName.isEmpty() && arg.contains(QLatin1Char('=')))
                return QStringLiteral("Die Option %1 hat keinen Wert.").arg(shownName(name));
            if (!o.valueName.isEmpty() && i + 1 == args.size())
                return QStringLiteral("Zur Option %1 fehlt der Wert.").arg(shownName(name));
        }
    }
    return QStringLiteral("Die Befehlszeile ist fehlerhaft: %1").arg(args.join(QLatin1Char(' ')));
}

} // namespace

Call::Call(const Command &command, const QStringList &args, QTextStream &out, QTextStream &err)
    : out(out)
    , err(err)
{
    for (const Option &o : command.options + QList<Option> { helpOption() })
        m_parser.addOption(QCommandLineOption(o.names, o.description, o.valueName));
    for (const Argument &a : command.arguments)
        m_parser.addPositionalArgument(a.name, a.description);
    if (!m_parser.parse(QStringList { QStringLiteral("kronoblatt-cli") } + args))
        throw UsageError(parseError(command, args, m_parser));
    m_helpRequested = m_parser.isSet(helpOption().names.first());
    if (!m_helpRequested)
        check(command);
}

void Call::check(const Command &command) const
{
    for (const Option &o : command.options) {
        if (o.required && !m_parser.isSet(o.names.first()))
            throw UsageError(
                QStringLiteral("Die Option %1 fehlt.").arg(shownName(o.names.first())));
    }
    const QStringList given = m_parser.positionalArguments();
    const bool many = !command.arguments.isEmpty() && command.arguments.last().many;
    const qsizetype wanted = command.arguments.size() - (many ? 1 : 0);
    if (given.size() < wanted)
        throw UsageError(QStringLiteral("Es fehlt das Argument %1.")
                             .arg(command.arguments.at(given.size()).name));
    if (given.size() > wanted && !many)
        throw UsageError(
            QStringLiteral("Zu viele Argumente: %1").arg(given.mid(wanted).join(QLatin1Char(' '))));
}

std::optional<QString> Call::option(const QString &name) const
{
    if (!m_parser.isSet(name))
        return std::nullopt;
    return m_parser.value(name);
}

QString Call::value(const QString &name) const
{
    return m_parser.value(name);
}

bool Call::isSet(const QString &name) const
{
    return m_parser.isSet(name);
}

QString Call::argument(int index) const
{
    return m_parser.positionalArguments().at(index);
}

QStringList Call::arguments(int from) const
{
    return m_parser.positionalArguments().mid(from);
}

int zahlArgument(const QString &text, int min, int max, const QString &was)
{
    bool ok = false;
    const int zahl = text.toInt(&ok);
    if (!ok || zahl < min || zahl > max)
        throw UsageError(QStringLiteral("%1 muss eine Zahl von %2 bis %3 sein: %4")
                             .arg(was, QString::number(min), QString::number(max), text));
    return zahl;
}

int jahrArgument(const QString &text)
{
    return zahlArgument(text, 1, 9999, QStringLiteral("Das Jahr"));
}

namespace {

UsageError unbekanntesLand(const QString &text)
{
    return UsageError(
        QStringLiteral("Unbekanntes Bundesland: %1 (0 bis 15 oder der Name, z. B. Bayern)")
            .arg(text));
}

} // namespace

LandArgument LandArgument::lesen(const QString &text)
{
    const LandArgument land { text, bundeslandAusArgument(text) };
    bool zahl = false;
    text.toInt(&zahl);
    if (zahl && !land.bekannt())
        throw unbekanntesLand(text);
    return land;
}

int bundeslandArgument(const QString &text)
{
    const LandArgument land = LandArgument::lesen(text);
    if (!land.bekannt())
        throw unbekanntesLand(text);
    return land.index;
}

QString itemList(const QStringList &items)
{
    const QString indent(2, QLatin1Char(' '));
    QString result;
    QString line;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString item = items.at(i) + (i + 1 < items.size() ? QStringLiteral(",") : QString());
        if (!line.isEmpty() && indent.size() + line.size() + 1 + item.size() > kLineWidth) {
            result += indent + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + item;
    }
    return result + indent + line;
}

QString usage(const Command &command)
{
    QStringList parts { command.name };
    for (const Argument &a : command.arguments)
        parts.append(a.many ? QStringLiteral("[%1 …]").arg(a.name) : a.name);
    for (const Option &o : command.options)
        parts.append(
            o.required ? optionText(o) : QLatin1Char('[') + optionText(o) + QLatin1Char(']'));
    return parts.join(QLatin1Char(' '));
}

IniFile einstellungsDatei(const std::optional<QString> &datei, QTextStream &err)
{
    const QString path = datei ? *datei : KalenderIni::read().settingsFilePath();
    IniFile ini(path);
    if (const QString problem = ini.problem(); !problem.isEmpty()) {
        // Like a missing file: the named one is required, the program's own is replaced by
        // the defaults.
        if (datei)
            throw Error(problem);
        err << problem << '\n';
    } else if (!ini.exists()) {
        const QString meldung = QStringLiteral("Datei ") + QDir::toNativeSeparators(path)
            + QStringLiteral(" nicht vorhanden!");
        if (datei)
            throw Error(meldung);
        err << meldung << '\n';
    }
    return ini;
}

namespace {
QTextStream *&standardInput()
{
    static QTextStream *in = nullptr;
    return in;
}
} // namespace

void setStandardInput(QTextStream *in)
{
    standardInput() = in;
}

std::optional<QString> readInputLine()
{
    QTextStream *in = standardInput();
    QString line;
    if (!in || !in->readLineInto(&line))
        return std::nullopt;
    return line;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty()) {
        printOverview(err);
        return 2;
    }
    const QString name = arguments.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printOverview(out);
        return 0;
    }
    if (name == QLatin1String("hilfe"))
        return help(arguments.mid(1), out, err);
    if (name == QLatin1String("--version")) {
        out << versionsAusgabe(QStringLiteral("kronoblatt-cli"));
        return 0;
    }
    const Command *command = findCommand(name);
    if (!command)
        return unknownCommand(name, err);
    // A failed automatic copy is told on stderr; the command goes on.
    Sicherungen::setMeldung([&err](const QString &text) { err << text << '\n'; });
    const int code = runCommand(*command, arguments.mid(1), out, err);
    Sicherungen::setMeldung({});
    qCDebug(lcCli).noquote() << name << "exit code" << code;
    return code;
}

} // namespace kb::cli
