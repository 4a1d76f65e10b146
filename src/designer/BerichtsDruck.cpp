#include "designer/BerichtsDruck.h"

#include "designer/BerichtsStrom.h"
#include "platform/Error.h"
#include "printing/TableDataSet.h"
#include "report/Printables.h"
#include "storage/Table.h"

#include <QImage>

namespace kb::bericht {
namespace {

void eigenschaften(const Element &e, report::Printable &p)
{
    p.setGeometry(e.geometrie.left(), e.geometrie.top(), e.geometrie.width(), e.geometrie.height());
    if (e.schrift)
        p.setFont(*e.schrift);
    p.setColor(e.farbe);
    p.setBackground(e.hintergrund);
    p.setTransparent(e.transparent);
    p.setAlignment(e.ausrichtung);
    p.setAlignToBand(e.anBandAusrichten);
    p.setAutoSize(e.autoGroesse);
    p.setWordWrap(e.umbruch);
    p.setAutoStretch(e.autoStrecken);
    p.setStretch(e.strecken);
}

void shapeHinzufuegen(const Element &e, report::Band &band, report::Shape::Kind art)
{
    auto &shape = band.add<report::Shape>(art);
    eigenschaften(e, shape);
    shape.setPen(e.stift);
}

void bildEigenschaften(const Element &e, report::PicturePrintable &p)
{
    eigenschaften(e, p);
    p.setKeepAspect(e.seitenverhaeltnis);
}

void elementHinzufuegen(const Bericht &bericht, const Element &e, report::Band &band)
{
    switch (e.art) {
    case ElementArt::Text:
        eigenschaften(e, band.add<report::Label>(e.text));
        return;
    case ElementArt::Feld:
        eigenschaften(e, band.add<report::FieldText>(e.text, e.maske));
        return;
    case ElementArt::Systemwert: {
        auto &wert = band.add<report::SystemData>(report::SystemData::Kind(e.systemwert));
        wert.setPrefix(e.text);
        eigenschaften(e, wert);
        return;
    }
    case ElementArt::Bild: {
        QImage bild;
        if (e.bild >= 0 && std::size_t(e.bild) < bericht.bilder.size())
            bild.loadFromData(bericht.bilder[std::size_t(e.bild)], "PNG");
        bildEigenschaften(e, band.add<report::Picture>(bild));
        return;
    }
    case ElementArt::Feldbild:
        bildEigenschaften(e, band.add<report::FieldImage>(e.text));
        return;
    case ElementArt::Rechteck:
        shapeHinzufuegen(e, band, report::Shape::Kind::Rectangle);
        return;
    case ElementArt::LinieWaagrecht:
        shapeHinzufuegen(e, band, report::Shape::Kind::HorizontalLine);
        return;
    case ElementArt::LinieSenkrecht:
        shapeHinzufuegen(e, band, report::Shape::Kind::VerticalLine);
        return;
    }
}

std::optional<report::PenSpec> seite(bool an, const report::PenSpec &stift)
{
    return an ? std::optional(stift) : std::nullopt;
}

report::Band &engineBand(report::Report &r, const Band &b)
{
    switch (b.art) {
    case BandArt::Titel:
        return r.titleBand();
    case BandArt::Seitenkopf:
        return r.pageHeader();
    case BandArt::Spaltenkopf:
        return r.columnHeader();
    case BandArt::Gruppenkopf:
        return r.addGroupHeader(b.gruppenfeld);
    case BandArt::Detail:
        return r.detail();
    case BandArt::Gruppenfuss:
        for (std::size_t i = 0; i < r.groupHeaders().size(); ++i)
            if (r.groupHeaders()[i]->groupField() == b.gruppenfeld)
                return r.groupFooter(i);
        break;
    case BandArt::Zusammenfassung:
        return r.summary();
    case BandArt::Seitenfuss:
        return r.pageFooter();
    }
    // A footer without its header never reaches here: the stream refuses it.
    throw Error(
        QStringLiteral("Der Gruppenfuß zu \"%1\" hat keinen Gruppenkopf.").arg(b.gruppenfeld));
}

void bandAufbauen(const Bericht &bericht, report::Report &r, const Band &b)
{
    report::Band &band = engineBand(r, b);
    band.setHeight(b.hoehe);
    band.setBackground(b.hintergrund);
    band.frame().top = seite(b.rahmen.oben, b.rahmen.stift);
    band.frame().bottom = seite(b.rahmen.unten, b.rahmen.stift);
    band.frame().left = seite(b.rahmen.links, b.rahmen.stift);
    band.frame().right = seite(b.rahmen.rechts, b.rahmen.stift);
    band.setForceNewColumn(b.neueSpalte);
    for (const Element &e : b.elemente)
        elementHinzufuegen(bericht, e, band);
}

} // namespace

std::unique_ptr<report::Report> berichtAufbauen(const Bericht &bericht, report::DataSet *daten)
{
    auto r = std::make_unique<report::Report>();
    if (bericht.papier == report::PaperSize::Custom)
        r->setCustomPaper(bericht.papierMm.width(), bericht.papierMm.height());
    else
        r->setPaper(bericht.papier);
    r->setOrientation(bericht.lage);
    r->setMargins(bericht.raender);
    r->setColumns(bericht.spalten);
    r->setColumnSpacing(bericht.spaltenabstand);
    r->setFont(bericht.schrift);
    r->setTitle(bericht.titel);
    r->setDataSet(daten);
    for (const Band &b : bericht.baender)
        if (b.art != BandArt::Gruppenfuss)
            bandAufbauen(bericht, *r, b);
    // Footers after all headers, so each finds its group.
    for (const Band &b : bericht.baender)
        if (b.art == BandArt::Gruppenfuss)
            bandAufbauen(bericht, *r, b);
    return r;
}

GefuellterBericht::GefuellterBericht() = default;
GefuellterBericht::~GefuellterBericht() = default;
GefuellterBericht::GefuellterBericht(GefuellterBericht &&) noexcept = default;
GefuellterBericht &GefuellterBericht::operator=(GefuellterBericht &&) noexcept = default;

GefuellterBericht berichtFuellen(
    const Bericht &bericht, const std::optional<KalenderTabellen> &kalender, int abfrageZeitMs)
{
    GefuellterBericht g;
    switch (bericht.quelle) {
    case Quelle::Keine:
        break;
    case Quelle::Tabelle:
        if (bericht.tabelle.trimmed().isEmpty())
            throw Error(QStringLiteral("Für den Bericht ist keine Tabelle gewählt."));
        g.tabelle = std::make_unique<Table>();
        g.tabelle->setFilePath(bericht.tabelle);
        g.tabelle->setReadOnly(true);
        g.tabelle->open();
        g.daten = std::make_unique<TableDataSet>(*g.tabelle);
        break;
    case Quelle::Abfrage:
        if (!kalender)
            throw Error(QStringLiteral("Der Bericht liest die Tage des geöffneten Kalenders. "
                                       "Bitte öffnen Sie zuerst einen Kalender."));
        g.daten = std::make_unique<AbfrageDaten>(
            abfrageAusfuehren(bericht.abfrage, *kalender, abfrageZeitMs));
        break;
    }
    g.report = berichtAufbauen(bericht, g.daten.get());
    return g;
}

report::Document berichtErzeugen(
    const QByteArray &reportdata, const std::optional<KalenderTabellen> &kalender)
{
    const Bericht bericht = berichtLesen(reportdata);
    GefuellterBericht g = berichtFuellen(bericht, kalender);
    return g.report->generate();
}

report::Document hinweisSeite(const QString &titel, const QString &hinweis)
{
    report::Report r;
    r.setTitle(titel);
    r.setMargins({ .left = 20, .right = 20, .top = 20, .bottom = 20 });
    report::Band &kopf = r.titleBand();
    kopf.setHeight(120);
    auto &ueberschrift = kopf.add<report::Label>(titel);
    ueberschrift.setGeometry(0, 0, r.printableWidth(), 30);
    ueberschrift.setFont({ .family = QStringLiteral("Arial"), .pointSize = 14, .bold = true });
    auto &text = kopf.add<report::Label>(hinweis);
    text.setGeometry(0, 40, r.printableWidth(), 80);
    text.setWordWrap(true);
    text.setFont({ .family = QStringLiteral("Arial"), .pointSize = 11 });
    return r.generate();
}

} // namespace kb::bericht
