#pragma once

#include "platform/Ui.h"
#include "storage/Table.h"

#include <QString>
#include <memory>
#include <optional>

namespace kb::cli {

class Call;
struct Option;

// The option --passwort of every command that opens a calendar; read it with AufrufPasswort.
Option passwortOption();

// The password given for the option `name` ("passwort", "neu"): its value, or for the value "-"
// one line of standard input (so that the process list never shows it). Without the option,
// "passwort" takes the environment variable KRONOBLATT_PASSWORT when it is set. Nullopt when
// none is given; kb::Error when "-" finds standard input at its end.
std::optional<QString> passwortAngabe(const Call &call, const QString &name);

// The password given with --passwort answers the table engine's password question, as the
// password dialog does in the desktop program: a wrong one fails with "Falsches Passwort für
// Tabelle ...", a missing one with "Kein Passwort für Tabelle ... angegeben". As when a
// calendar is opened, only the password given now counts.
class AufrufPasswort {
public:
    explicit AufrufPasswort(const std::optional<QString> &password)
        : m_vorher(installUi(headlessUi(password)))
    {
        Session::removeAllPasswords();
    }
    // The password of --passwort as passwortAngabe() finds it.
    explicit AufrufPasswort(const Call &call);
    ~AufrufPasswort() { installUi(std::move(m_vorher)); }
    AufrufPasswort(const AufrufPasswort &) = delete;
    AufrufPasswort &operator=(const AufrufPasswort &) = delete;

private:
    std::unique_ptr<Ui> m_vorher;
};

} // namespace kb::cli
