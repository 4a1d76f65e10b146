#include "printing/Bausteine.h"

#include "platform/Error.h"
#include "platform/Logging.h"
#include "report/Band.h"
#include "report/DataSet.h"
#include "report/Printables.h"
#include "report/TextLayout.h"
#include "settings/IniFile.h"
#include "storage/Table.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace kb::Bausteine {

namespace {

constexpr double kAdresseLeft = 440;
constexpr double kAbstand = 4; // a blank between two texts
constexpr double kWochenLabelLeft = 48;

} // namespace

report::FontSpec arial(double size, bool bold)
{
    report::FontSpec f;
    f.family = QStringLiteral("Arial");
    f.pointSize = size;
    f.bold = bold;
    return f;
}

QRectF logoBox(double breite)
{
    const QRectF logo(656, 8, 57, 73);
    if (logo.right() <= breite)
        return logo;
    const double w = std::clamp(breite, 0.0, logo.width());
    const double h = logo.height() * w / logo.width();
    return { std::max(0.0, breite - w), logo.top(), w, h };
}

void adresskopf(report::Band &kopf, const LayoutSettings &settings, const GruppenStile &stile,
    const IniFile &ini, double breite)
{
    kopf.setHeight(91);

    auto &firma = kopf.add<report::Label>(settings.firma);
    firma.setGeometry(8, 8, 0, 0);
    firma.setAutoSize(true);
    firma.setTransparent(true);
    firma.setFont(gruppenFont(settings, FontGroup::Kopf, stile[FontGroup::Kopf]));
    firma.setColor(gruppenFarbe(settings, FontGroup::Kopf));

    const QRectF logoRahmen = logoBox(breite);
    auto &logo = kopf.add<report::Picture>();
    logo.setGeometry(logoRahmen.left(), logoRahmen.top(), logoRahmen.width(), logoRahmen.height());
    logo.setStretch(true);
    const QString bild = readBild(ini);
    if (!bild.isEmpty() && QFileInfo(bild).isFile())
        logo.loadFromFile(bild);

    // The company above the address in the address font, always without style.
    const report::FontSpec ohneStil = gruppenFont(settings, FontGroup::Adresse,
        FontStyles { .bold = false, .italic = false, .underline = false, .strikeOut = false });
    const report::FontSpec adresse
        = gruppenFont(settings, FontGroup::Adresse, stile[FontGroup::Adresse]);
    const QString zeilen[] = { settings.strasse, settings.ort, settings.telefon, settings.fax };

    // Between wide margins the address moves left, so that it does not run under the logo.
    double breitest = report::textWidth(settings.firma, ohneStil);
    for (const QString &z : zeilen)
        breitest = std::max(breitest, report::textWidth(z, adresse));
    const double adresseLeft = std::max(0.0,
        std::min(kAdresseLeft,
            logo.picture({}).isNull() ? breite - std::ceil(breitest)
                                      : logoRahmen.left() - kAbstand - std::ceil(breitest)));

    auto &firmaAdresse = kopf.add<report::Label>(settings.firma);
    firmaAdresse.setGeometry(adresseLeft, 6, 0, 0);
    firmaAdresse.setAutoSize(true);
    firmaAdresse.setTransparent(true);
    firmaAdresse.setFont(ohneStil);
    firmaAdresse.setColor(gruppenFarbe(settings, FontGroup::Adresse));

    const double tops[] = { 22, 40, 56, 72 };
    for (int i = 0; i < 4; ++i) {
        auto &zeile = kopf.add<report::Label>(zeilen[i]);
        zeile.setGeometry(adresseLeft, tops[i], 0, 0);
        zeile.setAutoSize(true);
        zeile.setTransparent(true);
        zeile.setFont(adresse);
        zeile.setColor(gruppenFarbe(settings, FontGroup::Adresse));
    }
}

report::Label &fussStreifen(
    report::Band &fuss, const LayoutSettings &settings, const QRectF &box, double breite)
{
    auto &streifen = fuss.add<report::Label>(settings.kopfbandtext);
    streifen.setGeometry(box.left(), box.top(),
        std::max(0.0, std::min(box.right(), breite) - box.left()), box.height());
    streifen.setTransparent(false);
    streifen.setFont(gruppenFont(settings, FontGroup::KopfBand,
        FontStyles { .bold = false, .italic = false, .underline = false, .strikeOut = false }));
    streifen.setColor(gruppenFarbe(settings, FontGroup::KopfBand));
    streifen.setBackground(druckFarbe(settings.kopfBandFarbe, Qt::white));
    return streifen;
}

Monatsueberschrift::Monatsueberschrift(report::Band &band, double top, double jahrLeft,
    const report::FontSpec &font, const QColor &farbe, const QColor &hintergrund)
    : m_jahrLeft(jahrLeft)
{
    const auto einrichten = [&](report::TextPrintable &p, double left) {
        p.setGeometry(left, top, 0, 0);
        p.setAutoSize(true);
        p.setTransparent(false);
        p.setFont(font);
        p.setColor(farbe);
        p.setBackground(hintergrund);
    };
    m_monat = &band.add<report::FieldText>(QStringLiteral("Monat"));
    einrichten(*m_monat, 16);
    m_jahr = &band.add<report::Label>();
    einrichten(*m_jahr, jahrLeft);
}

