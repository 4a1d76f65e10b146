#include "printing/TKalenderForm.h"

#include "caldata/KalenderAnlage.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "report/Printables.h"
#include "report/TextLayout.h"
#include "storage/Table.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace kb {

using report::HAlign;

namespace {

// Geometry of the form in layout pixels (1/96 inch).
constexpr double kKopfHoehe = 97;
constexpr double kSpaltenkopfHoehe = 19;
constexpr double kGruppenHoehe = 2;
constexpr double kZeilenHoehe = 19;
constexpr double kFussHoehe = 18;
constexpr double kStreifenBreite = 1097;
constexpr double kSymbolAbstand = 19; // the symbol's left edge from the line's right edge
constexpr double kWochentagLeft = 18;

report::FontSpec font(const char *family, double size, bool bold = false)
{
    report::FontSpec f;
    f.family = QString::fromUtf8(family);
    f.pointSize = size;
    f.bold = bold;
    return f;
}

// The year of the caller's current day; a cursor without a current day (an empty filter)
// falls back to the calendar's year, that of its first day.
int jahrDesKalenders(const Table &tage, Table &eigener)
{
    if (tage.isOpen() && !tage.isEmpty() && tage.hasField(QStringLiteral("Datum"))) {
        const QDate datum = tage.asDate(QStringLiteral("Datum"));
        if (datum.isValid())
            return datum.year();
    }
    eigener.first();
    return eigener.isEmpty() ? QDate::currentDate().year()
                             : eigener.asDate(QStringLiteral("Datum")).year();
}

// Where a day text may start: one pixel right of the widest weekday abbreviation.
double textLinks(const report::FontSpec &wochentagFont)
{
    double breitester = 0;
    for (const QString &tag : wochentagKuerzel())
        breitester = std::max(breitester, report::textWidth(tag, wochentagFont));
    return kWochentagLeft + std::ceil(breitester) + 1;
}

} // namespace

const std::vector<KalenderVariante> &kalenderVarianten()
{
    // The 2-column variant keeps the day-text width of the 1-column one (960), wider than its
    // column; the day line cuts it at the column edge.
    static const std::vector<KalenderVariante> all = {
        {
            .handler = QStringLiteral("Kronoblatt1Click"),
            .menuText = QStringLiteral("Kronoblatt     1 Seite    /  12 Spalten"),
            .navText = QStringLiteral("1 Seite 12 Spalten"),
            .spalten = 12,
            .tagesNummerGroesse = 8,
            .wochentagGroesse = 8,
            .textGroesse = 4,
            .textLeft = 30,
            .textWidth = 43,
            .wochenLabelLeft = 35,
            .monatAusrichtung = HAlign::Left,
        },
        {
            .handler = QStringLiteral("Kronoblatt2Seiten6Spalten1Click"),
            .menuText = QStringLiteral("Kronoblatt     2 Seiten  /   6 Spalten"),
            .navText = QStringLiteral("2 Seiten 6 Spalten"),
            .spalten = 6,
            .tagesNummerGroesse = 11,
            .wochentagGroesse = 11,
            .textGroesse = 7,
            .textLeft = 48,
            .textWidth = 120,
            .wochenLabelLeft = 48,
            .monatAusrichtung = HAlign::Center,
        },
        {
            .handler = QStringLiteral("Kronoblatt3Seiten4Spalten1Click"),
            .menuText = QStringLiteral("Kronoblatt     3 Seiten  /   4 Spalten"),
            .navText = QStringLiteral("3 Seiten 4 Spalten"),
            .spalten = 4,
            .tagesNummerGroesse = 11,
            .wochentagGroesse = 11,
            .textGroesse = 7,
            .textLeft = 48,
            .textWidth = 210,
            .wochenLabelLeft = 48,
            .monatAusrichtung = HAlign::Left,
        },
        {
            .handler = QStringLiteral("Kronoblatt4Seiten3Spalten1Click"),
            .menuText = QStringLiteral("Kronoblatt     4 Seiten  /   3 Spalten"),
            .navText = QStringLiteral("4 Seiten 3 Spalten"),
            .spalten = 3,
            .tagesNummerGroesse = 11,
            .wochentagGroesse = 11,
            .textGroesse = 7,
            .textLeft = 48,
            .textWidth = 290,
            .wochenLabelLeft = 48,
            .monatAusrichtung = HAlign::Left,
        },
        {
            .handler = QStringLiteral("Kronoblatt6Seiten2Spalten1Click"),
            .menuText = QStringLiteral("Kronoblatt     6 Seiten  /   2 Spalten"),
            .navText = QStringLiteral("6 Seiten 2 Spalten"),
            .spalten = 2,
            .tagesNummerGroesse = 11,
            .wochentagGroesse = 11,
            .textGroesse = 7,
            .textLeft = 48,
            .textWidth = 960,
            .wochenLabelLeft = 48,
            .monatAusrichtung = HAlign::Left,
        },
        {
            .handler = QStringLiteral("Kronoblatt12Seiten1Spalte1Click"),
            .menuText = QStringLiteral("Kronoblatt   12 Seiten  /   1 Spalte"),
            .navText = QStringLiteral("12 Seiten 1 Spalte"),
            .spalten = 1,
            .tagesNummerGroesse = 11,
            .wochentagGroesse = 11,
            .textGroesse = 7,
            .textLeft = 48,
            .textWidth = 960,
            .wochenLabelLeft = 48,
            .monatAusrichtung = HAlign::Left,
        },
    };
    return all;
}

