#include "designer/BerichtsSzene.h"

#include "designer/BerichtsEigenschaften.h"
#include "designer/Schnappschuss.h"

#include "report/Fonts.h"
#include "report/Report.h"

#include <QCursor>
#include <algorithm>

#include <QBuffer>
#include <QGraphicsItem>
#include <QGraphicsSceneDragDropEvent>
#include <QGraphicsSceneMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QUndoCommand>
#include <cmath>

namespace kb::designer {

using bericht::BandArt;
using bericht::Bericht;
using bericht::Element;
using bericht::ElementArt;

namespace {

constexpr double kRand = 20; // left of the bands, for the rulers' captions

using BerichtsSchritt = Schnappschuss<Bericht>;

// Arrow-key moves of one element merge into one step.
constexpr int kPfeilSchritte = 1;

QFont entwurfsSchrift(const Bericht &b, const Element &e)
{
    return report::fontFor(e.schrift.value_or(b.schrift));
}

} // namespace

QString entwurfsText(const Element &e)
{
    switch (e.art) {
    case ElementArt::Text:
        return e.text;
    case ElementArt::Feld:
        return QLatin1Char('[') + e.text + QLatin1Char(']');
    case ElementArt::Systemwert:
        return e.text + QLatin1Char('<') + bericht::systemwertNamen().value(e.systemwert)
            + QLatin1Char('>');
    case ElementArt::Feldbild:
        return QStringLiteral("Bild [%1]").arg(e.text);
    default:
        break;
    }
    return {};
}

// A band: the ruler strip with the band's name and a millimetre scale, then the band's area.
class BerichtsBandItem final : public QGraphicsItem {
public:
    BerichtsBandItem(
        BerichtsSzene *szene, int index, const bericht::Band &band, double breite, bool aktiv)
        : m_szene(szene)
        , m_index(index)
        , m_name(bericht::bandName(band.art))
        , m_breite(breite)
        , m_hoehe(band.hoehe)
        , m_aktiv(aktiv)
        , m_hintergrund(band.hintergrund.value_or(Qt::white))
        , m_rahmen(band.rahmen)
    {
        if (!band.gruppenfeld.isEmpty())
            m_name += QStringLiteral(": ") + band.gruppenfeld;
        setZValue(-1);
    }
    void setAktiv(bool aktiv)
    {
        m_aktiv = aktiv;
        update();
    }
    void setHoehe(double hoehe)
    {
        prepareGeometryChange();
        m_hoehe = hoehe;
    }
    QRectF boundingRect() const override
    {
        return { -kRand, -BerichtsSzene::kLineal, m_breite + kRand,
            m_hoehe + BerichtsSzene::kLineal };
    }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRectF lineal(
            -kRand, -BerichtsSzene::kLineal, m_breite + kRand, BerichtsSzene::kLineal);
        paintLineal(p, lineal, m_name, m_aktiv, 0, report::mmToPixels(1));
        const QRectF flaeche(0, 0, m_breite, m_hoehe);
        p->fillRect(flaeche, m_hintergrund);
        p->setPen(QPen(QColor(180, 180, 180), 0, Qt::DotLine));
        p->drawRect(flaeche);
        if (!m_rahmen.any())
            return;
        p->setPen(QPen(m_rahmen.stift.color, m_rahmen.stift.width, m_rahmen.stift.style));
        if (m_rahmen.oben)
            p->drawLine(flaeche.topLeft(), flaeche.topRight());
        if (m_rahmen.unten)
            p->drawLine(flaeche.bottomLeft(), flaeche.bottomRight());
        if (m_rahmen.links)
            p->drawLine(flaeche.topLeft(), flaeche.bottomLeft());
        if (m_rahmen.rechts)
            p->drawLine(flaeche.topRight(), flaeche.bottomRight());
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        m_szene->aktivieren(m_index);
        m_szene->waehlen({});
        event->accept();
    }

private:
    BerichtsSzene *m_szene;
    int m_index;
    QString m_name;
    double m_breite, m_hoehe;
    bool m_aktiv;
    QColor m_hintergrund;
    bericht::Rahmen m_rahmen;
};

