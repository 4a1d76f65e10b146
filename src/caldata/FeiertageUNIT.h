#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace kb {

// The sixteen German states in the order of the state index (0 Baden-Württemberg to
// 15 Thüringen), spelled as the wizard lists them and as `BLand` stores them.
const QStringList &bundeslaender();
// Index of an exactly matching state name; -1 when the text names no state.
int bundeslandIndex(const QString &name);
// A state given on a command line: its index "0" to "15" or its name (letter case
// ignored); -1 for anything else.
int bundeslandAusArgument(const QString &text);

// Public holidays and special days of a German state.
//
// Codes: 0 ordinary day, 1 to 23 public holiday, -1 to -27 special day. The table follows
// today's law: Allerheiligen a public holiday only in the five states that keep it (a named
// special day elsewhere), Reformationstag 2017 everywhere and from 2018 in the northern
// states, Frauentag in Berlin and Mecklenburg-Vorpommern, Weltkindertag in Thüringen, the
// Berlin Tag der Befreiung and Jahrestag des Volksaufstandes, Buß- und Bettag everywhere up
// to 1994, and Fronleichnam in Hessen. The Sundays on which summer time begins and ends
// (from 1980) are named as wall calendars show them.
namespace FeiertageUNIT {

// Codes are indexed by the day of the year 1 to 366; index 0 is unused.
using Tabelle = std::array<std::int8_t, 367>;

inline constexpr int kleinsterCode = -27;
inline constexpr int groessterCode = 23;

// 1 for 1 January; 0 for a date that cannot be decoded.
int tagImJahr(const QDate &date);

// Easter Sunday. Gauss's rule for 1900 to 2099, the general Gregorian computus otherwise
// (both agree on every year 1900 to 2099).
QDate ostersonntag(int year);
// Gauss's rule with the constants valid for 1900 to 2099 and its two exceptions.
QDate ostersonntagGauss(int year);
// The anonymous Gregorian computus, valid for every Gregorian year.
QDate ostersonntagGregorianisch(int year);

// The last Sunday before 25 December.
QDate vierterAdvent(int year);

// The holiday table of one year and state (state index 0 to 15). Tables are cached per year
// and state, so asking for every day of a year builds the table once.
Tabelle tabelle(int year, int state);
// Builds the table afresh, without the cache.
Tabelle aufbauen(int year, int state);

// The holiday code of a day; 0 for an invalid date or state.
int kennung(const QDate &date, int state);

// The name of a code: a public holiday for a positive code, a special day for a negative one;
// empty for 0 and unknown codes.
QString name(int code);

// The holiday of a day. For a code other than 0 sets `code` and `name`; for code 0 leaves
// both as the caller preset them. Returns the code.
int feiertag(const QDate &date, int state, int &code, QString &name);

} // namespace FeiertageUNIT
} // namespace kb
