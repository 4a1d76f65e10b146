#include "settings/LayoutSettings.h"

#include "platform/Error.h"

#include <QDir>
#include <QFontInfo>
#include <QRegularExpression>
#include <algorithm>
#include <type_traits>

namespace kb {

QString sectionUser()
{
    return QStringLiteral("User");
}

QString sectionFerien()
{
    return QStringLiteral("Ferien");
}

// ---- school holidays

QString ferienName(Ferien f)
{
    static const std::array<QString, kFerienCount> names
        = { QStringLiteral("Weihnachten1"), QStringLiteral("Winter"), QStringLiteral("Ostern"),
              QStringLiteral("Himmelfahrt"), QStringLiteral("Sommer"), QStringLiteral("Herbst"),
              QStringLiteral("Weihnachten2"), QStringLiteral("Zusatz"), QStringLiteral("Zusatz2") };
    return names[static_cast<int>(f)];
}

QString ferienUnset()
{
    return QStringLiteral("00.00.");
}

namespace {

// The bound with the year appended, as a date; the text must read as "d.m.yyyy". `key` and
// `file` name where it was read, for the message.
QDate boundDate(const QString &bound, int year, const QString &key, const QString &file)
{
    const QString text = bound + QString::number(year).rightJustified(4, QLatin1Char('0'));
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    QDate d;
    if (m.hasMatch())
        d = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid()) {
        QString message = QStringLiteral("'%1' ist kein gültiges Datum").arg(text);
        if (!key.isEmpty() && !file.isEmpty())
            message += QStringLiteral(" (Schlüssel %1 im Abschnitt [%2] der Einstellungsdatei %3)")
                           .arg(key, sectionFerien(), QDir::toNativeSeparators(file));
        throw Error(message);
    }
    return d;
}

} // namespace

bool FerienPeriode::isSet() const
{
    return beginn.trimmed() != ferienUnset() && ende.trimmed() != ferienUnset();
}

bool FerienPeriode::contains(const QDate &day) const
{
    if (!isSet())
        return false;
    const QDate from = boundDate(beginn, day.year(), name + QStringLiteral("Beginn"), datei);
    const QDate to = boundDate(ende, day.year(), name + QStringLiteral("Ende"), datei);
    return from <= day && day <= to;
}

bool inFerien(const FerienPerioden &perioden, const QDate &day)
{
    return std::any_of(
        perioden.begin(), perioden.end(), [&](const FerienPeriode &p) { return p.contains(day); });
}

// ---- fonts

QString fontGroupName(FontGroup g)
{
    static const std::array<QString, kFontGroupCount> names = { QStringLiteral("Kopf"),
        QStringLiteral("KopfBand"), QStringLiteral("Monat"), QStringLiteral("Adresse") };
    return names[static_cast<int>(g)];
}

const std::array<QString, 4> &fontStyleKeys(FontGroup g)
{
    static const auto keys = [] {
        std::array<std::array<QString, 4>, kFontGroupCount> all;
        for (int i = 0; i < kFontGroupCount; ++i) {
            const QString n = fontGroupName(static_cast<FontGroup>(i));
            all[i] = { n + QStringLiteral("StyleBold"), n + QStringLiteral("StyleItalic"),
                n + QStringLiteral("StyleUnterstrichen"),
                n + QStringLiteral("StyleDurchstrichen") };
        }
        return all;
    }();
    return keys[static_cast<int>(g)];
}

FontStyles readFontStyles(const IniFile::Snapshot &ini, FontGroup g)
{
    const auto &keys = fontStyleKeys(g);
    // Only exactly 1 switches a style on; the set starts empty every time.
    auto on = [&](int i) { return ini.readInteger(sectionUser(), keys[i], 1) == 1; };
    return FontStyles { on(0), on(1), on(2), on(3) };
}

FontStyles readFontStyles(const IniFile &ini, FontGroup g)
{
    return readFontStyles(ini.snapshot(), g);
}

QFont makeFont(const QString &name, int pointSize, const FontStyles &styles)
{
    QFont f(name);
    f.setPointSize(std::max(1, pointSize));
    f.setBold(styles.bold);
    f.setItalic(styles.italic);
    f.setUnderline(styles.underline);
    f.setStrikeOut(styles.strikeOut);
    return f;
}

QFont makeFont(const TextFont &font)
{
    return makeFont(font.name, font.size, font.styles);
}

QString gewaehlteSchriftart(const QString &gespeichert, const QString &gewaehlt)
{
    if (gespeichert.isEmpty() || gewaehlt.compare(gespeichert, Qt::CaseInsensitive) == 0)
        return gespeichert.isEmpty() ? gewaehlt : gespeichert;
    const QString vertreter = QFontInfo(QFont(gespeichert)).family();
    return gewaehlt.compare(vertreter, Qt::CaseInsensitive) == 0 ? gespeichert : gewaehlt;
}