// The strip below a band: dragging it changes the band's height.
class BerichtsTrennerItem final : public QGraphicsItem {
public:
    BerichtsTrennerItem(BerichtsSzene *szene, int band, double breite, double hoehe)
        : m_szene(szene)
        , m_band(band)
        , m_breite(breite)
        , m_hoehe(hoehe)
    {
        setCursor(Qt::SizeVerCursor);
    }
    QRectF boundingRect() const override
    {
        return { -kRand, 0, m_breite + kRand, BerichtsSzene::kTrenner };
    }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        p->fillRect(boundingRect(), QColor(120, 120, 160));
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        m_start = event->scenePos().y();
        m_szene->ziehenBeginnen();
        event->accept();
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override
    {
        const double hoehe = std::max(0.0, std::round(m_hoehe + event->scenePos().y() - m_start));
        m_szene->bandZiehen(m_band, hoehe);
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *) override
    {
        m_szene->ziehenBeenden(QStringLiteral("Bandhöhe"));
    }

private:
    BerichtsSzene *m_szene;
    int m_band;
    double m_breite, m_hoehe;
    double m_start = 0;
};

class BerichtsElementItem final : public QGraphicsItem {
public:
    BerichtsElementItem(
        BerichtsSzene *szene, ElementOrt ort, const Element &e, QFont schrift, QImage bild)
        : m_szene(szene)
        , m_ort(ort)
        , m_e(e)
        , m_schrift(std::move(schrift))
        , m_bild(std::move(bild))
    {
        setCursor(Qt::SizeAllCursor);
    }
    const ElementOrt &ort() const { return m_ort; }
    void setGeometrie(const QRectF &r)
    {
        prepareGeometryChange();
        m_e.geometrie = r;
    }
    QRectF boundingRect() const override
    {
        return QRectF(
            0, 0, std::max(1.0, m_e.geometrie.width()), std::max(1.0, m_e.geometrie.height()));
    }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRectF r = boundingRect();
        switch (m_e.art) {
        case ElementArt::Rechteck:
            if (!m_e.transparent)
                p->fillRect(r, m_e.hintergrund);
            p->setPen(QPen(m_e.stift.color, m_e.stift.width, m_e.stift.style));
            p->drawRect(r);
            return;
        case ElementArt::LinieWaagrecht:
            p->setPen(QPen(m_e.stift.color, m_e.stift.width, m_e.stift.style));
            p->drawLine(r.topLeft(), r.topRight());
            return;
        case ElementArt::LinieSenkrecht:
            p->setPen(QPen(m_e.stift.color, m_e.stift.width, m_e.stift.style));
            p->drawLine(r.topLeft(), r.bottomLeft());
            return;
        case ElementArt::Bild:
            if (!m_bild.isNull()) {
                p->drawImage(r, m_bild);
                return;
            }
            break;
        default:
            break;
        }
        if (!m_e.transparent)
            p->fillRect(r, m_e.hintergrund);
        p->setPen(QPen(QColor(150, 150, 220), 0, Qt::DashLine));
        p->drawRect(r);
        p->setFont(m_schrift);
        p->setPen(m_e.farbe);
        const Qt::Alignment h = m_e.ausrichtung == report::HAlign::Center
            ? Qt::AlignHCenter
            : (m_e.ausrichtung == report::HAlign::Right ? Qt::AlignRight : Qt::AlignLeft);
        p->drawText(
            r, int(h | Qt::AlignTop | (m_e.umbruch ? Qt::TextWordWrap : 0)), entwurfsText(m_e));
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        m_szene->aktivieren(m_ort.band);
        m_szene->waehlen(m_ort);
        m_start = event->scenePos();
        m_szene->ziehenBeginnen();
        event->accept();
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override
    {
        m_szene->elementZiehen(event->scenePos() - m_start);
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *) override
    {
        m_szene->ziehenBeenden(QStringLiteral("Verschieben"));
    }

private:
    BerichtsSzene *m_szene;
    ElementOrt m_ort;
    Element m_e;
    QFont m_schrift;
    QImage m_bild;
    QPointF m_start;
};

BerichtsSzene::BerichtsSzene(QObject *parent)
    : QGraphicsScene(parent)
{
    setBackgroundBrush(QColor(128, 128, 128));
    laden(Bericht {});
}

BerichtsSzene::~BerichtsSzene() = default;

