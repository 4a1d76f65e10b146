#include "pictures/BildauswahlModell.h"

#include <QSet>

namespace kb {

BildauswahlModell::BildauswahlModell(QObject *parent)
    : QAbstractTableModel(parent)
    , m_lader(thumbnailCache())
{
    connect(&m_lader, &ThumbnailLader::fertig, this, &BildauswahlModell::angekommen);
}

void BildauswahlModell::setDateien(const QList<Bilddatei> &dateien, bool beimOeffnen)
{
    beginResetModel();
    m_dateien = dateien;
    m_nachSchluessel.clear();
    for (int i = 0; i < m_dateien.size(); ++i)
        m_nachSchluessel.insert(m_dateien[i].schluessel(), i);
    m_zeilen = gitterZeilen(static_cast<int>(m_dateien.size()), beimOeffnen);
    m_ersteSichtbar = 0;
    m_letzteSichtbar = -1;
    endResetModel();
    m_lader.nurNoch({});
}

int BildauswahlModell::dateiNummer(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    const int nummer = index.row() * kGitterSpalten + index.column();
    return nummer < m_dateien.size() ? nummer : -1;
}

const Bilddatei *BildauswahlModell::datei(const QModelIndex &index) const
{
    const int nummer = dateiNummer(index);
    return nummer < 0 ? nullptr : &m_dateien[nummer];
}

int BildauswahlModell::sichtbarMachen(int ersteZeile, int letzteZeile)
{
    m_ersteSichtbar = std::max(ersteZeile, 0);
    m_letzteSichtbar = std::min(letzteZeile, m_zeilen - 1);
    const auto nummern = [this](int von, int bis) {
        QList<int> n;
        for (int i = std::max(von, 0) * kGitterSpalten;
             i < std::min<qsizetype>((bis + 1) * kGitterSpalten, m_dateien.size()); ++i)
            n.append(i);
        return n;
    };
    const QList<int> sichtbar = nummern(m_ersteSichtbar, m_letzteSichtbar);
    QList<int> umher = nummern(m_ersteSichtbar - 1, m_ersteSichtbar - 1);
    umher += nummern(m_letzteSichtbar + 1, m_letzteSichtbar + 1);
    QSet<QString> gewollt;
    for (int i : sichtbar)
        gewollt.insert(m_dateien[i].schluessel());
    for (int i : umher)
        gewollt.insert(m_dateien[i].schluessel());
    m_lader.nurNoch(gewollt);
    // The loader makes the newest request first: the cells around before those in view.
    for (int i : umher)
        m_lader.anfordern(m_dateien[i]);
    for (int i : sichtbar)
        m_lader.anfordern(m_dateien[i]);
    const int w = wartend();
    Q_EMIT wartendGeaendert(w);
    return w;
}

int BildauswahlModell::wartend() const
{
    int anzahl = 0;
    for (int r = m_ersteSichtbar; r <= m_letzteSichtbar; ++r) {
        for (int c = 0; c < kGitterSpalten; ++c) {
            const int i = r * kGitterSpalten + c;
            if (i < m_dateien.size() && !thumbnailCache().finden(m_dateien[i].schluessel()))
                ++anzahl;
        }
    }
    return anzahl;
}

void BildauswahlModell::angekommen(const QString &schluessel)
{
    const auto it = m_nachSchluessel.constFind(schluessel);
    if (it == m_nachSchluessel.constEnd())
        return;
    const QModelIndex zelle = index(*it / kGitterSpalten, *it % kGitterSpalten);
    Q_EMIT dataChanged(zelle, zelle, { Qt::DecorationRole });
    const int row = *it / kGitterSpalten;
    if (row >= m_ersteSichtbar && row <= m_letzteSichtbar)
        Q_EMIT wartendGeaendert(wartend());
}

int BildauswahlModell::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_zeilen;
}

int BildauswahlModell::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_zeilen == 0 ? 0 : kGitterSpalten;
}

QVariant BildauswahlModell::data(const QModelIndex &index, int role) const
{
    const Bilddatei *d = datei(index);
    if (!d)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return d->name;
    case Qt::DecorationRole:
        if (const QImage *bild = thumbnailCache().finden(d->schluessel()))
            return *bild;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags BildauswahlModell::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace kb
