#include "printing/TTagebuchForm.h"

#include "printing/Bausteine.h"
#include "printing/TMonateKalenderForm.h"
#include "printing/TagebuchDaten.h"
#include "report/Printables.h"
#include "report/TextLayout.h"
#include "storage/Table.h"

#include <algorithm>
#include <cmath>

namespace kb {

namespace {

constexpr double kGruppenHoehe = 39;
constexpr double kZeilenHoehe = 24;
constexpr double kFussHoehe = 40;
constexpr double kNotizenLeft = 64;
constexpr double kKopfHoehe = 91;
constexpr double kTitelHoehe = 1;
// A day text grows its line to up to this many lines; beyond them it ends with "…".
constexpr int kHoechstensTextzeilen = 4;
constexpr double kTextTop = 8;

} // namespace

TTagebuchForm::TTagebuchForm(Table &tage, const LayoutSettings &settings, const IniFile &ini)
    : m_settings(settings)
{
    seiteEinrichten(ini);
    const GruppenStile stile = GruppenStile::lesen(ini);
    m_daten = std::make_unique<TagebuchDaten>(
        tage, Bausteine::arial(10), m_report.columnWidth() - kNotizenLeft, notizZeilenProSeite());
    m_report.setDataSet(m_daten.get());

    m_report.titleBand().setHeight(kTitelHoehe);
    Bausteine::adresskopf(m_report.pageHeader(), m_settings, stile, ini, m_report.printableWidth());

    // No forced break: a month follows the last day of the month before.
    report::Band &gruppe = m_report.addGroupHeader(QStringLiteral("MonatNr"));
    gruppe.setHeight(kGruppenHoehe);
    m_ueberschrift = std::make_unique<Bausteine::Monatsueberschrift>(gruppe, 16, 96,
        gruppenFont(m_settings, FontGroup::Monat, stile[FontGroup::Monat]),
        gruppenFarbe(m_settings, FontGroup::Monat),
        druckFarbe(m_settings.monatHintergrundFarbe, Qt::white));
    gruppe.setBeforePrint([this](report::Band &) { m_ueberschrift->vorDruck(*m_daten); });

    tageszeileAufbauen(ini);

    report::Band &fuss = m_report.pageFooter();
    fuss.setHeight(kFussHoehe);
    Bausteine::fussStreifen(fuss, m_settings, QRectF(0, 8, 713, 17), m_report.printableWidth());
    m_report.setOnStart([this] { m_zeile->reset(); });
}

TTagebuchForm::~TTagebuchForm()
{
    m_report.setDataSet(nullptr);
}

void TTagebuchForm::seiteEinrichten(const IniFile &ini)
{
    m_report.setPaper(report::PaperSize::A4);
    m_report.setOrientation(report::Orientation::Portrait);
    m_report.setMargins(readMonthLayoutMargins(ini));
    m_report.setColumns(1);
    m_report.setFont(Bausteine::arial(10));
    m_report.setPageHeaderOnFirstPage(true);
    m_report.setPageFooterOnLastPage(true);
    m_report.setTitle(QStringLiteral("Tagebuch"));
}

void TTagebuchForm::tageszeileAufbauen(const IniFile &ini)
{
    report::Band &zeile = m_report.detail();
    const Bausteine::TageszeilenMasse masse { .hoehe = kZeilenHoehe,
        .wochentagLeft = 30,
        .text = QRectF(64, kTextTop, 641, 17),
        .textGroesse = 10,
        .hoechstensTextzeilen = kHoechstensTextzeilen };
    m_zeile = std::make_unique<Bausteine::Tageszeilendruck>(
        zeile, masse, readLinienfarbe(ini), m_report.columnWidth(), *m_daten, m_settings);

    // The notes start at the foot of the day line (below a wrapped day text) and stretch it by
    // their height, on white even on a shaded day.
    auto &notizen = zeile.add<report::FieldText>(QStringLiteral("Notizen"));
    notizen.setGeometry(kNotizenLeft, kZeilenHoehe, 0, 0);
    notizen.setWordWrap(true);
    notizen.setAutoStretch(true);
    notizen.setTransparent(false);
    notizen.setBackground(Qt::white);
    notizen.setFont(Bausteine::arial(10));
    m_notizen = &notizen;

    zeile.setBeforePrint([this](report::Band &band) { vorTageszeile(band); });
    zeile.setAfterPrint([this](report::Band &) { m_zeile->nachDruck(); });
}

// How many lines of notes a day line may carry so that it still fits an empty page between
// page header and footer.
int TTagebuchForm::notizZeilenProSeite() const
{
    const Margins &r = m_report.margins();
    const double seite = m_report.pageSize().height() - report::mmToPixels(r.top)
        - report::mmToPixels(r.bottom) - kKopfHoehe - kTitelHoehe - kFussHoehe;
    const double zeile
        = report::layoutText(QStringLiteral("X"), Bausteine::arial(10), false, 0).lineHeight;
    const double tageszeile
        = std::max(kZeilenHoehe, std::ceil(kTextTop + kHoechstensTextzeilen * zeile));
    return zeile > 0 ? int(std::floor((seite - tageszeile - 1) / zeile)) : 1;
}

// The notes box is as wide as its longest line, up to the right edge of the line. A
// continuation of long notes shows only them, from the top of its line.
void TTagebuchForm::vorTageszeile(report::Band &zeile)
{
    m_zeile->vorDruck(zeile);
    const bool fortsetzung = m_daten->teil() > 0;
    m_zeile->setSichtbar(!fortsetzung);
    zeile.setHeight(fortsetzung ? 0 : m_zeile->hoehe());
    m_notizen->setTop(fortsetzung ? 0 : m_zeile->hoehe());

    const QString notizen = m_daten->value(QStringLiteral("Notizen")).toString();
    m_notizen->setVisible(!notizen.trimmed().isEmpty());
    const double breite = m_report.columnWidth() - kNotizenLeft;
    const double natuerlich
        = std::ceil(report::layoutText(notizen, m_notizen->font(), false, 0).width());
    m_notizen->setWidth(std::max(0.0, std::min(breite, natuerlich)));
}

namespace {

template<class Lauf>
auto tagebuchLauf(int monat, Table &tage, LayoutSettings &settings, const IniFile &ini, Lauf &&lauf)
{
    settings.ferieneinlesen(ini);
    const Bausteine::TagesCursorSicherung sicherung(tage);
    if (monat >= 1 && monat <= 12) {
        tage.setFilter(monatsFilter(monat));
        tage.setFiltered(true);
    }
    TTagebuchForm form(tage, settings, ini);
    return lauf(form);
}

} // namespace

void tagebuchDrucken(int monat, Table &tage, LayoutSettings &settings, const IniFile &ini)
{
    tagebuchLauf(monat, tage, settings, ini, [](TTagebuchForm &form) { form.previewAndWait(); });
}

report::Document tagebuchDokument(
    int monat, Table &tage, LayoutSettings &settings, const IniFile &ini)
{
    return tagebuchLauf(
        monat, tage, settings, ini, [](TTagebuchForm &form) { return form.generate(); });
}

} // namespace kb