const KalenderVariante *kalenderVariante(const QString &navText)
{
    const auto &all = kalenderVarianten();
    const auto it = std::find_if(
        all.begin(), all.end(), [&](const KalenderVariante &v) { return v.navText == navText; });
    return it == all.end() ? nullptr : &*it;
}

TKalenderForm::TKalenderForm(const KalenderVariante &variante, const Table &tage,
    const LayoutSettings &settings, const IniFile &ini)
    : m_variante(variante)
    , m_settings(settings)
    , m_cursor(std::make_unique<Table>())
    , m_daten(*m_cursor)
{
    m_symbole = readSymbole(ini);
    seiteEinrichten(ini);
    const GruppenStile stile = GruppenStile::lesen(ini);

    // A cursor of its own on the same table file, without filter, in key order.
    m_cursor->setDirectory(tage.directory());
    m_cursor->setTableName(tage.tableName());
    m_cursor->open();
    m_jahr = jahrDesKalenders(tage, *m_cursor);
    m_report.setDataSet(&m_daten);

    kopfAufbauen(ini, stile);
    spaltenkopfAufbauen(stile);
    m_report.addGroupHeader(QStringLiteral("MonatNr")).setHeight(kGruppenHoehe);
    m_report.groupHeaders().back()->setForceNewColumn(true);
    tageszeileAufbauen(ini);
    fussAufbauen();
    // The week-1 label shows once per generation: the preview and a print from it each
    // generate the pages afresh.
    m_report.setOnStart([this] { m_regeln->reset(); });
}

TKalenderForm::~TKalenderForm()
{
    m_report.setDataSet(nullptr);
    if (m_cursor->isOpen())
        m_cursor->close();
}

void TKalenderForm::seiteEinrichten(const IniFile &ini)
{
    m_report.setPaper(report::PaperSize::A4);
    m_report.setOrientation(report::Orientation::Landscape);
    m_report.setMargins(readYearLayoutMargins(ini));
    m_report.setColumns(m_variante.spalten);
    m_report.setColumnSpacing(1);
    m_report.setFont(font("Arial", 10));
    m_report.setPageHeaderOnFirstPage(true);
    m_report.setPageFooterOnLastPage(true);
    m_report.setTitle(QStringLiteral("Kronoblatt ") + m_variante.navText);
}