void BerichtsSzene::laden(Bericht bericht)
{
    m_verlauf.clear();
    m_auswahl = {};
    // New printables go to the detail band first: the band that prints every record.
    const auto detail = std::find_if(bericht.baender.begin(), bericht.baender.end(),
        [](const bericht::Band &b) { return b.art == BandArt::Detail; });
    m_aktiv = bericht.baender.empty()
        ? -1
        : (detail == bericht.baender.end() ? 0 : int(detail - bericht.baender.begin()));
    m_bericht = std::move(bericht);
    aufbauen();
    m_verlauf.setClean();
    Q_EMIT berichtGeaendert();
    Q_EMIT auswahlGeaendert();
}

void BerichtsSzene::aendern(
    const QString &text, const std::function<void(Bericht &)> &change, int mergeId)
{
    Bericht vorher = m_bericht;
    change(m_bericht);
    if (m_bericht == vorher)
        return;
    const Bericht nachher = m_bericht;
    zeigen(nachher);
    m_verlauf.push(new BerichtsSchritt(
        text, std::move(vorher), nachher, [this](const Bericht &b) { zeigen(b); }, mergeId));
}

void BerichtsSzene::verschieben(int dx, int dy)
{
    const ElementOrt ort = m_auswahl;
    if (!ausgewaehlt())
        return;
    aendern(
        QStringLiteral("Element %1/%2 verschieben").arg(ort.band).arg(ort.element),
        [&](Bericht &b) { element(b, ort)->geometrie.translate(dx, dy); }, kPfeilSchritte);
}

void BerichtsSzene::zeigen(const Bericht &b)
{
    if (&b != &m_bericht)
        m_bericht = b;
    if (m_aktiv >= int(m_bericht.baender.size()))
        m_aktiv = int(m_bericht.baender.size()) - 1;
    if (!element(m_bericht, m_auswahl))
        m_auswahl = {};
    spaeterAufbauen();
    Q_EMIT berichtGeaendert();
    Q_EMIT auswahlGeaendert();
}

double BerichtsSzene::bandBreite() const
{
    report::Report r;
    if (m_bericht.papier == report::PaperSize::Custom)
        r.setCustomPaper(m_bericht.papierMm.width(), m_bericht.papierMm.height());
    else
        r.setPaper(m_bericht.papier);
    r.setOrientation(m_bericht.lage);
    r.setMargins(m_bericht.raender);
    r.setColumns(m_bericht.spalten);
    r.setColumnSpacing(m_bericht.spaltenabstand);
    return std::max(40.0, r.columnWidth());
}

// Rebuilds every item: a report of a few hundred printables is laid out in a few
// milliseconds, and the items never hold state of their own.
void BerichtsSzene::aufbauen()
{
    m_aufbauGeplant = false;
    clear();
    m_trenner.clear();
    m_baender.clear();
    m_elemente.clear();
    m_griffe.clear();
    m_bandOben.clear();
    const double breite = bandBreite();
    double y = kLineal;
    std::vector<QImage> bilder;
    for (const QByteArray &png : m_bericht.bilder) {
        QImage bild;
        bild.loadFromData(png, "PNG");
        bilder.push_back(bild);
    }
    for (int i = 0; i < int(m_bericht.baender.size()); ++i) {
        const bericht::Band &b = m_bericht.baender[std::size_t(i)];
        auto *band = new BerichtsBandItem(this, i, b, breite, i == m_aktiv);
        band->setPos(0, y);
        addItem(band);
        m_baender.push_back(band);
        m_bandOben.push_back(y);
        for (int k = 0; k < int(b.elemente.size()); ++k) {
            const Element &e = b.elemente[std::size_t(k)];
            QImage bild = e.bild >= 0 && std::size_t(e.bild) < bilder.size()
                ? bilder[std::size_t(e.bild)]
                : QImage();
            auto *item
                = new BerichtsElementItem(this, { i, k }, e, entwurfsSchrift(m_bericht, e), bild);
            item->setPos(e.geometrie.left(), y + e.geometrie.top());
            addItem(item);
            m_elemente.push_back(item);
        }
        auto *trenner = new BerichtsTrennerItem(this, i, breite, b.hoehe);
        trenner->setPos(0, y + b.hoehe);
        addItem(trenner);
        m_trenner.push_back(trenner);
        y += b.hoehe + kTrenner + kLineal;
    }
    setSceneRect(QRectF(-kRand - 10, -10, breite + kRand + 40, std::max(y, 200.0) + 20));
    for (int kante : GriffItem::kKanten) {
        auto *g = new GriffItem(this, kante);
        addItem(g);
        m_griffe.push_back(g);
    }
    griffePlatzieren();
}