// ---- margins and single values

namespace {

Margins readMargins(
    const IniFile::Snapshot &ini, const std::array<QString, 4> &keys, const Margins &fallback)
{
    const QString u = sectionUser();
    const auto mm
        = [&](int i, double def) -> double { return ini.readInteger(u, keys[i], qRound(def)); };
    return Margins { .left = mm(0, fallback.left),
        .right = mm(1, fallback.right),
        .top = mm(2, fallback.top),
        .bottom = mm(3, fallback.bottom) };
}

const std::array<QString, 4> &yearMarginKeys()
{
    static const std::array<QString, 4> keys = { QStringLiteral("KBLeft"),
        QStringLiteral("KBright"), QStringLiteral("KBTOP"), QStringLiteral("KBBottom") };
    return keys;
}

const std::array<QString, 4> &monthMarginKeys()
{
    static const std::array<QString, 4> keys = { QStringLiteral("MonatLeft"),
        QStringLiteral("Monatright"), QStringLiteral("MonatTOP"), QStringLiteral("MonatBottom") };
    return keys;
}

} // namespace

Margins readYearLayoutMargins(const IniFile &ini)
{
    return readMargins(
        ini.snapshot(), yearMarginKeys(), Margins { .left = 4, .right = 2, .top = 3, .bottom = 5 });
}

Margins readMonthLayoutMargins(const IniFile &ini)
{
    return readMargins(ini.snapshot(), monthMarginKeys(),
        Margins { .left = 4, .right = 2, .top = 3, .bottom = 5 });
}

MarginDialogValues readMarginDialogValues(const IniFile &ini)
{
    const auto snap = ini.snapshot();
    return MarginDialogValues { readMargins(snap, yearMarginKeys(),
                                    Margins { .left = 2, .right = 3, .top = 4, .bottom = 5 }),
        readMargins(snap, monthMarginKeys(),
            Margins { .left = 10, .right = 10, .top = 10, .bottom = 10 }) };
}

MarginDialogValues clampedMarginDialogValues(const MarginDialogValues &values)
{
    auto clamp = [](Margins m) {
        for (double *v : { &m.left, &m.right, &m.top, &m.bottom })
            *v = std::clamp(*v, double(kMarginDialogMin), double(kMarginDialogMax));
        return m;
    };
    return MarginDialogValues { clamp(values.year), clamp(values.month) };
}

MarginDialogValues standardMarginDialogValues()
{
    return MarginDialogValues { Margins { .left = 4, .right = 2, .top = 3, .bottom = 5 },
        Margins { .left = 10, .right = 10, .top = 10, .bottom = 10 } };
}

void writeMarginDialogValues(IniFile &ini, const MarginDialogValues &v)
{
    const QString u = sectionUser();
    ini.writeInteger(u, QStringLiteral("KBtop"), qRound(v.year.top));
    ini.writeInteger(u, QStringLiteral("KBLeft"), qRound(v.year.left));
    ini.writeInteger(u, QStringLiteral("KBright"), qRound(v.year.right));
    ini.writeInteger(u, QStringLiteral("KBBottom"), qRound(v.year.bottom));
    ini.writeInteger(u, QStringLiteral("MonatTOP"), qRound(v.month.top));
    ini.writeInteger(u, QStringLiteral("MonatLeft"), qRound(v.month.left));
    ini.writeInteger(u, QStringLiteral("Monatright"), qRound(v.month.right));
    ini.writeInteger(u, QStringLiteral("MonatBottom"), qRound(v.month.bottom));
}

qint32 readDialogColour(const IniFile &ini, const QString &key)
{
    return ini.readInteger(sectionUser(), key, kDialogColourFallback);
}

namespace {

// The colour keys of data/Kalvalues.ini, the settings file shipped with the program, and
// their values there (a test holds the two together).
struct Ausgeliefert {
    const char *key;
    qint32 farbe;
};
constexpr Ausgeliefert kAusgelieferteFarben[] = {
    { "KopfSchriftFarbe", 6306335 },
    { "KopfBandSchriftFarbe", 4210752 },
    { "MonatSchriftFarbe", 5197615 },
    { "AdresseSchriftFarbe", 3355443 },
    { "HintergrundSamstag", 16182500 },
    { "HintergrundWochenende", 15000829 },
    { "HintergrundFeiertag", 13421823 },
    { "HintergrundFarbeFerien", 13824220 },
    { "SchriftFarbeUrlaub", 32768 },
    { "SchriftFarbeKrank", 192 },
    { "KopfBandFarbe", 15788257 },
    { "MonatHintergrundFarbe", 15786710 },
    { "Linienfarbe", 12632256 },
    { "BundeslandSchriftFarbe", 4210752 },
    { "FarbeFormular", 16777215 },
};

// A colour's fallback: the shipped file's when there is no settings file at all.
qint32 farbFallback(bool ohneDatei, const QString &key)
{
    return ohneDatei ? ausgelieferteFarbe(key).value_or(kDefaultColour) : kDefaultColour;
}

} // namespace

