#pragma once

#include "days/Tagesfarben.h"
#include "storage/Table.h"

#include <QFont>
#include <QIdentityProxyModel>
#include <QPointer>

namespace kb {

class TableModel;

// The day grid's view of the shared year table: the six columns of tageGridSpalten() with
// their titles and alignment, the weekday in bold, only `Text` and `Alarm` editable, and every
// cell in the colours of its day (tageGridDrawColumnCell()). The colours are read from the
// layout settings when a cell is painted, so a change of the settings shows at the next paint.
class TageGridModell : public QIdentityProxyModel {
    Q_OBJECT
public:
    TageGridModell(Table *jahr, const LayoutSettings *farben, QObject *parent = nullptr);

    Table *jahr() const { return m_jahr; }
    TableModel *tabellenModell() const { return m_tabelle; }
    // The colours of the day in `zeile`.
    Zellfarben zeilenfarben(int zeile) const;
    // The school-holiday periods as painted now (for the year of the days shown).
    const FerienBereiche &ferien() const;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void zeileMarkieren(int zeile);

    QPointer<Table> m_jahr;
    const LayoutSettings *m_farben;
    TableModel *m_tabelle;
    int m_markiert = -1;
    // The periods completed with the year, made again when the settings or the year change.
    mutable FerienPerioden m_ferienVon;
    mutable int m_ferienJahr = -1;
    mutable FerienBereiche m_ferien;
};

} // namespace kb
