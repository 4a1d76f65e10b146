#include "designer/EntwurfSzene.h"

#include "designer/Arbeitsflaeche.h"

#include "designer/EntwurfElemente.h"

#include <QGraphicsLineItem>
#include <QPen>

namespace kb::designer {

namespace {

using enum FormBand;

constexpr int kMergeArrows = 1;
const QColor kNavy(0x00, 0x00, 0x80);

QString mm(int pixels)
{
    return QString::number(pixels / kPixelsPerMm, 'f', 1)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

EntwurfSzene::EntwurfSzene(QObject *parent)
    : QGraphicsScene(parent)
{
    setSceneRect(0, 0, kWorkspaceSize, kWorkspaceSize);
    setBackgroundBrush(QColor(0xEF, 0xEF, 0xEF));
    setItemIndexMethod(QGraphicsScene::NoIndex);

    m_kopfLineal = new KopfLinealItem(this);
    addItem(m_kopfLineal);
    for (int i = 0; i < kBandCount; ++i) {
        const auto band = FormBand(i);
        m_baender[std::size_t(i)] = new BandItem(this, band, band != Header);
        addItem(m_baender[std::size_t(i)]);
        m_trenner[std::size_t(i)] = new TrennerItem(this, band);
        addItem(m_trenner[std::size_t(i)]);
    }
    // Column line and spacing line of the group band, then of the day band.
    for (std::size_t i = 0; i < m_hilfslinien.size(); ++i) {
        auto *linie = new QGraphicsLineItem(m_baender[i < 2 ? 1 : 2]);
        QPen pen(kNavy, 0, i % 2 == 0 ? Qt::SolidLine : Qt::DotLine);
        linie->setPen(pen);
        linie->setToolTip(i % 2 == 0 ? QStringLiteral("Spalte") : QStringLiteral("Spaltenabstand"));
        linie->setZValue(-1);
        m_hilfslinien[i] = linie;
    }
    m_woche = new ElementItem(this, QLatin1StringView(kSettingsName));
    m_woche->setParentItem(m_baender[std::size_t(Day)]);
    m_woche->setToolTip(QStringLiteral("laufende Position"));
    for (std::size_t i = 0; i < m_griffe.size(); ++i) {
        m_griffe[i] = new GriffItem(this, GriffItem::kKanten[i]);
        m_griffe[i]->setVisible(false);
        addItem(m_griffe[i]);
    }
    zeigen(m_form);
    aktivieren(Header);
}

EntwurfSzene::~EntwurfSzene() = default;

void EntwurfSzene::laden(Formular form)
{
    m_auswahl.clear();
    m_verlauf.clear();
    zeigen(form);
    aktivieren(Header);
    m_verlauf.setClean();
}

void EntwurfSzene::aendern(
    const QString &text, const std::function<void(Formular &)> &change, int mergeId)
{
    Formular before = m_form;
    change(m_form);
    if (m_form == before)
        return;
    const Formular after = m_form;
    zeigen(after);
    m_verlauf.push(new FormularSchritt(
        text, std::move(before), after, [this](const Formular &f) { zeigen(f); }, mergeId));
}

void EntwurfSzene::zeigen(const Formular &form)
{
    if (&form != &m_form)
        m_form = form;
    if (!m_auswahl.isEmpty() && m_auswahl != QLatin1StringView(kSettingsName)
        && !m_form.find(m_auswahl)) {
        m_auswahl.clear();
        Q_EMIT auswahlGeaendert();
    }
    layout();
    elementeZeigen();
    griffeZeigen();
    Q_EMIT formularGeaendert();
}

void EntwurfSzene::layout()
{
    const auto strips = bandLayout(m_form);
    m_kopfLineal->setPos(0, 0);
    for (const BandStrip &s : strips) {
        const auto i = std::size_t(s.band);
        m_baender[i]->setVisible(s.shown);
        m_trenner[i]->setVisible(s.shown);
        m_baender[i]->setPos(0, s.top);
        m_baender[i]->setHoehe(s.height);
        m_trenner[i]->setPos(0, s.separatorTop);
    }
    m_spalten = redrawGuides(m_form);
    for (std::size_t i = 0; i < m_hilfslinien.size(); ++i) {
        const int x = i % 2 == 0 ? m_spalten.column : m_spalten.spacing;
        const int h = m_form.bandHeight(i < 2 ? Group : Day);
        m_hilfslinien[i]->setLine(x, 0, x, h);
    }
}

FormElement EntwurfSzene::anzeige(const QString &name) const
{
    if (name == QLatin1StringView(kSettingsName)) {
        const WeekLabel &w = m_form.weekLabel();
        FormElement e;
        e.kind = *kindOf(ElementType::FreeText, Day);
        e.left = w.left;
        e.top = w.top;
        e.width = w.width;
        e.height = w.height;
        e.caption = w.caption;
        e.font = w.font;
        e.alignment = w.alignment;
        e.transparent = true;
        e.visible = m_form.panel().showWeeks;
        return e;
    }
    const FormElement *e = m_form.find(name);
    return e ? *e : FormElement {};
}

void EntwurfSzene::elementeZeigen()
{
    QHash<QString, ElementItem *> alt;
    alt.swap(m_elemente);
    qreal z = 0;
    for (const FormElement &e : m_form.elements()) {
        const QString name = e.name();
        ElementItem *item = alt.take(name);
        if (!item)
            item = new ElementItem(this, name);
        BandItem *band = m_baender[std::size_t(e.band())];
        if (item->parentItem() != band)
            item->setParentItem(band);
        item->zeigen(e);
        item->setZValue(++z);
        m_elemente.insert(name, item);
    }
    qDeleteAll(alt);
    m_woche->zeigen(anzeige(m_woche->name()));
    m_woche->setVisible(m_form.panel().showWeeks);
    m_woche->setZValue(++z);
}

void EntwurfSzene::griffeZeigen()
{
    QGraphicsItem *item = nullptr;
    if (m_auswahl == QLatin1StringView(kSettingsName))
        item = m_woche->isVisible() ? m_woche : nullptr;
    else if (!m_auswahl.isEmpty())
        item = m_elemente.value(m_auswahl);
    for (GriffItem *g : m_griffe)
        g->setVisible(item != nullptr);
    if (!item)
        return;
    const QRectF r = item->mapRectToScene(item->boundingRect());
    for (GriffItem *g : m_griffe)
        g->setPos(GriffItem::stelle(r, g->kante()));
}

void EntwurfSzene::aktivieren(FormBand band)
{
    m_aktiv = band;
    for (std::size_t i = 0; i < m_baender.size(); ++i)
        m_baender[i]->setAktiv(FormBand(i) == band);
    m_kopfLineal->setAktiv(band == Header);
    Q_EMIT bandAktiviert(band);
}

void EntwurfSzene::waehlen(const QString &name)
{
    if (name.isEmpty()) {
        m_auswahl.clear();
    } else if (name == QLatin1StringView(kSettingsName)) {
        m_auswahl = name;
        aktivieren(Day);
    } else if (const FormElement *e = m_form.find(name)) {
        m_auswahl = name;
        aktivieren(e->band());
    }
    griffeZeigen();
    Q_EMIT auswahlGeaendert();
    Q_EMIT lage(lageText());
}

const FormElement *EntwurfSzene::ausgewaehlt() const
{
    return m_auswahl.isEmpty() ? nullptr : m_form.find(m_auswahl);
}

bool EntwurfSzene::wocheGewaehlt() const
{
    return m_auswahl == QLatin1StringView(kSettingsName);
}

void EntwurfSzene::neu(ElementType type)
{
    QString name;
    aendern(QStringLiteral("neues Element"), [&](Formular &f) {
        if (const FormElement *e = f.create(type, m_aktiv))
            name = e->name();
    });
    if (!name.isEmpty())
        waehlen(name);
}

void EntwurfSzene::loeschen()
{
    const FormElement *e = ausgewaehlt();
    if (!e)
        return;
    const QString name = e->name();
    m_auswahl.clear();
    aendern(QStringLiteral("Element löschen"), [&](Formular &f) { f.remove(name); });
    griffeZeigen();
    Q_EMIT auswahlGeaendert();
}

void EntwurfSzene::alleEntfernen()
{
    m_auswahl.clear();
    aendern(QStringLiteral("alle Elemente entfernen"), [](Formular &f) { f.removeAll(); });
    Q_EMIT auswahlGeaendert();
}

void EntwurfSzene::mitElement(
    const QString &name, const std::function<void(int &, int &, int &, int &)> &f)
{
    aendern(
        QStringLiteral("Element ") + name,
        [&](Formular &form) {
            if (name == QLatin1StringView(kSettingsName)) {
                WeekLabel &w = form.weekLabel();
                f(w.left, w.top, w.width, w.height);
            } else if (FormElement *e = form.find(name)) {
                f(e->left, e->top, e->width, e->height);
            }
        },
        kMergeArrows);
}

void EntwurfSzene::verschieben(int dx, int dy)
{
    if (m_auswahl.isEmpty())
        return;
    mitElement(m_auswahl, [&](int &left, int &top, int &, int &) {
        left += dx;
        top += dy;
    });
    Q_EMIT lage(lageText());
}

void EntwurfSzene::ziehenBeginnen()
{
    m_vorher = m_form;
    if (!m_auswahl.isEmpty())
        m_zugElement = anzeige(m_auswahl);
}

void EntwurfSzene::elementZiehen(const QString &name, QPointF delta)
{
    if (!m_vorher || name != m_auswahl)
        return;
    const int left = m_zugElement.left + qRound(delta.x());
    const int top = m_zugElement.top + qRound(delta.y());
    if (name == QLatin1StringView(kSettingsName)) {
        m_form.weekLabel().left = left;
        m_form.weekLabel().top = top;
        m_woche->zeigen(anzeige(name));
    } else if (FormElement *e = m_form.find(name)) {
        e->left = left;
        e->top = top;
        m_elemente.value(name)->zeigen(*e);
    }
    griffeZeigen();
    Q_EMIT lage(lageText());
}

void EntwurfSzene::griffZiehen(int kante, QPointF delta)
{
    if (!m_vorher || m_auswahl.isEmpty())
        return;
    const FormElement &s = m_zugElement;
    const int dx = qRound(delta.x()), dy = qRound(delta.y());
    int left = s.left, top = s.top, right = s.left + s.width, bottom = s.top + s.height;
    if (kante & 1)
        left = std::min(left + dx, right - 1);
    if (kante & 2)
        right = std::max(right + dx, left + 1);
    if (kante & 4)
        top = std::min(top + dy, bottom - 1);
    if (kante & 8)
        bottom = std::max(bottom + dy, top + 1);
    const auto set = [&](int &l, int &t, int &w, int &h) {
        l = left;
        t = top;
        w = right - left;
        h = bottom - top;
    };
    if (m_auswahl == QLatin1StringView(kSettingsName)) {
        WeekLabel &w = m_form.weekLabel();
        set(w.left, w.top, w.width, w.height);
        m_woche->zeigen(anzeige(m_auswahl));
    } else if (FormElement *e = m_form.find(m_auswahl)) {
        set(e->left, e->top, e->width, e->height);
        m_elemente.value(m_auswahl)->zeigen(*e);
    }
    griffeZeigen();
    Q_EMIT lage(lageText());
}

void EntwurfSzene::bandZiehen(FormBand band, int hoehe)
{
    if (!m_vorher)
        return;
    m_form.setBandHeight(band, resizedBandHeight(band, hoehe));
    layout();
    griffeZeigen();
}

void EntwurfSzene::ziehenBeenden(const QString &text)
{
    if (!m_vorher)
        return;
    Formular before = std::move(*m_vorher);
    m_vorher.reset();
    if (before == m_form)
        return;
    m_verlauf.push(new FormularSchritt(
        text, std::move(before), m_form, [this](const Formular &f) { zeigen(f); }));
    Q_EMIT formularGeaendert();
}

void EntwurfSzene::setWerte(Werte werte)
{
    m_werte = std::move(werte);
    datenAktualisieren();
}

QVariant EntwurfSzene::wert(const QString &quelle, const QString &feld) const
{
    if (!m_werte || quelle.isEmpty() || feld.isEmpty())
        return {};
    const QString schluessel = quelle + QLatin1Char('\n') + feld;
    const auto it = m_wertCache.constFind(schluessel);
    if (it != m_wertCache.constEnd())
        return *it;
    const QVariant v = m_werte(quelle, feld);
    m_wertCache.insert(schluessel, v);
    return v;
}

void EntwurfSzene::datenAktualisieren()
{
    m_wertCache.clear();
    for (ElementItem *item : std::as_const(m_elemente)) {
        const ElementType t = item->element().type();
        if (t == ElementType::DataField || t == ElementType::DataPicture)
            item->update();
    }
}

QString EntwurfSzene::lageText() const
{
    if (m_auswahl.isEmpty())
        return {};
    const FormElement e = anzeige(m_auswahl);
    return QStringLiteral("%1: links %2 mm, oben %3 mm, Breite %4 mm, Höhe %5 mm")
        .arg(m_auswahl, mm(e.left), mm(e.top), mm(e.width), mm(e.height));
}

} // namespace kb::designer
