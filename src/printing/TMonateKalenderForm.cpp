#include "printing/TMonateKalenderForm.h"

#include "caldata/KalenderAnlage.h"
#include "printing/Bausteine.h"
#include "report/Printables.h"
#include "storage/Table.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kb {

namespace {

constexpr double kGruppenHoehe = 416;
constexpr double kZeilenHoehe = 16;
constexpr double kFussHoehe = 40;

const char *const kQuartale[] = { "erstes", "zweites", "drittes", "viertes" };

QString richtung(bool hochformat)
{
    return hochformat ? u"vertikal"_s : u"horizontal"_s;
}

// "(MonatNr='1')or(MonatNr='2')" for the months `von` to `bis`.
QString filterVon(int von, int bis)
{
    QStringList teile;
    for (int m = von; m <= bis; ++m)
        teile.append(monatsFilter(m));
    return teile.join(QStringLiteral("or"));
}

std::vector<MonatsAuswahl> auswahlenBauen()
{
    const auto &namen = monatsnamen();
    std::vector<MonatsAuswahl> alle;
    for (const bool hoch : { true, false }) {
        for (int q = 0; q < 4; ++q) {
            alle.push_back({
                .text = u"Kalender-Vorschau  3 Spalten/"_s + QString::fromUtf8(kQuartale[q])
                    + (hoch ? u" Quartal/vertikale Bilder"_s : u" Quartal horiz.Bilder"_s),
                .handler = hoch ? u"VertikalQuartalerstellen"_s : u"HoriQuartalerstellen"_s,
                .variante = hoch ? 1 : 2,
                .filter = filterVon(3 * q + 1, 3 * q + 3),
                .layoutName = u"Quartal %1 %2"_s.arg(q + 1).arg(richtung(hoch)),
            });
        }
    }
    for (const bool hoch : { true, false }) {
        for (int p = 0; p < 6; ++p) {
            const QString paar = namen.at(2 * p) + QLatin1Char('/') + namen.at(2 * p + 1);
            alle.push_back({
                .text = paar,
                .handler = hoch ? u"Kalender2SpaltenvertikaleBilder1Click"_s
                                : u"Kalender2SpaltenhorizBilder1Click"_s,
                .variante = hoch ? 3 : 4,
                .filter = filterVon(2 * p + 1, 2 * p + 2),
                .layoutName = u"Monate %1 %2"_s.arg(paar, richtung(hoch)),
            });
        }
    }
    for (const bool hoch : { true, false }) {
        for (int m = 1; m <= 12; ++m) {
            alle.push_back({
                .text = namen.at(m - 1),
                .handler = hoch ? u"Kalender1SpaltevertikaleBilder1Click"_s
                                : u"Kalender1SpaltehorizBilder1Click"_s,
                .variante = hoch ? 5 : 6,
                .filter = monatsFilter(m),
                .layoutName = u"Monat %1 %2"_s.arg(namen.at(m - 1), richtung(hoch)),
            });
        }
    }
    return alle;
}

MonatsMenuePunkt eintrag(int index)
{
    return { MonatsMenuePunkt::Art::Eintrag, monatsAuswahlen().at(index).text, { index } };
}

MonatsMenuePunkt trenner()
{
    return { MonatsMenuePunkt::Art::Trenner, {}, {} };
}

MonatsMenuePunkt untermenue(const char *text, int erster, int anzahl)
{
    MonatsMenuePunkt p { MonatsMenuePunkt::Art::Untermenue, QString::fromUtf8(text), {} };
    for (int i = erster; i < erster + anzahl; ++i)
        p.auswahlen.push_back(i);
    return p;
}

} // namespace

const std::vector<MonatsBildVariante> &monatsBildVarianten()
{
    static const std::vector<MonatsBildVariante> all = {
        { 1, 3, true, QRectF(8, 64, 210, 321) },
        { 2, 3, false, QRectF(8, 154, 210, 160) },
        { 3, 2, true, QRectF(80, 64, 210, 321) },
        { 4, 2, false, QRectF(30, 120, 310, 220) },
        { 5, 1, true, QRectF(250, 64, 210, 321) },
        { 6, 1, false, QRectF(90, 60, 550, 330) },
    };
    return all;
}

QString monatsFilter(int monat)
{
    return QStringLiteral("(MonatNr='%1')").arg(monat);
}

const std::vector<MonatsAuswahl> &monatsAuswahlen()
{
    static const std::vector<MonatsAuswahl> all = auswahlenBauen();
    return all;
}

const std::vector<MonatsMenuePunkt> &monatskalenderMenue()
{
    static const std::vector<MonatsMenuePunkt> menue = [] {
        std::vector<MonatsMenuePunkt> m;
        for (int i = 0; i < 4; ++i)
            m.push_back(eintrag(i));
        m.push_back(trenner());
        for (int i = 4; i < 8; ++i)
            m.push_back(eintrag(i));
        m.push_back(trenner());
        m.push_back(untermenue("Kalender-Vorschau  2 Spalten/vertikale Bilder", 8, 6));
        m.push_back(untermenue("Kalender-Vorschau  2 Spalten/horiz.Bilder", 14, 6));
        m.push_back(trenner());
        m.push_back(untermenue("Kalender-Vorschau  1 Spalte/vertikale Bilder", 20, 12));
        m.push_back(untermenue("Kalender-Vorschau  1 Spalte/horiz.Bilder", 32, 12));
        return m;
    }();
    return menue;
}

