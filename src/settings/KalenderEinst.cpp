#include "settings/KalenderEinst.h"

#include "platform/Ui.h"

#include <QDate>
#include <algorithm>

namespace kb {

namespace {

QString fontKey(FontGroup g, const char *suffix)
{
    return fontGroupName(g) + QLatin1String(suffix);
}

const std::array<QString, 2> &ferienKeys(int periode)
{
    static const auto keys = [] {
        std::array<std::array<QString, 2>, kFerienCount> all;
        for (int i = 0; i < kFerienCount; ++i) {
            const QString n = ferienName(static_cast<Ferien>(i));
            all[i] = { n + QStringLiteral("Beginn"), n + QStringLiteral("Ende") };
        }
        return all;
    }();
    return keys[periode];
}

// Day and month of a date field "dd.mm"; nullopt when either is not two digits.
struct TagMonat {
    int tag = 0;
    int monat = 0;
};
std::optional<TagMonat> tagMonat(const QString &feld)
{
    if (feld.size() != 5 || feld[2] != QLatin1Char('.'))
        return std::nullopt;
    for (int i : { 0, 1, 3, 4 }) {
        if (!feld[i].isDigit() || feld[i].unicode() > 127)
            return std::nullopt;
    }
    return TagMonat { feld.left(2).toInt(), feld.mid(3, 2).toInt() };
}

// The date of a field in `jahr`; invalid when the field forms none.
QDate feldDatum(const QString &feld, int jahr)
{
    const auto tm = tagMonat(feld);
    return tm ? QDate(jahr, tm->monat, tm->tag) : QDate();
}

// The day and month parts of a field as the message names them.
std::pair<QString, QString> feldTeile(const QString &feld)
{
    const int punkt = feld.indexOf(QLatin1Char('.'));
    if (punkt < 0)
        return { feld, QString() };
    return { feld.left(punkt), feld.mid(punkt + 1) };
}

void fontsFuellen(const IniFile::Snapshot &snap, KalenderEinstWerte &w)
{
    const QString u = sectionUser();
    for (int i = 0; i < kFontGroupCount; ++i) {
        const auto g = static_cast<FontGroup>(i);
        TextFont &f = w.font(g);
        f.name = snap.readString(u, fontKey(g, "SchriftName"), QStringLiteral("Arial"));
        f.farbe = snap.readInteger(u, fontKey(g, "SchriftFarbe"), kDialogColourFallback);
        f.size = snap.readInteger(u, fontKey(g, "SchriftSize"), 8);
        f.styles = readFontStyles(snap, g);
    }
}

void schreibeFont(IniFile &ini, FontGroup g, const TextFont &f, const char *reihenfolge)
{
    const QString u = sectionUser();
    for (const char *c = reihenfolge; *c; ++c) {
        switch (*c) {
        case 'n':
            ini.writeString(u, fontKey(g, "SchriftName"), f.name);
            break;
        case 's':
            ini.writeInteger(u, fontKey(g, "SchriftSize"), f.size);
            break;
        case 'c':
            ini.writeInteger(u, fontKey(g, "SchriftFarbe"), f.farbe);
            break;
        default:
            break;
        }
    }
}

void schreibeStyles(IniFile &ini, const KalenderEinstWerte &w)
{
    for (int i = 0; i < kFontGroupCount; ++i) {
        const auto g = static_cast<FontGroup>(i);
        const FontStyles &st = w.font(g).styles;
        const auto &keys = fontStyleKeys(g);
        const bool an[4] = { st.bold, st.italic, st.underline, st.strikeOut };
        for (int k = 0; k < 4; ++k)
            ini.writeInteger(sectionUser(), keys[k], an[k] ? 1 : 0);
    }
}

// Step 3 of the save: every key but the holiday dates and Symbole, in its fixed order.
void schreibeWerte(IniFile &ini, const KalenderEinstWerte &w, const LayoutSettings &layout)
{
    const QString u = sectionUser();
    auto farbe = [&](EinstFarbe f) { ini.writeInteger(u, einstFarbeKey(f), w.farbe(f)); };
    auto text = [&](EinstText t) { ini.writeString(u, einstTextKey(t), w.text(t)); };

    farbe(EinstFarbe::Linienfarbe);
    for (EinstText t : { EinstText::Firma, EinstText::Bild, EinstText::Strasse, EinstText::Ort,
             EinstText::Telefon, EinstText::Fax, EinstText::Kopftext, EinstText::Kopfbandtext })
        text(t);
    schreibeFont(ini, FontGroup::Kopf, w.font(FontGroup::Kopf), "nsc");
    schreibeStyles(ini, w);
    farbe(EinstFarbe::KopfBandFarbe);
    schreibeFont(ini, FontGroup::KopfBand, w.font(FontGroup::KopfBand), "csn");
    schreibeFont(ini, FontGroup::Adresse, w.font(FontGroup::Adresse), "snc");
    schreibeFont(ini, FontGroup::Monat, w.font(FontGroup::Monat), "nsc");
    for (EinstFarbe f : { EinstFarbe::MonatHintergrundFarbe, EinstFarbe::HintergrundWochenende,
             EinstFarbe::HintergrundSamstag, EinstFarbe::HintergrundFeiertag })
        farbe(f);
    // No control edits these two; they go back as they came.
    ini.writeInteger(u, QStringLiteral("BundeslandSchriftFarbe"), layout.bundeslandSchriftFarbe);
    ini.writeInteger(u, QStringLiteral("FarbeFormular"), layout.farbeFormular);
    for (EinstFarbe f : { EinstFarbe::SchriftFarbeUrlaub, EinstFarbe::SchriftFarbeKrank,
             EinstFarbe::HintergrundFarbeFerien })
        farbe(f);
}

} // namespace

QString einstFarbeKey(EinstFarbe f)
{
    static const std::array<QString, kEinstFarbeCount> keys = { QStringLiteral("KopfBandFarbe"),
        QStringLiteral("MonatHintergrundFarbe"), QStringLiteral("HintergrundWochenende"),
        QStringLiteral("HintergrundSamstag"), QStringLiteral("HintergrundFeiertag"),
        QStringLiteral("HintergrundFarbeFerien"), QStringLiteral("SchriftFarbeUrlaub"),
        QStringLiteral("SchriftFarbeKrank"), QStringLiteral("Linienfarbe") };
    return keys[static_cast<int>(f)];
}

QString einstTextKey(EinstText t)
{
    static const std::array<QString, kEinstTextCount> keys
        = { QStringLiteral("Firma"), QStringLiteral("Bild"), QStringLiteral("Kopftext"),
              QStringLiteral("Kopfbandtext"), QStringLiteral("Strasse"), QStringLiteral("Ort"),
              QStringLiteral("Telefon"), QStringLiteral("Fax") };
    return keys[static_cast<int>(t)];
}

QString ferienFeldText(const QString &gespeichert)
{
    return gespeichert.trimmed().left(5);
}

bool ferienFeldLeer(const QString &feld)
{
    return std::none_of(feld.begin(), feld.end(), [](QChar c) { return c.isDigit(); });
}

KalenderEinstWerte kalenderEinstFuellen(const IniFile &ini, LayoutSettings &layout)
{
    const auto snap = ini.snapshot();
    const QString u = sectionUser();
    auto farbe
        = [&](const QString &key) { return snap.readInteger(u, key, kDialogColourFallback); };
    KalenderEinstWerte w;

    w.symbole = snap.readBool(u, QStringLiteral("Symbole"), false);
    layout.ferieneinlesen(ini);

    const LayoutSettings defaults;
    const std::array<QString, kEinstTextCount> textDefaults
        = { defaults.firma, defaults.bild, defaults.kopftext, defaults.kopfbandtext,
              defaults.strasse, defaults.ort, defaults.telefon, defaults.fax };
    for (int i = 0; i < kEinstTextCount; ++i)
        w.texte[i] = snap.readString(u, einstTextKey(static_cast<EinstText>(i)), textDefaults[i]);
    layout.firma = w.text(EinstText::Firma);
    layout.bild = w.text(EinstText::Bild);
    layout.kopftext = w.text(EinstText::Kopftext);
    layout.kopfbandtext = w.text(EinstText::Kopfbandtext);
    layout.strasse = w.text(EinstText::Strasse);
    layout.ort = w.text(EinstText::Ort);
    layout.telefon = w.text(EinstText::Telefon);
    layout.fax = w.text(EinstText::Fax);

    for (int i = 0; i < kEinstFarbeCount; ++i)
        w.farben[i] = farbe(einstFarbeKey(static_cast<EinstFarbe>(i)));
    layout.schriftFarbeUrlaub = w.farbe(EinstFarbe::SchriftFarbeUrlaub);
    layout.schriftFarbeKrank = w.farbe(EinstFarbe::SchriftFarbeKrank);
    layout.hintergrundFarbeFerien = w.farbe(EinstFarbe::HintergrundFarbeFerien);

    fontsFuellen(snap, w);
    for (FontGroup g : { FontGroup::Kopf, FontGroup::Monat, FontGroup::Adresse }) {
        const FontStyles styles = layout.font(g).styles; // the loader's styles stay
        layout.font(g) = w.font(g);
        layout.font(g).styles = styles;
    }
    layout.font(FontGroup::KopfBand).farbe = w.font(FontGroup::KopfBand).farbe;
    layout.font(FontGroup::KopfBand).size = w.font(FontGroup::KopfBand).size;

    layout.monatHintergrundFarbe = w.farbe(EinstFarbe::MonatHintergrundFarbe);
    layout.hintergrundWochenende = w.farbe(EinstFarbe::HintergrundWochenende);
    layout.hintergrundSamstag = w.farbe(EinstFarbe::HintergrundSamstag);
    layout.hintergrundFeiertag = w.farbe(EinstFarbe::HintergrundFeiertag);
    layout.bundeslandSchriftFarbe = farbe(QStringLiteral("BundeslandSchriftFarbe"));
    layout.farbeFormular = farbe(QStringLiteral("FarbeFormular"));

    for (int i = 0; i < kFerienCount; ++i) {
        w.ferien[i][0] = ferienFeldText(layout.ferien[i].beginn);
        w.ferien[i][1] = ferienFeldText(layout.ferien[i].ende);
    }
    return w;
}

std::optional<QString> ferienPeriodeFehler(const QString &beginn, const QString &ende, int jahr)
{
    const QString unset = ferienUnset();
    if (beginn + QLatin1Char('.') == unset && ende + QLatin1Char('.') == unset)
        return std::nullopt;
    const QDate von = feldDatum(beginn, jahr);
    const QDate bis = feldDatum(ende, jahr);
    if (von.isValid() && bis.isValid() && von <= bis)
        return std::nullopt;
    const QString y = QString::number(jahr);
    const auto [bt, bm] = feldTeile(beginn);
    const auto [et, em] = feldTeile(ende);
    return bt + QLatin1Char('.') + bm + QLatin1Char('.') + y + QStringLiteral(" bis ") + et
        + QLatin1Char('.') + em + QLatin1Char('.') + y
        + QStringLiteral(" ist keine gültige Datumsangabe") + QStringLiteral("\r\n")
        + QStringLiteral(
            "Wenn es für diesen Bereich keine Ferien gibt: bei Beginn u.Ende 00.00 eingeben!");
}

bool kalenderEinstSpeichern(
    IniFile &ini, KalenderEinstWerte &werte, LayoutSettings &layout, int jahr)
{
    for (auto &zeile : werte.ferien) {
        for (QString &feld : zeile) {
            if (ferienFeldLeer(feld))
                feld = QStringLiteral("00.00");
        }
    }
    for (int i = 0; i < kFerienCount; ++i) {
        const auto &zeile = werte.ferien[i];
        if (const auto fehler = ferienPeriodeFehler(zeile[0], zeile[1], jahr)) {
            ui().message(*fehler);
            return false;
        }
        ini.writeString(sectionFerien(), ferienKeys(i)[0], zeile[0] + QLatin1Char('.'));
        ini.writeString(sectionFerien(), ferienKeys(i)[1], zeile[1] + QLatin1Char('.'));
    }
    schreibeWerte(ini, werte, layout);
    layout.loadAll(ini);
    ini.writeBool(sectionUser(), QStringLiteral("Symbole"), werte.symbole);
    // The copy follows the file at once, not only at the next paint.
    layout.symbole = werte.symbole;
    return true;
}

void ferienFelderSetzen(FerienFelder &felder, const FerienPerioden &perioden)
{
    for (int i = 0; i < kFerienCount; ++i) {
        felder[i][0] = ferienFeldText(perioden[i].beginn);
        felder[i][1] = ferienFeldText(perioden[i].ende);
    }
}

QString ferienVorlaeufigHinweis()
{
    return QStringLiteral("vorläufige Termine – bitte prüfen");
}

QString ferienAusgelassenMeldung(const FerienVorschlag &vorschlag)
{
    if (vorschlag.ausgelassen.isEmpty())
        return {};
    return QStringLiteral("Für diese Ferientage war keine Zeile mehr frei; bitte bei Bedarf "
                          "selbst eintragen:\r\n")
        + vorschlag.ausgelassen.join(QStringLiteral("\r\n"));
}

std::optional<FerienHinweise> ferienVorschlagUebernehmen(
    FerienFelder &felder, const FerienVorschlag &vorschlag)
{
    if (!vorschlag.fehlt.isEmpty())
        return std::nullopt;
    ferienFelderSetzen(felder, vorschlag.perioden);
    FerienHinweise hinweise;
    for (int i = 0; i < kFerienCount; ++i) {
        if (vorschlag.vorlaeufig[i])
            hinweise[i] = ferienVorlaeufigHinweis();
    }
    return hinweise;
}

} // namespace kb
