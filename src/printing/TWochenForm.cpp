#include "printing/TWochenForm.h"

#include "printing/Bausteine.h"
#include "report/Printables.h"
#include "storage/Table.h"

#include <QDate>

namespace kb {

namespace {

constexpr double kGruppenHoehe = 39;
constexpr double kZeilenHoehe = 63;
constexpr double kFussHoehe = 38;
const QRectF kNotizen(64, 20, 265, 40);

} // namespace

TWochenForm::TWochenForm(Table &tage, const LayoutSettings &settings, const IniFile &ini)
    : m_settings(settings)
    , m_daten(tage)
{
    seiteEinrichten();
    m_report.setDataSet(&m_daten);

    // Month name and year in the Monat font without its style.
    report::Band &gruppe = m_report.addGroupHeader(QStringLiteral("Woche"));
    gruppe.setHeight(kGruppenHoehe);
    gruppe.setForceNewColumn(true);
    m_ueberschrift = std::make_unique<Bausteine::Monatsueberschrift>(gruppe, 8, 104,
        gruppenFont(m_settings, FontGroup::Monat,
            FontStyles { .bold = false, .italic = false, .underline = false, .strikeOut = false }),
        gruppenFarbe(m_settings, FontGroup::Monat),
        druckFarbe(m_settings.monatHintergrundFarbe, Qt::white));
    gruppe.setBeforePrint([this](report::Band &) { m_ueberschrift->vorDruck(m_daten); });

    tageszeileAufbauen(ini);

    report::Band &fuss = m_report.pageFooter();
    fuss.setHeight(kFussHoehe);
    report::Label &streifen = Bausteine::fussStreifen(
        fuss, m_settings, QRectF(0, 0, 329, 33), m_report.printableWidth());
    streifen.setWordWrap(true);
    streifen.setAutoStretch(true);

    m_report.setOnStart([this] {
        m_zeile->reset();
        m_report.detail().setForceNewColumn(false);
    });
}

TWochenForm::~TWochenForm()
{
    m_report.setDataSet(nullptr);
}

void TWochenForm::seiteEinrichten()
{
    m_report.setPaper(report::PaperSize::A5);
    m_report.setOrientation(report::Orientation::Landscape);
    m_report.setMargins(Margins { .left = 10, .right = 10, .top = 5, .bottom = 0 });
    m_report.setColumns(2);
    m_report.setColumnSpacing(10);
    m_report.setFont(Bausteine::arial(10));
    m_report.setPageHeaderOnFirstPage(true);
    m_report.setPageFooterOnLastPage(true);
    m_report.setTitle(QStringLiteral("Wochenkalender"));
}

void TWochenForm::tageszeileAufbauen(const IniFile &ini)
{
    report::Band &zeile = m_report.detail();
    const Bausteine::TageszeilenMasse masse {
        .hoehe = kZeilenHoehe, .wochentagLeft = 32, .text = QRectF(64, 4, 265, 16), .textGroesse = 9
    };
    m_zeile = std::make_unique<Bausteine::Tageszeilendruck>(
        zeile, masse, readLinienfarbe(ini), m_report.columnWidth(), m_daten, m_settings);

    // The notes keep to their box; what does not fit ends in an ellipsis.
    auto &notizen = zeile.add<report::Label>();
    notizen.setGeometry(kNotizen.left(), kNotizen.top(), kNotizen.width(), kNotizen.height());
    notizen.setWordWrap(true);
    notizen.setElide(true);
    notizen.setTransparent(true);
    notizen.setFont(Bausteine::arial(8));
    m_notizen = &notizen;

    zeile.setBeforePrint([this](report::Band &band) { vorTageszeile(band); });
    zeile.setAfterPrint([this](report::Band &band) { nachTageszeile(band); });
}

void TWochenForm::vorTageszeile(report::Band &zeile)
{
    m_zeile->vorDruck(zeile);
    m_notizen->setCaption(m_daten.value(QStringLiteral("Notizen")).toString());
}

// After the Saturday of week 1 the Sunday of that week starts a column of its own; no group
// header marks it, the week number being the same.
void TWochenForm::nachTageszeile(report::Band &zeile)
{
    m_zeile->nachDruck();
    const int woche = m_daten.value(QStringLiteral("Woche")).toInt();
    const QDate datum = m_daten.value(QStringLiteral("Datum")).toDate();
    zeile.setForceNewColumn(woche == 1 && datum.isValid() && datum.dayOfWeek() == 6);
}

namespace {

template<class Lauf>
auto wochenkalenderLauf(Table &tage, LayoutSettings &settings, const IniFile &ini, Lauf &&lauf)
{
    const Bausteine::TagesCursorSicherung sicherung(tage);
    tage.setFiltered(false);
    settings.ferieneinlesen(ini);
    TWochenForm form(tage, settings, ini);
    return lauf(form);
}

} // namespace

void wochenkalenderDrucken(Table &tage, LayoutSettings &settings, const IniFile &ini)
{
    wochenkalenderLauf(tage, settings, ini, [](TWochenForm &form) { form.previewAndWait(); });
}

report::Document wochenkalenderDokument(Table &tage, LayoutSettings &settings, const IniFile &ini)
{
    return wochenkalenderLauf(
        tage, settings, ini, [](TWochenForm &form) { return form.generate(); });
}

} // namespace kb
