#include "storage/Datensatzleiste.h"

#include "platform/MitMeldung.h"
#include "storage/Table.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace kb {

namespace {

void dreieck(QPainter &p, double x, double richtung)
{
    QPainterPath path;
    path.moveTo(x, 8);
    path.lineTo(x + 5 * richtung, 3.5);
    path.lineTo(x + 5 * richtung, 12.5);
    path.closeSubpath();
    p.fillPath(path, p.pen().color());
}

void zeichnen(QPainter &p, NavKnopf knopf)
{
    switch (knopf) {
    case NavKnopf::Erster:
        p.fillRect(QRectF(3, 3.5, 1.8, 9), p.pen().color());
        dreieck(p, 5.5, 1);
        dreieck(p, 9.5, 1);
        break;
    case NavKnopf::Voriger:
        dreieck(p, 5, 1);
        break;
    case NavKnopf::Naechster:
        dreieck(p, 11, -1);
        break;
    case NavKnopf::Letzter:
        dreieck(p, 6.5, -1);
        dreieck(p, 10.5, -1);
        p.fillRect(QRectF(11.2, 3.5, 1.8, 9), p.pen().color());
        break;
    case NavKnopf::Einfuegen:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case NavKnopf::Loeschen:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case NavKnopf::Bearbeiten: {
        QPainterPath path;
        path.moveTo(8, 4);
        path.lineTo(13, 12);
        path.lineTo(3, 12);
        path.closeSubpath();
        p.fillPath(path, p.pen().color());
        break;
    }
    case NavKnopf::Speichern:
        p.drawPolyline(QList<QPointF> { { 3, 8.5 }, { 6.5, 12 }, { 13, 4 } });
        break;
    case NavKnopf::Verwerfen:
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case NavKnopf::Aktualisieren: {
        p.drawArc(QRectF(3.5, 3.5, 9, 9), 100 * 16, 280 * 16);
        QPainterPath spitze;
        spitze.moveTo(8.5, 1.5);
        spitze.lineTo(11.5, 3.8);
        spitze.lineTo(8.2, 6);
        spitze.closeSubpath();
        p.fillPath(spitze, p.pen().color());
        break;
    }
    }
}

QPixmap bild(NavKnopf knopf, const QColor &farbe)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(farbe, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    zeichnen(p, knopf);
    return pixmap;
}

} // namespace

Datensatzleiste::Datensatzleiste(Table *table, const QList<NavKnopf> &knoepfe, QWidget *parent)
    : QWidget(parent)
    , m_table(table)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (NavKnopf k : knoepfe) {
        auto *b = new QToolButton(this);
        b->setIcon(symbol(k));
        b->setIconSize(QSize(16, 16));
        b->setToolTip(hinweis(k));
        b->setStatusTip(hinweis(k));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, k] { ausfuehren(k); });
        layout->addWidget(b);
        m_knoepfe.append({ k, b });
    }
    layout->addStretch(1);
    for (auto signal : { &Table::recordsReset, &Table::currentChanged, &Table::stateChanged,
             &Table::valuesChanged })
        connect(table, signal, this, &Datensatzleiste::aktualisieren);
    aktualisieren();
}

QToolButton *Datensatzleiste::knopf(NavKnopf knopf) const
{
    for (const auto &[k, b] : m_knoepfe) {
        if (k == knopf)
            return b;
    }
    return nullptr;
}

void Datensatzleiste::ausfuehren(NavKnopf knopf)
{
    if (!m_table || (m_vorher && !m_vorher()))
        return;
    if (mitMeldung([&] { navKnopfAusfuehren(knopf, *m_table); }))
        Q_EMIT ausgefuehrt(knopf);
    aktualisieren();
}

void Datensatzleiste::aktualisieren()
{
    for (const auto &[k, b] : m_knoepfe)
        b->setEnabled(m_table && navKnopfAktiv(k, *m_table));
}

QString Datensatzleiste::hinweis(NavKnopf knopf)
{
    switch (knopf) {
    case NavKnopf::Erster:
        return QStringLiteral("Erster Datensatz");
    case NavKnopf::Voriger:
        return QStringLiteral("Vorheriger Datensatz");
    case NavKnopf::Naechster:
        return QStringLiteral("Nächster Datensatz");
    case NavKnopf::Letzter:
        return QStringLiteral("Letzter Datensatz");
    case NavKnopf::Einfuegen:
        return QStringLiteral("Datensatz einfügen");
    case NavKnopf::Loeschen:
        return QStringLiteral("Datensatz löschen");
    case NavKnopf::Bearbeiten:
        return QStringLiteral("Datensatz bearbeiten");
    case NavKnopf::Speichern:
        return QStringLiteral("Daten speichern");
    case NavKnopf::Verwerfen:
        return QStringLiteral("Bearbeitung abbrechen");
    case NavKnopf::Aktualisieren:
        return QStringLiteral("Daten aktualisieren");
    }
    return QString();
}

QIcon Datensatzleiste::symbol(NavKnopf knopf)
{
    QIcon icon;
    icon.addPixmap(bild(knopf, QColor(0x1f, 0x3a, 0x6e)), QIcon::Normal);
    icon.addPixmap(bild(knopf, QColor(0xa8, 0xa8, 0xa8)), QIcon::Disabled);
    return icon;
}

} // namespace kb