std::optional<qint32> ausgelieferteFarbe(const QString &key)
{
    for (const Ausgeliefert &a : kAusgelieferteFarben)
        if (key.compare(QLatin1String(a.key), Qt::CaseInsensitive) == 0)
            return a.farbe;
    return std::nullopt;
}

qint32 readLinienfarbe(const IniFile &ini)
{
    const QString key = QStringLiteral("Linienfarbe");
    return ini.readInteger(sectionUser(), key, farbFallback(!ini.exists(), key));
}

qint32 readKopfBandFarbe(const IniFile &ini)
{
    const QString key = QStringLiteral("KopfBandFarbe");
    return ini.readInteger(sectionUser(), key, farbFallback(!ini.exists(), key));
}

bool readSymbole(const IniFile &ini)
{
    return ini.readBool(sectionUser(), QStringLiteral("Symbole"), false);
}

QString readBild(const IniFile &ini)
{
    return ini.readString(sectionUser(), QStringLiteral("Bild"), QString());
}

QString readDatei(const IniFile &ini)
{
    return ini.readString(sectionUser(), QStringLiteral("Datei"), QString());
}

void writeDatei(IniFile &ini, const QString &designName)
{
    ini.writeString(sectionUser(), QStringLiteral("Datei"), designName);
}

// ---- LayoutSettings

namespace {

// Key names built once: the loader runs on every paint.
const std::array<std::array<QString, 2>, kFerienCount> &ferienKeys()
{
    static const auto keys = [] {
        std::array<std::array<QString, 2>, kFerienCount> all;
        for (int i = 0; i < kFerienCount; ++i) {
            const QString n = ferienName(static_cast<Ferien>(i));
            all[i] = { n + QStringLiteral("Beginn"), n + QStringLiteral("Ende") };
        }
        return all;
    }();
    return keys;
}

const std::array<std::array<QString, 3>, kFontGroupCount> &fontKeys()
{
    static const auto keys = [] {
        std::array<std::array<QString, 3>, kFontGroupCount> all;
        for (int i = 0; i < kFontGroupCount; ++i) {
            const QString n = fontGroupName(static_cast<FontGroup>(i));
            all[i] = { n + QStringLiteral("SchriftName"), n + QStringLiteral("SchriftSize"),
                n + QStringLiteral("SchriftFarbe") };
        }
        return all;
    }();
    return keys;
}

// Notes where the periods were read, for the message of a bound that is no date.
void markFerienSource(FerienPerioden &perioden, const QString &file)
{
    for (int i = 0; i < kFerienCount; ++i) {
        perioden[i].name = ferienName(static_cast<Ferien>(i));
        perioden[i].datei = file;
    }
}

template<class S, class F> void forEachFerienField(S &s, F &&f)
{
    const QString sec = sectionFerien();
    for (int i = 0; i < kFerienCount; ++i) {
        f(sec, ferienKeys()[i][0], s.ferien[i].beginn, ferienUnset());
        f(sec, ferienKeys()[i][1], s.ferien[i].ende, ferienUnset());
    }
}

// The fields of the paint load, in its order, with their keys and defaults.
template<class S, class F> void forEachLoadedField(S &s, F &&f)
{
    const QString u = sectionUser();
    f(u, QStringLiteral("Symbole"), s.symbole, false);
    forEachFerienField(s, f);

    f(u, QStringLiteral("KBLeft"), s.kbMargins.left, 4);
    f(u, QStringLiteral("KBright"), s.kbMargins.right, 2);
    f(u, QStringLiteral("KBTOP"), s.kbMargins.top, 3);
    f(u, QStringLiteral("KBBottom"), s.kbMargins.bottom, 5);
    f(u, QStringLiteral("MonatLeft"), s.monatMargins.left, 10);
    f(u, QStringLiteral("Monatright"), s.monatMargins.right, 10);
    f(u, QStringLiteral("MonatTOP"), s.monatMargins.top, 10);
    f(u, QStringLiteral("MonatBottom"), s.monatMargins.bottom, 10);

    f(u, QStringLiteral("Firma"), s.firma, QStringLiteral("RI-DOZU"));
    f(u, QStringLiteral("Bild"), s.bild, QString());
    f(u, QStringLiteral("Kopftext"), s.kopftext, QString());
    f(u, QStringLiteral("Kopfbandtext"), s.kopfbandtext, QString());
    f(u, QStringLiteral("Strasse"), s.strasse, QString());
    f(u, QStringLiteral("Ort"), s.ort, QString());
    f(u, QStringLiteral("Telefon"), s.telefon, QString());
    f(u, QStringLiteral("Fax"), s.fax, QString());

    for (int g = 0; g < kFontGroupCount; ++g) {
        f(u, fontKeys()[g][0], s.fonts[g].name, QStringLiteral("Arial"));
        f(u, fontKeys()[g][1], s.fonts[g].size, 8);
        f(u, fontKeys()[g][2], s.fonts[g].farbe, kDefaultColour);
    }

    f(u, QStringLiteral("MonatHintergrundFarbe"), s.monatHintergrundFarbe, kDefaultColour);
    f(u, QStringLiteral("HintergrundWochenende"), s.hintergrundWochenende, kDefaultColour);
    f(u, QStringLiteral("HintergrundSamstag"), s.hintergrundSamstag, kDefaultColour);
    f(u, QStringLiteral("HintergrundFeiertag"), s.hintergrundFeiertag, kDefaultColour);
    f(u, QStringLiteral("SchriftFarbeUrlaub"), s.schriftFarbeUrlaub, kDefaultColour);
    f(u, QStringLiteral("SchriftFarbeKrank"), s.schriftFarbeKrank, kDefaultColour);
    f(u, QStringLiteral("HintergrundFarbeFerien"), s.hintergrundFarbeFerien, kDefaultColour);
    f(u, QStringLiteral("BundeslandSchriftFarbe"), s.bundeslandSchriftFarbe, kDefaultColour);
    f(u, QStringLiteral("FarbeFormular"), s.farbeFormular, kDefaultColour);
}

template<class S, class F> void forEachStartupField(S &s, F &&f)
{
    const QString u = sectionUser();
    f(u, QStringLiteral("Linienfarbe"), s.linienfarbe, kDefaultColour);
    f(u, QStringLiteral("KopfBandFarbe"), s.kopfBandFarbe, kDefaultColour);
}

// Reads one field with its default; the type of the field picks the kind of read. Without a
// settings file (`ohneDatei`) the colours fall back to the shipped file's.
auto reader(const IniFile::Snapshot &ini, bool ohneDatei)
{
    return [&ini, ohneDatei](
               const QString &section, const QString &key, auto &field, const auto &def) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<T, bool>)
            field = ini.readBool(section, key, def);
        else if constexpr (std::is_same_v<T, qint32>)
            field = ini.readInteger(
                section, key, ohneDatei && def == kDefaultColour ? farbFallback(true, key) : def);
        else if constexpr (std::is_same_v<T, double>) // margins: whole millimetres
            field = ini.readInteger(section, key, def);
        else
            field = ini.readString(section, key, def);
    };
}

} // namespace

