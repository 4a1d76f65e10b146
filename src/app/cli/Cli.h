#pragma once

#include "platform/Error.h"
#include "settings/IniFile.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace kb::cli {

// A wrong command line: exit code 2 with the message and the command's usage.
class UsageError : public Error {
public:
    using Error::Error;
};

// An option of a command: "--name VALUE", or a flag when `valueName` is empty. The first name
// is the one usage lines show; a one-letter name is a short option ("-o").
struct Option {
    QStringList names;
    QString valueName;
    QString description;
    bool required = false;
};

// A positional argument, in the order listed. Every one is required, except that the last
// one may take any number of values, none included (`many`): usage shows "[NAME …]".
struct Argument {
    QString name;
    QString description;
    bool many = false;
};

class Call;

// One command of kronoblatt-cli. Parsing, checking and the help text all come from this
// description; `run` sees only a command line that passed the checks.
struct Command {
    QString name;
    // What the command does: the overview of --help lists it under the usage line.
    QString summary;
    QList<Argument> arguments;
    QList<Option> options;
    // More for the command's own help (possible values, formats); may be empty.
    QString details;
    int (*run)(Call &call);
};

// The parsed command line of one command and the UTF-8 output streams. Construction throws
// UsageError for an unknown option, an option without its value, a missing required option
// and a wrong number of arguments (unless help was asked for).
class Call {
public:
    Call(const Command &command, const QStringList &args, QTextStream &out, QTextStream &err);

    // True for "--help" or "-h": the command's help is shown instead of running it.
    bool helpRequested() const { return m_helpRequested; }
    // The value of an option; nullopt when it was not given.
    std::optional<QString> option(const QString &name) const;
    // The value of a required option.
    QString value(const QString &name) const;
    bool isSet(const QString &name) const;
    // The positional argument at `index`, in the order of Command::arguments.
    QString argument(int index) const;
    // The values from `index` on: those of an argument that takes many.
    QStringList arguments(int from) const;

    QTextStream &out;
    QTextStream &err;

private:
    void check(const Command &command) const;

    QCommandLineParser m_parser;
    bool m_helpRequested = false;
};

// The checks every command shares, so a number, a year or a state reads the same and is
// refused with the same message wherever it is given. All throw UsageError.
// A whole number `min` to `max`; `was` names it for the message ("Das Jahr", "Der Monat" ...).
int zahlArgument(const QString &text, int min, int max, const QString &was);
// A year 1 to 9999.
int jahrArgument(const QString &text);
// A state as the command line gives it, read once: its index "0" to "15" or its name of
// bundeslaender() (letter case ignored) names a state of the list; any other text is kept as
// given (`anlegen` takes it as the wizard does). A number that names no state is refused.
struct LandArgument {
    QString text; // as given
    int index = -1; // the state of the list; -1 for another text

    static LandArgument lesen(const QString &text);
    bool bekannt() const { return index >= 0; }
};
// A state of the list (LandArgument); any other text is refused.
int bundeslandArgument(const QString &text);

// The settings file of --einstellungen / --datei. A file named on the command line must exist
// (kb::Error "Datei <path> nicht vorhanden!"); the program's own may be missing, as at
// start-up: then the same text goes to `err` and every value is its default.
IniFile einstellungsDatei(const std::optional<QString> &datei, QTextStream &err);

// Items for Command::details, separated by commas and indented, each line within the width
// of the help, an item never broken: "  \"1 Seite 12 Spalten\", \"2 Seiten 6 Spalten\", ...".
QString itemList(const QStringList &items);

// "feiertage JAHR LAND", "tage KALENDER.QVK [--passwort P]" ...
QString usage(const Command &command);

// Standard input, read for "--passwort -": main() hands over stdin, tests a stream of their
// own. Without one (or at its end) nothing is read.
void setStandardInput(QTextStream *in);
// One line of standard input without its line end; nullopt at its end.
std::optional<QString> readInputLine();

// Runs the command line; returns the exit code (0 ok, 1 failure, 2 usage error).
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace kb::cli
