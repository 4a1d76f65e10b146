#include "designer/Formulardruck.h"

#include "designer/Entwurfsregeln.h"
#include "platform/Error.h"
#include "printing/TMonateKalenderForm.h"
#include "printing/TextGruppen.h"
#include "report/Printables.h"
#include "storage/Table.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <utility>

namespace kb::designer {

namespace {

using B = FormBand;
using T = ElementType;

// The order in which the printables are made: within a band, later ones lie above earlier
// ones (header rectangles and group data pictures go behind the rest of their band).
constexpr std::array<std::pair<T, B>, kKindCount> kAnlageFolge { {
    { T::FreeText, B::Header },
    { T::SystemField, B::Header },
    { T::DataField, B::Header },
    { T::Picture, B::Header },
    { T::Rectangle, B::Header },
    { T::FreeText, B::Group },
    { T::Rectangle, B::Group },
    { T::DataPicture, B::Group },
    { T::Rectangle, B::Day },
    { T::Rectangle, B::Summary },
    { T::Rectangle, B::Footer },
    { T::SystemField, B::Group },
    { T::DataField, B::Group },
    { T::Picture, B::Group },
    { T::FreeText, B::Day },
    { T::SystemField, B::Day },
    { T::DataField, B::Day },
    { T::Picture, B::Day },
    { T::FreeText, B::Summary },
    { T::SystemField, B::Summary },
    { T::DataField, B::Summary },
    { T::Picture, B::Summary },
    { T::FreeText, B::Footer },
    { T::SystemField, B::Footer },
    { T::DataField, B::Footer },
    { T::Picture, B::Footer },
    { T::DataPicture, B::Header },
    { T::DataPicture, B::Day },
    { T::DataPicture, B::Footer },
} };

// The designer's rulers above the element tops, by type (rows) and band (columns).
constexpr int kOben[kElementTypeCount][kBandCount] = {
    { 10, 50, 50, 50, 50 }, // free text
    { 0, 50, 50, 50, 50 }, // system field
    { 10, 50, 50, 50, 50 }, // data field
    { 10, 50, 34, 50, 50 }, // picture
    { 0, 50, 34, 50, 50 }, // rectangle
    { 0, 50, 60, 50, 50 }, // data picture
};
// The ruler scale starts left of the band's edge; day data pictures sit closer to it.
constexpr int kLinks = 30;
constexpr int kLinksTagesbild = 21;
constexpr int kTextZugabe = 10;
constexpr qint32 kWeiss = 0x00FFFFFF;

bool istText(T type)
{
    return type == T::FreeText || type == T::SystemField || type == T::DataField;
}

report::FontSpec druckSchrift(const FormFont &f)
{
    report::FontSpec spec;
    spec.family = f.name.trimmed().isEmpty() ? QStringLiteral("Arial") : f.name;
    spec.pointSize = f.size > 0 ? f.size : 8;
    spec.bold = f.style & 1;
    spec.italic = f.style & 2;
    spec.underline = f.style & 4;
    spec.strikeOut = f.style & 8;
    return spec;
}

QColor farbe(qint32 stored, const QColor &standard)
{
    const QColor c = formColor(stored);
    return c.isValid() ? c : standard;
}

report::HAlign ausrichtung(quint8 a)
{
    switch (a) {
    case kAlignRight:
        return report::HAlign::Right;
    case kAlignCenter:
        return report::HAlign::Center;
    default:
        break;
    }
    return report::HAlign::Left;
}

void rahmenSetzen(report::Frame &frame, const FrameSides &sides, const FormPage &page)
{
    const report::PenSpec pen { farbe(page.frameColor, Qt::black), double(page.frameWidth),
        Qt::SolidLine };
    const auto seite = [&](bool an) { return an ? std::optional(pen) : std::nullopt; };
    frame.top = seite(sides.top);
    frame.bottom = seite(sides.bottom);
    frame.left = seite(sides.left);
    frame.right = seite(sides.right);
}

Tageszeile::Tag tagLesen(const report::DataSet &daten, const Table &tage)
{
    Tageszeile::Tag t;
    t.datum = daten.value(QStringLiteral("Datum")).toDate();
    t.tag = daten.value(QStringLiteral("Tag")).toString();
    t.woche = daten.value(QStringLiteral("Woche")).toInt();
    t.kennung = daten.value(QStringLiteral("Kennung")).toInt();
    t.hatSymbol = tage.hasField(QStringLiteral("SymbolBild"))
        && tage.blobSize(QStringLiteral("SymbolBild")) > 0;
    return t;
}

} // namespace

Schattierung schattierung(const PagePanel &panel)
{
    return { panel.shadeSaturdays, panel.shadeSundays, panel.shadeHolidays,
        panel.shadeSchoolHolidays };
}

qint32 tagesHintergrund(
    const Tageszeile::Tag &tag, const Schattierung &schalter, const LayoutSettings &settings)
{
    qint32 farbe = kWeiss;
    if (schalter.feiertage && tag.kennung > 0)
        farbe = settings.hintergrundFeiertag;
    else if (schalter.feiertage && tag.kennung < 0)
        farbe = kWeiss;
    if (schalter.samstag && tag.tag == QLatin1String("Sa"))
        farbe = settings.hintergrundSamstag;
    if (schalter.sonntag && tag.tag == QLatin1String("So"))
        farbe = settings.hintergrundWochenende;
    // Every set period is completed with the day's year, also on weekends, so a bound that
    // is no date is reported whatever the day.
    if (schalter.ferien && settings.inFerien(tag.datum) && !Tageszeile::istWochenende(tag.tag)
        && tag.kennung <= 0)
        farbe = settings.hintergrundFarbeFerien;
    if (tag.kennung > 0 && !schalter.feiertage)
        farbe = kWeiss;
    return farbe;
}

QRectF druckPosition(const FormElement &e, const FormPage &page)
{
    const int lm = roundHalfEven(page.marginLeft);
    const int tm = roundHalfEven(page.marginTop);
    const T type = e.type();
    const B band = e.band();
    const int links = type == T::DataPicture && band == B::Day ? kLinksTagesbild : kLinks;
    const int oben = kOben[static_cast<int>(type)][static_cast<int>(band)];
    const int breite = e.width + (istText(type) ? kTextZugabe : 0);
    return QRectF(e.left - links + lm, e.top - oben + tm, breite, e.height);
}

double druckBandHoehe(FormBand band, const Formular &form)
{
    switch (band) {
    case B::Header:
        return form.bandHeight(band);
    case B::Group:
        return form.bandHeight(band) - 50;
    case B::Day:
        return form.bandHeight(band) - 49;
    case B::Summary:
        return 0;
    case B::Footer:
        return form.bandHeight(band) - 50;
    }
    return 0;
}

report::SystemData::Kind systemWert(const QString &caption)
{
    using K = report::SystemData::Kind;
    static const std::array<std::pair<const char *, K>, 7> werte { {
        { "Systemdatum", K::Date },
        { "Systemzeit", K::Time },
        { "System-Datum-Zeit", K::DateTime },
        { "Seitennummerierung", K::PageNumber },
        { "Subdetail-Count", K::DetailCount },
        { "Subdetail-Nummer", K::DetailNumber },
        { "Report-Titel", K::ReportTitle },
    } };
    for (const auto &[text, kind] : werte)
        if (caption == QLatin1String(text))
            return kind;
    return K::Time;
}

QImage platzhalterBild()
{
    static const QImage bild(QStringLiteral(":/formulardruck/leer.png"));
    return bild;
}

Formulardruck::Formulardruck(const Formular &form, Table &tage, Table *bilder,
    const LayoutSettings &settings, const QString &titel)
    : m_form(form)
    , m_settings(settings)
    , m_tage(tage)
    , m_tageDaten(tage)
    , m_schalter(schattierung(form.panel()))
{
    if (bilder && bilder->isOpen())
        m_bilderDaten.emplace(*bilder);
    m_tage.setFiltered(false);
    m_tage.first();
    m_report.setTitle(titel);
    m_report.setDataSet(&m_tageDaten);
    seiteEinrichten();
    baenderEinrichten();
    wocheEinrichten();
    elementeAnlegen();
    // The week-1 caption shows once per generation: the preview and a print from it each
    // generate the pages afresh.
    m_report.setOnStart([this] { m_wochenLabel.reset(); });
    m_report.detail().setBeforePrint([this](report::Band &b) { vorTag(b); });
}

Formulardruck::~Formulardruck()
{
    m_report.setDataSet(nullptr);
}

void Formulardruck::seiteEinrichten()
{
    const PagePanel &panel = m_form.panel();
    const FormPage &page = m_form.page();
    switch (panel.paper) {
    case PaperItem::A4:
        m_report.setPaper(report::PaperSize::A4);
        break;
    case PaperItem::A3:
        m_report.setCustomPaper(420, 300);
        break;
    case PaperItem::Custom:
        m_report.setCustomPaper(panel.paperWidth, panel.paperHeight);
        break;
    }
    bool quer = page.landscape;
    if (panel.orientation == OrientationBox::Portrait)
        quer = false;
    else if (panel.orientation == OrientationBox::Landscape)
        quer = true;
    m_report.setOrientation(quer ? report::Orientation::Landscape : report::Orientation::Portrait);
    m_report.setColumns(panel.columns);
    m_report.setColumnSpacing(panel.columnSpacing);
    m_report.setMargins(Margins { .left = page.marginLeft,
        .right = page.marginRight,
        .top = page.marginTop,
        .bottom = page.marginBottom });
    m_report.setPageHeaderOnFirstPage(true);
    m_report.setPageFooterOnLastPage(true);
    rahmenSetzen(m_report.pageFrame(), page.pageFrame, page);
}

report::Band &Formulardruck::band(FormBand b)
{
    switch (b) {
    case B::Header:
        return m_report.pageHeader();
    case B::Group:
        return m_report.columnHeader();
    case B::Day:
        return m_report.detail();
    case B::Summary:
        return *m_report.groupHeaders().front();
    case B::Footer:
        break;
    }
    return m_report.pageFooter();
}

// A new month starts a new column: the summary band is the group header on MonatNr.
void Formulardruck::baenderEinrichten()
{
    report::Band &summen = m_report.addGroupHeader(QStringLiteral("MonatNr"));
    summen.setForceNewColumn(true);
    for (int i = 0; i < kBandCount; ++i) {
        const auto b = static_cast<FormBand>(i);
        band(b).setHeight(druckBandHoehe(b, m_form));
        rahmenSetzen(band(b).frame(), m_form.page().bandFrames[std::size_t(i)], m_form.page());
    }
}

void Formulardruck::wocheEinrichten()
{
    const WeekLabel &w = m_form.weekLabel();
    auto &woche = m_report.detail().add<report::Label>();
    m_woche = &woche;
    woche.setFont(druckSchrift(w.font));
    woche.setColor(farbe(w.font.color, Qt::black));
    woche.setAlignment(ausrichtung(w.alignment));
    woche.setTransparent(true);
    woche.setGeometry(w.left - kLinks, w.top - 50, w.width, w.height);
    if (!m_form.panel().showWeeks) {
        woche.setVisible(false);
        woche.setSize(0, 0);
        return;
    }
    woche.setVisible(true);
    woche.setAutoSize(true);
}

void Formulardruck::elementeAnlegen()
{
    for (const auto &[type, b] : kAnlageFolge) {
        const std::optional<int> kind = kindOf(type, b);
        if (!kind)
            continue;
        std::vector<const FormElement *> art;
        for (const FormElement &e : m_form.elements())
            if (e.kind == *kind)
                art.push_back(&e);
        std::sort(art.begin(), art.end(),
            [](const FormElement *x, const FormElement *y) { return x->number < y->number; });
        for (const FormElement *e : art)
            anlegen(*e);
    }
}

void Formulardruck::anlegen(const FormElement &e)
{
    report::Band &ziel = band(e.band());
    switch (e.type()) {
    case T::FreeText:
    case T::SystemField:
    case T::DataField:
        textAnlegen(e, ziel);
        break;
    case T::Picture:
        bildAnlegen(e, ziel);
        break;
    case T::Rectangle:
        rechteckAnlegen(e, ziel);
        break;
    case T::DataPicture:
        datenbildAnlegen(e, ziel);
        break;
    }
}

const report::DataSet *Formulardruck::quelle(const QString &name) const
{
    if (name == QLatin1String(kMainTable))
        return &m_tageDaten;
    if (name == QLatin1String(kDetailTable) && m_bilderDaten)
        return &*m_bilderDaten;
    return nullptr;
}

void Formulardruck::textAnlegen(const FormElement &e, report::Band &ziel)
{
    report::TextPrintable *p = nullptr;
    if (e.type() == T::FreeText) {
        p = &ziel.add<report::Label>(e.caption);
    } else if (e.type() == T::SystemField) {
        p = &ziel.add<report::SystemData>(systemWert(e.caption));
    } else {
        // A field of no known source shows nothing.
        const report::DataSet *daten = quelle(e.source);
        auto &feld = ziel.add<report::FieldText>(daten ? e.dataField : QString());
        feld.setDataSet(daten);
        p = &feld;
    }
    const QRectF r = druckPosition(e, m_form.page());
    p->setGeometry(r.left(), r.top(), r.width(), r.height());
    p->setFont(druckSchrift(e.font));
    p->setColor(farbe(e.font.color, Qt::black));
    p->setVisible(e.visible);
    p->setTransparent(e.transparent);
    p->setBackground(farbe(e.color, Qt::white));
    p->setAlignment(ausrichtung(e.alignment));
    p->setAutoSize(false);
    p->setAutoStretch(true);
}

void Formulardruck::bildAnlegen(const FormElement &e, report::Band &ziel)
{
    auto &bild = ziel.add<report::Picture>();
    if (e.placeholder || !bild.loadFromFile(e.picturePath))
        bild.setImage(platzhalterBild());
    const QRectF r = druckPosition(e, m_form.page());
    bild.setGeometry(r.left(), r.top(), r.width(), r.height());
    bild.setVisible(e.visible);
    bild.setAutoSize(false);
    bild.setStretch(e.stretch);
}

void Formulardruck::rechteckAnlegen(const FormElement &e, report::Band &ziel)
{
    FormElement breit = e;
    if (breit.width == 0)
        breit.width = 1;
    auto &rechteck
        = e.band() == B::Header ? ziel.addBehind<report::Shape>() : ziel.add<report::Shape>();
    const QRectF r = druckPosition(breit, m_form.page());
    rechteck.setGeometry(r.left(), r.top(), r.width(), r.height());
    rechteck.setTransparent(true);
    rechteck.setVisible(true);
}

void Formulardruck::datenbildAnlegen(const FormElement &e, report::Band &ziel)
{
    const report::DataSet *daten = quelle(e.source);
    auto &bild = e.band() == B::Group ? ziel.addBehind<report::FieldImage>(e.dataField)
                                      : ziel.add<report::FieldImage>(e.dataField);
    bild.setDataSet(daten);
    if (!daten)
        bild.setField(QString());
    bild.setStretch(true);
    // A month picture fills its box whatever its shape: cut centred, never distorted.
    bild.setCover(daten && daten != &m_tageDaten);
    const QRectF r = druckPosition(e, m_form.page());
    bild.setGeometry(r.left(), r.top(), r.width(), r.height());
    if (e.band() == B::Day)
        m_tagesbilder.push_back({ &bild, r });
}

// Before each day line: pictures hidden, background by the shading rules, week caption,
// pictures shown again for a day with a symbol.
void Formulardruck::vorTag(report::Band &zeile)
{
    for (const Tagesbild &b : m_tagesbilder)
        b.printable->setSize(0, 0);
    const Tageszeile::Tag tag = tagLesen(m_tageDaten, m_tage);
    const qint32 hintergrund = tagesHintergrund(tag, m_schalter, m_settings);
    m_woche->setCaption(m_wochenLabel.text(tag.tag, tag.woche));
    if (tag.hatSymbol) {
        for (const Tagesbild &b : m_tagesbilder)
            b.printable->setGeometry(
                b.platz.left(), b.platz.top(), b.platz.width(), b.platz.height());
    }
    zeile.setBackground(druckFarbe(hintergrund, Qt::white));
}

report::Document Formulardruck::generate()
{
    return m_report.generate();
}

void Formulardruck::previewAndWait()
{
    m_report.previewAndWait();
}

void formularVorschau(const Formular &form, Table &tage, Table *bilder,
    const LayoutSettings &settings, const QString &titel)
{
    Formulardruck druck(form, tage, bilder, settings, titel);
    druck.previewAndWait();
}

QString formularTitel(const QString &formPfad, const Table &tage)
{
    QString name = QFileInfo(formPfad).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("Kalenderformular");
    Table erster;
    erster.setDirectory(tage.directory());
    erster.setTableName(tage.tableName());
    erster.open();
    erster.first();
    if (erster.isEmpty())
        return name;
    const QDate datum = erster.asDate(QStringLiteral("Datum"));
    return datum.isValid() ? name + QLatin1Char(' ') + QString::number(datum.year()) : name;
}

report::Document formularDokument(const QString &formPfad, const QString &jahrTabelle,
    const QString &bildTabelle, const IniFile &ini)
{
    const QFileInfo info(formPfad);
    if (!info.exists())
        throw Error(QStringLiteral("Die Formulardatei %1 existiert nicht.")
                        .arg(QDir::toNativeSeparators(formPfad)));
    Formular form;
    form.load(formPfad);

    LayoutSettings settings;
    settings.loadStartup(ini);
    settings.load(ini);
    Table tage;
    tage.setFilePath(jahrTabelle);
    tage.open();
    Table bilder;
    bilder.setFilePath(bildTabelle);
    if (!bildTabelle.isEmpty() && bilder.exists()) {
        bilderVerknuepfen(bilder, tage);
        bilder.open();
    }
    Formulardruck druck(
        form, tage, bilder.isOpen() ? &bilder : nullptr, settings, formularTitel(formPfad, tage));
    return druck.generate();
}

} // namespace kb::designer