void Monatsueberschrift::vorDruck(const report::DataSet &daten)
{
    const QDate datum = daten.value(QStringLiteral("Datum")).toDate();
    m_jahr->setCaption(datum.isValid() ? QString::number(datum.year()) : QString());
    const double monatEnde = m_monat->left()
        + std::ceil(
            report::textWidth(daten.value(QStringLiteral("Monat")).toString(), m_monat->font()));
    m_jahr->setLeft(std::max(m_jahrLeft, monatEnde + kAbstand));
}

Tageszeilendruck::Tageszeilendruck(report::Band &zeile, const TageszeilenMasse &masse,
    qint32 linienfarbe, double breite, const report::DataSet &daten, const LayoutSettings &settings)
    : m_daten(daten)
    , m_masse(masse)
    , m_breite(breite)
    , m_hoehe(masse.hoehe)
{
    zeile.setHeight(masse.hoehe);
    zeile.frame().bottom = report::PenSpec { druckFarbe(linienfarbe), 1, Qt::SolidLine };

    auto &nummer = zeile.add<report::FieldText>(QStringLiteral("Datum"), QStringLiteral("d"));
    nummer.setGeometry(0, 0, 25, 17);
    nummer.setAlignment(report::HAlign::Right);
    nummer.setTransparent(true);
    nummer.setFont(arial(10, true));
    m_nummer = &nummer;

    auto &wochentag = zeile.add<report::FieldText>(QStringLiteral("Tag"));
    wochentag.setGeometry(masse.wochentagLeft, 0, 0, 0);
    wochentag.setAutoSize(true);
    wochentag.setTransparent(true);
    wochentag.setFont(arial(10));
    m_wochentag = &wochentag;

    auto &woche = zeile.add<report::Label>();
    woche.setGeometry(kWochenLabelLeft, 0, 0, 0);
    woche.setAutoSize(true);
    woche.setTransparent(true);
    report::FontSpec klein;
    klein.family = QStringLiteral("Small Fonts");
    klein.pointSize = 5;
    woche.setFont(klein);

    auto &text = zeile.add<report::FieldText>(QStringLiteral("Text"));
    text.setGeometry(masse.text.left(), masse.text.top(), 0, masse.text.height());
    text.setWordWrap(true);
    text.setElide(true);
    text.setTransparent(true);
    text.setFont(arial(masse.textGroesse));

    m_teile = Tageszeile::Teile { .text = &text, .woche = &woche };
    m_regeln = std::make_unique<Tageszeile::Regeln>(daten, settings, m_teile);
    ordnen();
}

void Tageszeilendruck::vorDruck(report::Band &zeile)
{
    m_regeln->vorDruck(zeile);
    ordnen();
}

void Tageszeilendruck::setSichtbar(bool sichtbar)
{
    m_nummer->setVisible(sichtbar);
    m_wochentag->setVisible(sichtbar);
    m_teile.woche->setVisible(sichtbar);
    m_teile.text->setVisible(sichtbar);
}

void Tageszeilendruck::ordnen()
{
    report::Label &woche = *m_teile.woche;
    const QString tag = m_daten.value(QStringLiteral("Tag")).toString();
    const double wochentagEnde
        = m_masse.wochentagLeft + std::ceil(report::textWidth(tag, m_wochentag->font()));
    woche.setLeft(std::max(kWochenLabelLeft, wochentagEnde + 1));

    double links = m_masse.text.left();
    const QString label = woche.caption();
    const double labelHoehe = report::layoutText(label, woche.font(), false, 0).height();
    if (!label.isEmpty() && m_masse.text.top() < labelHoehe)
        links = std::max(
            links, woche.left() + std::ceil(report::textWidth(label, woche.font())) + kAbstand);
    const double rechts = std::min(m_masse.text.right(), m_breite);
    m_teile.text->setLeft(links);
    m_teile.text->setWidth(std::max(0.0, rechts - links));
    textHoeheAnpassen();
}

// A wrapped day text takes as many whole lines as it needs, up to the line's limit.
void Tageszeilendruck::textHoeheAnpassen()
{
    m_hoehe = m_masse.hoehe;
    if (m_masse.hoechstensTextzeilen <= 0)
        return;
    report::TextPrintable &text = *m_teile.text;
    const report::TextBlock block = report::layoutText(
        m_daten.value(QStringLiteral("Text")).toString(), text.font(), true, text.width());
    const qsizetype zeilen
        = std::clamp<qsizetype>(block.lines.size(), 1, m_masse.hoechstensTextzeilen);
    const double textHoehe = double(zeilen) * block.lineHeight;
    text.setHeight(std::max(m_masse.text.height(), std::ceil(textHoehe)));
    m_hoehe = std::max(m_masse.hoehe, std::ceil(m_masse.text.top() + textHoehe));
}

TagesCursorSicherung::TagesCursorSicherung(Table &tage)
    : m_tage(tage)
{
    if (!m_tage.isOpen())
        return;
    m_tage.disableControls();
    m_gesperrt = true;
    if (!m_tage.isEmpty() && !m_tage.eof())
        m_nummer = m_tage.asInt(QStringLiteral("Nummer"));
}

TagesCursorSicherung::~TagesCursorSicherung()
{
    if (!m_gesperrt)
        return;
    try {
        if (m_tage.isOpen()
            && (m_nummer == 0 || !m_tage.locate(QStringLiteral("Nummer"), m_nummer)))
            m_tage.first();
    } catch (const Error &e) {
        qCWarning(lcPrinting) << "day table not put back:" << e.message();
    }
    m_tage.enableControls();
}

} // namespace kb::Bausteine