// The handles follow the selection; they are hidden without one.
void BerichtsSzene::griffePlatzieren()
{
    const Element *e = ausgewaehlt();
    const bool da = e && std::size_t(m_auswahl.band) < m_bandOben.size();
    for (GriffItem *g : m_griffe) {
        g->setVisible(da);
        if (da)
            g->setPos(GriffItem::stelle(
                e->geometrie.translated(0, m_bandOben[std::size_t(m_auswahl.band)]), g->kante()));
    }
}

Element *BerichtsSzene::element(Bericht &b, ElementOrt ort) const
{
    if (ort.band < 0 || ort.band >= int(b.baender.size()))
        return nullptr;
    auto &elemente = b.baender[std::size_t(ort.band)].elemente;
    if (ort.element < 0 || ort.element >= int(elemente.size()))
        return nullptr;
    return &elemente[std::size_t(ort.element)];
}

const Element *BerichtsSzene::ausgewaehlt() const
{
    return element(const_cast<Bericht &>(m_bericht), m_auswahl);
}

void BerichtsSzene::aktivieren(int band)
{
    if (band == m_aktiv)
        return;
    m_aktiv = band;
    for (std::size_t i = 0; i < m_baender.size(); ++i)
        m_baender[i]->setAktiv(int(i) == band);
    Q_EMIT auswahlGeaendert();
}

void BerichtsSzene::waehlen(ElementOrt ort)
{
    if (ort == m_auswahl)
        return;
    m_auswahl = ort;
    griffePlatzieren();
    Q_EMIT auswahlGeaendert();
}

void BerichtsSzene::neu(ElementArt art, const QString &text, QPointF lage)
{
    if (m_aktiv < 0) {
        aendern(QStringLiteral("Band"), [](Bericht &b) { bericht::bandHolen(b, BandArt::Detail); });
        m_aktiv = 0;
    }
    Element e;
    e.art = art;
    e.text = text;
    if (art == ElementArt::Text && text.isEmpty())
        e.text = QStringLiteral("Text");
    const bool linie = art == ElementArt::LinieWaagrecht || art == ElementArt::LinieSenkrecht;
    const bool bild
        = art == ElementArt::Bild || art == ElementArt::Feldbild || art == ElementArt::Rechteck;
    e.geometrie = QRectF(lage,
        QSizeF(art == ElementArt::LinieSenkrecht ? 1 : (bild ? 80 : 120),
            art == ElementArt::LinieWaagrecht ? 1 : (bild ? 60 : 16)));
    if (linie)
        e.stift.width = 1;
    const int band = m_aktiv;
    aendern(QStringLiteral("Neues Element"), [&](Bericht &b) {
        if (art == ElementArt::Bild) {
            QImage leer(80, 60, QImage::Format_RGB32);
            leer.fill(Qt::lightGray);
            QByteArray png;
            QBuffer puffer(&png);
            puffer.open(QIODevice::WriteOnly);
            leer.save(&puffer, "PNG");
            b.bilder.push_back(png);
            e.bild = int(b.bilder.size()) - 1;
        }
        b.baender[std::size_t(band)].elemente.push_back(e);
    });
    waehlen({ band, int(m_bericht.baender[std::size_t(band)].elemente.size()) - 1 });
}

void BerichtsSzene::loeschen()
{
    const ElementOrt ort = m_auswahl;
    if (!ausgewaehlt())
        return;
    m_auswahl = {};
    aendern(QStringLiteral("Löschen"), [&](Bericht &b) {
        auto &elemente = b.baender[std::size_t(ort.band)].elemente;
        elemente.erase(elemente.begin() + ort.element);
    });
}

std::pair<int, QPointF> BerichtsSzene::bandBei(QPointF p) const
{
    for (std::size_t i = 0; i < m_bandOben.size(); ++i) {
        const double oben = m_bandOben[i];
        if (p.y() >= oben && p.y() < oben + m_bericht.baender[i].hoehe)
            return { int(i), QPointF(p.x(), p.y() - oben) };
    }
    return { -1, {} };
}