void TKalenderForm::kopfAufbauen(const IniFile &ini, const GruppenStile &stile)
{
    report::Band &kopf = m_report.pageHeader();
    kopf.setHeight(kKopfHoehe);

    auto &titel = kopf.add<report::Label>();
    titel.setGeometry(0, 16, 0, 0);
    titel.setAutoSize(true);
    titel.setFont(gruppenFont(m_settings, FontGroup::Kopf, stile[FontGroup::Kopf]));
    titel.setColor(gruppenFarbe(m_settings, FontGroup::Kopf));
    titel.setTransparent(true);
    // An empty Kopftext still leaves the blank before the year.
    titel.setCaption(m_settings.kopftext + QLatin1Char(' ')
        + QString::number(m_jahr).rightJustified(4, QLatin1Char('0')));

    // The strip never reaches beyond the right margin, whatever the margins.
    auto &streifen = kopf.add<report::Label>(m_settings.kopfbandtext);
    streifen.setGeometry(0, 80, std::min(kStreifenBreite, m_report.printableWidth()), 17);
    streifen.setAlignToBand(true);
    streifen.setAlignment(HAlign::Left);
    streifen.setTransparent(false);
    streifen.setBackground(druckFarbe(readKopfBandFarbe(ini), Qt::white));
    streifen.setFont(gruppenFont(m_settings, FontGroup::KopfBand, stile[FontGroup::KopfBand]));
    streifen.setColor(gruppenFarbe(m_settings, FontGroup::KopfBand));

    const QString adresse[] = { m_settings.firma, m_settings.strasse, m_settings.ort,
        m_settings.telefon, m_settings.fax };
    const double tops[] = { 8, 22, 36, 51, 64 };
    for (int i = 0; i < 5; ++i) {
        auto &zeile = kopf.add<report::Label>(adresse[i]);
        zeile.setGeometry(864, tops[i], 0, 0);
        zeile.setAutoSize(true);
        zeile.setTransparent(true);
        zeile.setFont(gruppenFont(m_settings, FontGroup::Adresse, stile[FontGroup::Adresse]));
        zeile.setColor(gruppenFarbe(m_settings, FontGroup::Adresse));
    }

    auto &logo = kopf.add<report::Picture>();
    logo.setGeometry(784, 8, 57, 67);
    logo.setStretch(true);
    const QString bild = readBild(ini);
    if (!bild.isEmpty() && QFileInfo(bild).isFile())
        logo.loadFromFile(bild);
}

void TKalenderForm::spaltenkopfAufbauen(const GruppenStile &stile)
{
    report::Band &kopf = m_report.columnHeader();
    kopf.setHeight(kSpaltenkopfHoehe);
    auto &monat = kopf.add<report::Label>();
    monat.setGeometry(0, 2, 0, 0);
    monat.setAutoSize(true);
    monat.setAlignToBand(true);
    monat.setAlignment(m_variante.monatAusrichtung);
    monat.setTransparent(false);
    monat.setFont(gruppenFont(m_settings, FontGroup::Monat, stile[FontGroup::Monat]));
    monat.setColor(gruppenFarbe(m_settings, FontGroup::Monat));
    monat.setBackground(druckFarbe(m_settings.monatHintergrundFarbe, Qt::white));
    m_monat = &monat;
    // A month that runs over into a further column gets its name there again.
    kopf.setBeforePrint([this](report::Band &) {
        const QDate datum = m_daten.value(QStringLiteral("Datum")).toDate();
        m_monat->setCaption(datum.isValid() ? monatsnamen().at(datum.month() - 1) : QString());
    });
}