TMonateKalenderForm::TMonateKalenderForm(const MonatsBildVariante &variante, Table &tage,
    Table *bilder, const LayoutSettings &settings, const IniFile &ini)
    : m_variante(variante)
    , m_settings(settings)
    , m_daten(tage)
{
    if (bilder)
        m_bilder.emplace(*bilder);
    seiteEinrichten(ini);
    const GruppenStile stile = GruppenStile::lesen(ini);
    m_report.setDataSet(&m_daten);

    m_report.titleBand().setHeight(1);
    Bausteine::adresskopf(m_report.pageHeader(), m_settings, stile, ini, m_report.printableWidth());
    gruppeAufbauen(stile);
    tageszeileAufbauen(ini);
    report::Band &fuss = m_report.pageFooter();
    fuss.setHeight(kFussHoehe);
    Bausteine::fussStreifen(fuss, m_settings, QRectF(0, 8, 713, 17), m_report.printableWidth());
    m_report.setOnStart([this] { m_zeile->reset(); });
}

TMonateKalenderForm::~TMonateKalenderForm()
{
    m_report.setDataSet(nullptr);
}

void TMonateKalenderForm::seiteEinrichten(const IniFile &ini)
{
    m_report.setPaper(report::PaperSize::A4);
    m_report.setOrientation(report::Orientation::Portrait);
    m_report.setMargins(readMonthLayoutMargins(ini));
    m_report.setColumns(m_variante.spalten);
    m_report.setColumnSpacing(0);
    m_report.setFont(Bausteine::arial(10));
    m_report.setPageHeaderOnFirstPage(true);
    m_report.setPageFooterOnLastPage(true);
    m_report.setTitle(QStringLiteral("Monatskalender"));
}

// No forced break: a month block leaves less room than the next header needs, so every month
// begins a column of its own.
void TMonateKalenderForm::gruppeAufbauen(const GruppenStile &stile)
{
    report::Band &gruppe = m_report.addGroupHeader(QStringLiteral("MonatNr"));
    gruppe.setHeight(kGruppenHoehe);
    m_ueberschrift = std::make_unique<Bausteine::Monatsueberschrift>(gruppe, 16, 96,
        gruppenFont(m_settings, FontGroup::Monat, stile[FontGroup::Monat]),
        gruppenFarbe(m_settings, FontGroup::Monat),
        druckFarbe(m_settings.monatHintergrundFarbe, Qt::white));

    auto &bild = gruppe.add<report::FieldImage>(QStringLiteral("Bild"));
    bild.setStretch(true);
    bild.setCover(true);
    bild.setDataSet(m_bilder ? &*m_bilder : nullptr);
    m_bild = &bild;
    if (!m_bilder)
        bild.setVisible(false);
    gruppe.setBeforePrint([this](report::Band &) { vorGruppe(); });
}

void TMonateKalenderForm::tageszeileAufbauen(const IniFile &ini)
{
    report::Band &zeile = m_report.detail();
    const Bausteine::TageszeilenMasse masse { .hoehe = kZeilenHoehe,
        .wochentagLeft = 32,
        .text = QRectF(56, 0, 209, 17),
        .textGroesse = 10 };
    m_zeile = std::make_unique<Bausteine::Tageszeilendruck>(
        zeile, masse, readLinienfarbe(ini), m_report.columnWidth(), m_daten, m_settings);
    zeile.setBeforePrint([this](report::Band &band) { m_zeile->vorDruck(band); });
    zeile.setAfterPrint([this](report::Band &) { m_zeile->nachDruck(); });
}

// The picture's box of the variant, cut at the column's right edge when wide margins leave a
// narrow column.
void TMonateKalenderForm::vorGruppe()
{
    m_ueberschrift->vorDruck(m_daten);
    const QRectF box = m_variante.bild;
    const double breite = std::min(box.width(), m_report.columnWidth() - box.left());
    m_bild->setGeometry(box.left(), box.top(), std::max(0.0, breite), box.height());
}

void bilderVerknuepfen(Table &bilder, Table &tage)
{
    const bool offen = bilder.isOpen();
    if (offen)
        bilder.close();
    bilder.setIndexFieldNames(QStringLiteral("Nr"));
    bilder.setMasterSource(&tage, QStringLiteral("MonatNr"), QStringLiteral("Nr"));
    if (offen)
        bilder.open();
}

namespace {

template<class Lauf>
auto monatskalenderLauf(const MonatsAuswahl &auswahl, Table &tage, Table *bilder,
    LayoutSettings &settings, const IniFile &ini, Lauf &&lauf)
{
    const MonatsBildVariante &variante = monatsBildVarianten().at(auswahl.variante - 1);
    if (bilder)
        bilderVerknuepfen(*bilder, tage);
    settings.ferieneinlesen(ini);
    const Bausteine::TagesCursorSicherung sicherung(tage);
    tage.setFilter(auswahl.filter);
    tage.setFiltered(true);
    TMonateKalenderForm form(variante, tage, bilder, settings, ini);
    return lauf(form);
}

} // namespace

void monatskalenderDrucken(const MonatsAuswahl &auswahl, Table &tage, Table *bilder,
    LayoutSettings &settings, const IniFile &ini)
{
    monatskalenderLauf(auswahl, tage, bilder, settings, ini,
        [](TMonateKalenderForm &form) { form.previewAndWait(); });
}

report::Document monatskalenderDokument(const MonatsAuswahl &auswahl, Table &tage, Table *bilder,
    LayoutSettings &settings, const IniFile &ini)
{
    return monatskalenderLauf(auswahl, tage, bilder, settings, ini,
        [](TMonateKalenderForm &form) { return form.generate(); });
}

} // namespace kb