void BerichtsSzene::ziehenBeginnen()
{
    m_vorher = m_bericht;
    if (const Element *e = ausgewaehlt())
        m_zugElement = *e;
}

// While the mouse drags, the dragged items move themselves; the workspace is rebuilt only
// when the drag ends, never under the item that has the mouse.
void BerichtsSzene::elementGeaendert(const QRectF &r)
{
    Element *e = element(m_bericht, m_auswahl);
    if (!e)
        return;
    e->geometrie = r;
    for (BerichtsElementItem *item : m_elemente) {
        if (item->ort() == m_auswahl) {
            item->setGeometrie(r);
            item->setPos(r.left(), m_bandOben[std::size_t(m_auswahl.band)] + r.top());
        }
    }
    griffePlatzieren();
}

void BerichtsSzene::elementZiehen(QPointF delta)
{
    if (!m_vorher || !ausgewaehlt())
        return;
    QRectF r = m_zugElement.geometrie;
    r.moveTopLeft(QPointF(std::round(r.left() + delta.x()), std::round(r.top() + delta.y())));
    elementGeaendert(r);
}

void BerichtsSzene::griffZiehen(int kante, QPointF delta)
{
    if (!m_vorher || !ausgewaehlt())
        return;
    QRectF r = m_zugElement.geometrie;
    if (kante & 1)
        r.setLeft(std::min(r.right() - 1, r.left() + delta.x()));
    if (kante & 2)
        r.setRight(std::max(r.left() + 1, r.right() + delta.x()));
    if (kante & 4)
        r.setTop(std::min(r.bottom() - 1, r.top() + delta.y()));
    if (kante & 8)
        r.setBottom(std::max(r.top() + 1, r.bottom() + delta.y()));
    elementGeaendert(QRectF(
        std::round(r.left()), std::round(r.top()), std::round(r.width()), std::round(r.height())));
}

void BerichtsSzene::bandZiehen(int band, double hoehe)
{
    if (band < 0 || band >= int(m_bericht.baender.size()))
        return;
    hoehe = std::clamp(std::round(hoehe), 0.0, 5000.0);
    m_bericht.baender[std::size_t(band)].hoehe = hoehe;
    m_baender[std::size_t(band)]->setHoehe(hoehe);
    if (QGraphicsItem *trenner = m_trenner[std::size_t(band)])
        trenner->setPos(0, m_bandOben[std::size_t(band)] + hoehe);
}

void BerichtsSzene::ziehenBeenden(const QString &text)
{
    if (!m_vorher)
        return;
    Bericht vorher = std::move(*m_vorher);
    m_vorher.reset();
    if (vorher == m_bericht)
        return;
    m_verlauf.push(new BerichtsSchritt(
        text, std::move(vorher), m_bericht, [this](const Bericht &b) { zeigen(b); }));
    spaeterAufbauen();
    Q_EMIT berichtGeaendert();
    Q_EMIT auswahlGeaendert();
}

void BerichtsSzene::spaeterAufbauen()
{
    if (m_aufbauGeplant)
        return;
    m_aufbauGeplant = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_aufbauGeplant)
                aufbauen();
        },
        Qt::QueuedConnection);
}

void BerichtsSzene::dragEnterEvent(QGraphicsSceneDragDropEvent *event)
{
    event->setAccepted(event->mimeData()->hasText());
}

void BerichtsSzene::dragMoveEvent(QGraphicsSceneDragDropEvent *event)
{
    event->setAccepted(event->mimeData()->hasText() && bandBei(event->scenePos()).first >= 0);
}

// A field dropped from the field list becomes a field printable where it was dropped.
void BerichtsSzene::dropEvent(QGraphicsSceneDragDropEvent *event)
{
    const auto [band, lage] = bandBei(event->scenePos());
    const QString feld = event->mimeData()->text().trimmed();
    if (band < 0 || feld.isEmpty())
        return;
    aktivieren(band);
    neu(ElementArt::Feld, feld, QPointF(std::round(lage.x()), std::round(lage.y())));
    event->acceptProposedAction();
}

} // namespace kb::designer
