#pragma once

#include "pictures/Bildauswahl.h"
#include "pictures/Thumbnail.h"

#include <QAbstractTableModel>
#include <QHash>

namespace kb {

// The thumbnail grid of the picture browser as a model: four columns, the rows of
// gitterZeilen(), cell (r, c) holding file r × 4 + c of the list. A cell's DecorationRole is
// its thumbnail once it is in the cache; the model asks the loader for it only when the
// window says the cell is in view (`sichtbarMachen`), and announces it when it arrives.
class BildauswahlModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BildauswahlModell(QObject *parent = nullptr);

    // A new file list. `beimOeffnen` gives the grid the two rows it shows at least when the
    // browser opens.
    void setDateien(const QList<Bilddatei> &dateien, bool beimOeffnen);
    const QList<Bilddatei> &dateien() const { return m_dateien; }
    // The file of a cell; null for a cell beyond the list.
    const Bilddatei *datei(const QModelIndex &index) const;

    // The cells in view: their thumbnails are made first, any other queued request is
    // dropped, and the cells one row around them are made next. Returns how many cells in
    // view still wait for their thumbnail.
    int sichtbarMachen(int ersteZeile, int letzteZeile);
    // How many of the cells last made visible still wait.
    int wartend() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    ThumbnailLader &lader() { return m_lader; }

Q_SIGNALS:
    // The number of visible cells still waiting changed.
    void wartendGeaendert(int anzahl);

private:
    void angekommen(const QString &schluessel);
    int dateiNummer(const QModelIndex &index) const;

    QList<Bilddatei> m_dateien;
    QHash<QString, int> m_nachSchluessel;
    int m_zeilen = 0;
    int m_ersteSichtbar = 0;
    int m_letzteSichtbar = -1;
    ThumbnailLader m_lader;
};

} // namespace kb
