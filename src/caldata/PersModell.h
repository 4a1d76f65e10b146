#pragma once

#include "storage/Table.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

namespace kb {

// The grid of the personal dates: the columns "Tag" (`FracTag`), "Monat" (`FracMonat`) and
// "Text", day and month shown with two digits as their drop-down lists offer them; one row
// per date and, while a new date is being entered, one more row at the end for it. Editing a
// cell leaves the change pending in the table until it is posted, cancelled or the current
// date changes; a value the table refuses is reported with the engine's message.
class PersModell : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Spalte { SpalteTag, SpalteMonat, SpalteText };

    explicit PersModell(Table *pers, QObject *parent = nullptr);

    // The row of the current date (the new one while entering it); -1 without one.
    int aktuelleZeile() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The drop-down lists: "01" to "31", "01" to "12".
    static QStringList tage();
    static QStringList monate();
    // "Urlaub", "Krank", "Geburtstag", "Hochzeitstag", "Todestag".
    static QStringList textVorschlaege();

Q_SIGNALS:
    void aktuelleZeileGeaendert(int zeile);

private:
    void neuLaden();
    void werteGeaendert();
    bool neueZeile() const;

    QPointer<Table> m_pers;
    int m_zeilen = 0;
    int m_aktuell = -1;
};

} // namespace kb