void LayoutSettings::loadStartup(const IniFile &ini)
{
    const auto snap = ini.snapshot();
    forEachStartupField(*this, reader(snap, !ini.exists()));
}

void LayoutSettings::load(const IniFile &ini)
{
    const auto snap = ini.snapshot();
    forEachLoadedField(*this, reader(snap, !ini.exists()));
    markFerienSource(ferien, ini.path());
}

void LayoutSettings::loadAll(const IniFile &ini)
{
    const auto snap = ini.snapshot();
    forEachLoadedField(*this, reader(snap, !ini.exists()));
    markFerienSource(ferien, ini.path());
    for (int g = 0; g < kFontGroupCount; ++g)
        fonts[g].styles = readFontStyles(snap, static_cast<FontGroup>(g));
    forEachStartupField(*this, reader(snap, !ini.exists()));
}

void LayoutSettings::ferieneinlesen(const IniFile &ini)
{
    const auto snap = ini.snapshot();
    forEachFerienField(*this, reader(snap, false));
    markFerienSource(ferien, ini.path());
}

QList<std::pair<QString, QString>> LayoutSettings::entries() const
{
    QList<std::pair<QString, QString>> out;
    auto add = [&out](const QString &, const QString &key, const auto &field, const auto &) {
        using T = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<T, bool>)
            out.append({ key, field ? QStringLiteral("1") : QStringLiteral("0") });
        else if constexpr (std::is_same_v<T, qint32> || std::is_same_v<T, double>)
            out.append({ key, QString::number(field) });
        else
            out.append({ key, field });
    };
    forEachLoadedField(*this, add);
    forEachStartupField(*this, add);
    return out;
}

bool LayoutSettings::operator==(const LayoutSettings &o) const
{
    for (int g = 0; g < kFontGroupCount; ++g) {
        if (!(fonts[g].styles == o.fonts[g].styles))
            return false;
    }
    return entries() == o.entries();
}

} // namespace kb
