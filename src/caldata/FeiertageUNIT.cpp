#include "caldata/FeiertageUNIT.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <iterator>

namespace kb {

const QStringList &bundeslaender()
{
    static const QStringList names = {
        QStringLiteral("Baden-Württemberg"),
        QStringLiteral("Bayern"),
        QStringLiteral("Berlin"),
        QStringLiteral("Brandenburg"),
        QStringLiteral("Bremen"),
        QStringLiteral("Hamburg"),
        QStringLiteral("Hessen"),
        QStringLiteral("Mecklenburg-Vorpommern"),
        QStringLiteral("Niedersachsen"),
        QStringLiteral("Nordrhein-Westfalen"),
        QStringLiteral("Rheinland-Pfalz"),
        QStringLiteral("Saarland"),
        QStringLiteral("Sachsen"),
        QStringLiteral("Sachsen-Anhalt"),
        QStringLiteral("Schleswig-Holstein"),
        QStringLiteral("Thüringen"),
    };
    return names;
}

int bundeslandIndex(const QString &name)
{
    return static_cast<int>(bundeslaender().indexOf(name));
}

int bundeslandAusArgument(const QString &text)
{
    bool ok = false;
    const int index = text.toInt(&ok);
    if (ok)
        return index >= 0 && index < 16 && !text.startsWith(QLatin1Char('+')) ? index : -1;
    for (int i = 0; i < 16; ++i) {
        if (bundeslaender().at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace FeiertageUNIT {

namespace {

enum Land {
    BadenWuerttemberg = 0,
    Bayern,
    Berlin,
    Brandenburg,
    Bremen,
    Hamburg,
    Hessen,
    MecklenburgVorpommern,
    Niedersachsen,
    NordrheinWestfalen,
    RheinlandPfalz,
    Saarland,
    Sachsen,
    SachsenAnhalt,
    SchleswigHolstein,
    Thueringen
};

const QString &feiertagName(int code)
{
    static const QString names[] = {
        QString(),
        QStringLiteral("Neujahr"),
        QStringLiteral("Maifeiertag"),
        QStringLiteral("Tag der Einheit"),
        QStringLiteral("Allerheiligen"),
        QStringLiteral("Totensonntag"),
        QStringLiteral("Volkstrauertag"),
        QStringLiteral("1. Weihnachtstag"),
        QStringLiteral("2. Weihnachtstag"),
        QStringLiteral("Karfreitag"),
        QStringLiteral("Ostersonntag"),
        QStringLiteral("Ostermontag"),
        QStringLiteral("Christi Himmelfahrt"),
        QStringLiteral("Pfingstsonntag"),
        QStringLiteral("Pfingstmontag"),
        QStringLiteral("Fronleichnam"),
        QStringLiteral("Heilige 3 Könige"),
        QStringLiteral("Mariä Himmelfahrt"),
        QStringLiteral("Reformationstag"),
        QStringLiteral("Buß- und Bettag"),
        QStringLiteral("Internationaler Frauentag"),
        QStringLiteral("Weltkindertag"),
        QStringLiteral("Tag der Befreiung"),
        QStringLiteral("Jahrestag des Volksaufstandes"),
    };
    static_assert(std::size(names) == groessterCode + 1);
    return names[code];
}

const QString &sondertagName(int code)
{
    static const QString names[] = {
        QString(),
        QStringLiteral("Mariä Lichtmeß"),
        QStringLiteral("Valentinstag"),
        QStringLiteral("Weiberfastnacht"),
        QStringLiteral("Rosenmontag"),
        QStringLiteral("Fastnacht"),
        QStringLiteral("Aschermittwoch"),
        QStringLiteral("Mariä Verkündigung"),
        QStringLiteral("Palmsonntag"),
        QStringLiteral("Gründonnerstag"),
        QStringLiteral("Muttertag"),
        QStringLiteral("Peter und Paul"),
        QStringLiteral("Mariä Geburt"),
        QStringLiteral("Erntedankfest"),
        QStringLiteral("Mariä Empfängnis"),
        QStringLiteral("Silvester"),
        QStringLiteral("1. Advent"),
        QStringLiteral("2. Advent"),
        QStringLiteral("3. Advent"),
        QStringLiteral("4. Advent"),
        QStringLiteral("Heiligabend"),
        QStringLiteral("Frühlingsanfang"),
        QStringLiteral("Sommmeranfang"), // three m, as the program has always shown it
        QStringLiteral("Herbstanfang"),
        QStringLiteral("Winteranfang"),
        QStringLiteral("Allerheiligen"),
        QStringLiteral("Beginn der Sommerzeit"),
        QStringLiteral("Ende der Sommerzeit"),
    };
    static_assert(std::size(names) == -kleinsterCode + 1);
    return names[code];
}

bool einesVon(int state, std::initializer_list<int> states)
{
    return std::find(states.begin(), states.end(), state) != states.end();
}

// Writes the codes into a table of one year, later writes replacing earlier ones.
class Schreiber {
public:
    Schreiber(Tabelle &t, int year)
        : m_t(t)
        , m_year(year)
    {
    }
    void operator()(const QDate &date, int code)
    {
        // Days computed from Easter or Advent always lie in the same year; the guard keeps
        // a stray date from writing into a neighbouring year's slot.
        if (date.year() == m_year)
            m_t[static_cast<size_t>(tagImJahr(date))] = static_cast<std::int8_t>(code);
    }
    void operator()(int month, int day, int code) { (*this)(QDate(m_year, month, day), code); }

private:
    Tabelle &m_t;
    int m_year;
};

QDate rosenmontag(const QDate &easter)
{
    QDate d = easter.addDays(-45);
    while (d.dayOfWeek() != Qt::Monday)
        d = d.addDays(-1);
    return d;
}

QDate muttertag(int year, const QDate &easter)
{
    QDate d(year, 4, 30);
    d = d.addDays(-(d.dayOfWeek() % 7)).addDays(14);
    if (d == easter.addDays(49))
        d = d.addDays(-7);
    return d;
}

QDate erntedankfest(int year)
{
    const QDate first(year, 10, 1);
    return first.addDays((7 - first.dayOfWeek() % 7) % 7);
}

void sondertage(Schreiber &w, int year, const QDate &easter, const QDate &advent4)
{
    const QDate rose = rosenmontag(easter);
    w(2, 2, -1);
    w(2, 14, -2);
    w(rose.addDays(-4), -3);
    w(rose, -4);
    w(rose.addDays(1), -5);
    w(rose.addDays(2), -6);
    w(3, 25, -7);
    w(easter.addDays(-7), -8);
    w(easter.addDays(-3), -9);
    w(muttertag(year, easter), -10);
    w(6, 29, -11);
    w(9, 8, -12);
    w(erntedankfest(year), -13);
    w(12, 8, -14);
    w(12, 31, -15);
    w(advent4.addDays(-21), -16);
    w(advent4.addDays(-14), -17);
    w(advent4.addDays(-7), -18);
    w(advent4, -19);
    w(12, 24, -20);
    w(3, 21, -21);
    w(6, 21, -22);
    w(9, 23, -23);
    w(12, 22, -24);
}

QDate letzterSonntag(int year, int month)
{
    const QDate last = QDate(year, month, 1).addMonths(1).addDays(-1);
    return last.addDays(-(last.dayOfWeek() % 7));
}

// Allerheiligen is named in every state; where it is a public holiday, code 4 replaces it.
// Summer time began on 6 April 1980 and since 1981 begins on the last Sunday of March; it
// ended on the last Sunday of September until 1995 and ends on the last Sunday of October
// since 1996. Written after the other special days, so they win over those and public
// holidays win over them.
void weitereSondertage(Schreiber &w, int year)
{
    w(11, 1, -25);
    if (year < 1980)
        return;
    w(year == 1980 ? QDate(1980, 4, 6) : letzterSonntag(year, 3), -26);
    w(letzterSonntag(year, year <= 1995 ? 9 : 10), -27);
}

void bundesweiteFeiertage(Schreiber &w, int state, const QDate &easter, const QDate &advent4)
{
    w(1, 1, 1);
    w(5, 1, 2);
    w(10, 3, 3);
    if (einesVon(
            state, { BadenWuerttemberg, Bayern, NordrheinWestfalen, RheinlandPfalz, Saarland }))
        w(11, 1, 4);
    w(advent4.addDays(-28), 5);
    if (state == Sachsen)
        w(advent4.addDays(-32), 19);
    w(advent4.addDays(-35), 6);
    w(12, 25, 7);
    w(12, 26, 8);
    w(easter.addDays(-2), 9);
    w(easter, 10);
    w(easter.addDays(1), 11);
    w(easter.addDays(39), 12);
    w(easter.addDays(49), 13);
    w(easter.addDays(50), 14);
}

void landesFeiertage(Schreiber &w, int state, const QDate &easter)
{
    if (einesVon(state,
            { BadenWuerttemberg, Bayern, NordrheinWestfalen, RheinlandPfalz, Saarland, Sachsen,
                Thueringen }))
        w(easter.addDays(60), 15);
    if (einesVon(state, { BadenWuerttemberg, Bayern, SachsenAnhalt }))
        w(1, 6, 16);
    if (einesVon(state, { Bayern, Saarland }))
        w(8, 15, 17);
    if (einesVon(state, { Brandenburg, MecklenburgVorpommern, Sachsen, SachsenAnhalt, Thueringen }))
        w(10, 31, 18);
}

// Holidays of laws newer than the rules above, and Fronleichnam in Hessen, which has
// always been a statutory holiday there.
void heutigesRecht(Schreiber &w, int year, int state, const QDate &easter, const QDate &advent4)
{
    if (state == Hessen)
        w(easter.addDays(60), 15);
    if (year == 2017
        || (year >= 2018 && einesVon(state, { Bremen, Hamburg, Niedersachsen, SchleswigHolstein })))
        w(10, 31, 18);
    if ((state == Berlin && year >= 2019) || (state == MecklenburgVorpommern && year >= 2023))
        w(3, 8, 20);
    if (state == Thueringen && year >= 2019)
        w(9, 20, 21);
    if (state == Berlin && (year == 2020 || year == 2025))
        w(5, 8, 22);
    if (state == Berlin && year == 2028)
        w(6, 17, 23);
    // Buß- und Bettag was a public holiday in every state until 1994.
    if (year <= 1994)
        w(advent4.addDays(-32), 19);
}

struct Cache {
    QMutex mutex;
    QHash<quint64, Tabelle> tables;
};

Cache &cache()
{
    static Cache c;
    return c;
}

} // namespace

int tagImJahr(const QDate &date)
{
    return date.isValid() ? date.dayOfYear() : 0;
}

QDate ostersonntagGauss(int year)
{
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
    int month = 3;
    int day = 22 + d + e;
    if (day > 31) {
        month = 4;
        day = d + e - 9;
    }
    if (month == 4 && day == 26)
        day = 19;
    else if (month == 4 && day == 25 && d == 28 && e == 6 && a > 10)
        day = 18;
    return QDate(year, month, day);
}

QDate ostersonntagGregorianisch(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QDate ostersonntag(int year)
{
    if (year >= 1900 && year <= 2099)
        return ostersonntagGauss(year);
    return ostersonntagGregorianisch(year);
}

QDate vierterAdvent(int year)
{
    const QDate christmas(year, 12, 25);
    const int fromSunday = christmas.dayOfWeek() % 7;
    return christmas.addDays(fromSunday == 0 ? -7 : -fromSunday);
}

Tabelle aufbauen(int year, int state)
{
    Tabelle t {};
    if (year < 1 || state < 0 || state > 15)
        return t;
    const QDate easter = ostersonntag(year);
    const QDate advent4 = vierterAdvent(year);
    Schreiber w(t, year);
    sondertage(w, year, easter, advent4);
    weitereSondertage(w, year);
    bundesweiteFeiertage(w, state, easter, advent4);
    landesFeiertage(w, state, easter);
    heutigesRecht(w, year, state, easter, advent4);
    return t;
}

Tabelle tabelle(int year, int state)
{
    const quint64 key
        = (static_cast<quint64>(static_cast<quint32>(year)) << 8) | static_cast<quint8>(state);
    Cache &c = cache();
    QMutexLocker lock(&c.mutex);
    auto it = c.tables.constFind(key);
    if (it != c.tables.constEnd())
        return *it;
    // A few years of every state are plenty; the cache never grows without bound.
    if (c.tables.size() >= 256)
        c.tables.clear();
    return *c.tables.insert(key, aufbauen(year, state));
}

int kennung(const QDate &date, int state)
{
    if (!date.isValid())
        return 0;
    return tabelle(date.year(), state)[static_cast<size_t>(tagImJahr(date))];
}

QString name(int code)
{
    if (code > 0 && code <= groessterCode)
        return feiertagName(code);
    if (code < 0 && code >= kleinsterCode)
        return sondertagName(-code);
    return {};
}

int feiertag(const QDate &date, int state, int &code, QString &name)
{
    const int k = kennung(date, state);
    if (k != 0) {
        code = k;
        name = FeiertageUNIT::name(k);
    }
    return k;
}

} // namespace FeiertageUNIT
} // namespace kb
