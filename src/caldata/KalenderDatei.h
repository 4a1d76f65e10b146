#pragma once

#include <QString>

namespace kb {

class Table;

// The files of one calendar: `<name>.QVK` marks it, `<name>.DB` holds the days and
// `<name>Bild.DB` the months. The tables are found by replacing the calendar file's
// four-character extension.
struct KalenderDatei {
    QString directory; // ends with '/'
    QString qvk; // file names without directory
    QString jahrTabelle;
    QString bildTabelle;

    QString qvkPfad() const { return directory + qvk; }
    QString jahrPfad() const { return directory + jahrTabelle; }
    QString bildPfad() const { return directory + bildTabelle; }

    // The files of the calendar file at `path` (any extension of four characters).
    static KalenderDatei ausQvk(const QString &path);
    // The files of a new calendar `name` in `directory`.
    static KalenderDatei neu(const QString &directory, const QString &name);
    // True for the extensions the open dialog accepts: exactly ".QVK" or ".qvk".
    static bool istKalenderdatei(const QString &path);
    // The files of an existing calendar file; kb::Error when `path` is no calendar file
    // or does not exist.
    static KalenderDatei vorhanden(const QString &path);
};

// The maker's web address in the banner lines of calendar and personal-dates files.
inline constexpr char kWebadresse[] = "www.ri-dozu.de";

// The one line of a calendar file, ending with CR LF.
QString kalenderdateiZeile(const QString &name, const QString &vorname);

// Passwords are at most this long, as the password dialog allows.
inline constexpr int kMaxPasswortLaenge = 10;

// Protects a calendar with a master password (the first ten characters of `password`): the
// year table and, when given, the picture table, so that neither the days nor the months can
// be read without it. An empty password removes the protection. Both tables are closed first;
// each is restructured with the password while opened exclusively, atomically (a failure
// leaves that table as it was). When the picture table fails after the year table succeeded,
// the year table is put back as it was, so the calendar never ends half protected. Each
// table is opened again (shared) when it was open before, also after a failure.
// `bildTabelle` may be null: then only the year table is protected.
void passwortSetzen(Table &jahrTabelle, Table *bildTabelle, const QString &password);

} // namespace kb