void TKalenderForm::tageszeileAufbauen(const IniFile &ini)
{
    report::Band &zeile = m_report.detail();
    zeile.setHeight(kZeilenHoehe);
    zeile.frame().bottom = report::PenSpec { druckFarbe(readLinienfarbe(ini)), 1, Qt::SolidLine };
    const double breite = m_report.columnWidth();

    auto &nummer = zeile.add<report::Label>();
    nummer.setGeometry(-2, 2, 19, 19);
    nummer.setAlignment(HAlign::Right);
    nummer.setTransparent(true);
    nummer.setFont(font("Arial", m_variante.tagesNummerGroesse, true));

    auto &wochentag = zeile.add<report::FieldText>(QStringLiteral("Tag"));
    wochentag.setGeometry(kWochentagLeft, 2, 22, 18);
    wochentag.setTransparent(true);
    wochentag.setFont(font("Arial", m_variante.wochentagGroesse));

    // The text starts right of the widest weekday, so no letter hides under it, and stays
    // inside its column: a width wider than the column would run into the next month or off
    // the page.
    auto &text = zeile.add<report::FieldText>(QStringLiteral("Text"));
    const double links = std::max(m_variante.textLeft, textLinks(wochentag.font()));
    const double rechts = std::min(m_variante.textLeft + m_variante.textWidth, breite);
    text.setGeometry(links, 7, std::max(0.0, rechts - links), 12);
    text.setWordWrap(true);
    text.setTransparent(true);
    text.setFont(font("Small Fonts", m_variante.textGroesse));

    auto &woche = zeile.add<report::Label>();
    woche.setGeometry(m_variante.wochenLabelLeft, 0, 0, 0);
    woche.setAutoSize(true);
    woche.setTransparent(true);
    woche.setFont(font("Small Fonts", 5));

    // The symbol's right edge ends 2 pixels inside the line's right edge.
    auto &symbol = zeile.add<report::FieldImage>(QStringLiteral("SymbolBild"));
    symbol.setGeometry(breite - kSymbolAbstand, 0, 0, 0);
    symbol.setStretch(true);
    symbol.setTransparentPicture(true);

    m_regeln = std::make_unique<Tageszeile::Regeln>(m_daten, m_settings,
        Tageszeile::Teile { .text = &text, .woche = &woche, .nummer = &nummer, .symbol = &symbol },
        m_symbole);
    zeile.setBeforePrint([this](report::Band &band) { m_regeln->vorDruck(band); });
    zeile.setAfterPrint([this](report::Band &) { m_regeln->nachDruck(); });
}

void TKalenderForm::fussAufbauen()
{
    report::Band &fuss = m_report.pageFooter();
    fuss.setHeight(kFussHoehe);
    auto &land = fuss.add<report::FieldText>(QStringLiteral("BLand"));
    land.setGeometry(0, 0, 0, 0);
    land.setAutoSize(true);
    land.setTransparent(true);
    land.setFont(font("Arial", 8));
    land.setColor(druckFarbe(m_settings.bundeslandSchriftFarbe));
}

report::Document TKalenderForm::generate()
{
    return m_report.generate();
}

void TKalenderForm::previewAndWait()
{
    m_report.previewAndWait();
}

void kronoblattDrucken(const KalenderVariante &variante, const Table &tage,
    LayoutSettings &settings, const IniFile &ini)
{
    settings.ferieneinlesen(ini);
    TKalenderForm form(variante, tage, settings, ini);
    form.previewAndWait();
}

report::Document kronoblattDokument(const KalenderVariante &variante, const Table &tage,
    LayoutSettings &settings, const IniFile &ini)
{
    settings.ferieneinlesen(ini);
    TKalenderForm form(variante, tage, settings, ini);
    return form.generate();
}

QString keinKalenderGeoeffnet()
{
    return QStringLiteral("Es ist derzeit kein Kalender geöffnet !\r\nBitte öffnen Sie über den "
                          "Schalter \"Kalender\" eine Kalenderdatei \r\num den Kronoblatt zu "
                          "drucken!");
}

void kronoblattNavigation(
    const QString &navText, const Table *tage, LayoutSettings &settings, const IniFile &ini)
{
    const KalenderVariante *variante = kalenderVariante(navText);
    if (!variante)
        throw Error(QStringLiteral("Unbekanntes Layout \"%1\"").arg(navText));
    if (!tage || !tage->isOpen()) {
        ui().message(keinKalenderGeoeffnet());
        return;
    }
    kronoblattDrucken(*variante, *tage, settings, ini);
}

} // namespace kb
