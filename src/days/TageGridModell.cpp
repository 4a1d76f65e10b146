#include "days/TageGridModell.h"

#include "days/TageGridSpalten.h"
#include "platform/Error.h"
#include "settings/ColorValue.h"
#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QBrush>

namespace kb {

namespace {

bool gleich(const FerienPerioden &a, const FerienPerioden &b)
{
    for (int i = 0; i < kFerienCount; ++i) {
        if (a[i].beginn != b[i].beginn || a[i].ende != b[i].ende)
            return false;
    }
    return true;
}

} // namespace

TageGridModell::TageGridModell(Table *jahr, const LayoutSettings *farben, QObject *parent)
    : QIdentityProxyModel(parent)
    , m_jahr(jahr)
    , m_farben(farben)
    , m_tabelle(new TableModel(jahr, this))
{
    QStringList felder;
    for (const TageGridSpalte &s : tageGridSpalten())
        felder.append(s.feld);
    m_tabelle->setFields(felder);
    setSourceModel(m_tabelle);
    // The marker of the current day in the row titles follows it and its edit state.
    connect(m_tabelle, &TableModel::currentRowChanged, this, [this](int zeile) {
        zeileMarkieren(m_markiert);
        m_markiert = zeile;
        zeileMarkieren(zeile);
    });
    connect(jahr, &Table::stateChanged, this, [this] { zeileMarkieren(m_markiert); });
}

void TageGridModell::zeileMarkieren(int zeile)
{
    if (zeile >= 0 && zeile < rowCount())
        Q_EMIT headerDataChanged(Qt::Vertical, zeile, zeile);
}

const FerienBereiche &TageGridModell::ferien() const
{
    const QDate erster = m_jahr && m_jahr->isOpen() && m_jahr->recordCount() > 0
        ? m_jahr->valueAt(0, QStringLiteral("Datum")).toDate()
        : QDate();
    const int jahr = erster.isValid() ? erster.year() : 0;
    if (jahr != m_ferienJahr || !gleich(m_ferienVon, m_farben->ferien)) {
        m_ferienJahr = jahr;
        m_ferienVon = m_farben->ferien;
        m_ferien = ferienBereiche(m_ferienVon, jahr);
    }
    return m_ferien;
}

Zellfarben TageGridModell::zeilenfarben(int zeile) const
{
    if (!m_jahr || !m_jahr->isOpen())
        return tageGridDrawColumnCell({}, nullptr, *m_farben);
    TagesZeile z;
    try {
        z.tag = m_jahr->valueAt(zeile, QStringLiteral("Tag")).toString();
        z.datum = m_jahr->valueAt(zeile, QStringLiteral("Datum")).toDate();
        z.kennung = m_jahr->valueAt(zeile, QStringLiteral("Kennung")).toInt();
    } catch (const Error &) {
        // A table without these fields shows its rows uncoloured.
    }
    return tageGridDrawColumnCell(z, &ferien(), *m_farben);
}

QVariant TageGridModell::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const QList<TageGridSpalte> &spalten = tageGridSpalten();
    switch (role) {
    case Qt::BackgroundRole:
        return QBrush(toQColor(zeilenfarben(index.row()).hintergrund));
    case Qt::ForegroundRole:
        return QBrush(toQColor(zeilenfarben(index.row()).schrift));
    case Qt::TextAlignmentRole:
        return index.column() < spalten.size() ? QVariant(int(spalten[index.column()].ausrichtung))
                                               : QVariant();
    case Qt::FontRole:
        if (index.column() < spalten.size() && spalten[index.column()].fett) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return QVariant();
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

Qt::ItemFlags TageGridModell::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    if (index.column() >= tageGridSpalten().size() || !tageGridSpalten()[index.column()].editierbar)
        f &= ~(Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    return f;
}

QVariant TageGridModell::headerData(int section, Qt::Orientation orientation, int role) const
{
    const QList<TageGridSpalte> &spalten = tageGridSpalten();
    if (orientation == Qt::Horizontal && section >= 0 && section < spalten.size()) {
        if (role == Qt::DisplayRole)
            return spalten[section].titel;
        // Every title but the text's is centred.
        if (role == Qt::TextAlignmentRole)
            return int(spalten[section].feld == QLatin1String("Text")
                    ? Qt::AlignLeft | Qt::AlignVCenter
                    : Qt::AlignCenter);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) {
        if (!m_jahr || !m_jahr->isOpen() || section != m_jahr->currentRow())
            return QString();
        return m_jahr->state() == Table::State::Browse ? QStringLiteral("▸") : QStringLiteral("I");
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

} // namespace kb
