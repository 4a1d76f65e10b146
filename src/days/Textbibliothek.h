#pragma once

#include "storage/Table.h"
#include <QAbstractTableModel>
#include <QPointer>
#include <QString>

namespace kb {

// The file name of the text library in the calendar data directory.
QString texteDateiname(); // "Texte.db"
// "Tabelle \"Texte.db\" nicht vorhanden!" for the library table's file name.
QString texteFehlenMeldung(const Table &texte);
// Whether the file the library table names (its directory and file name) exists.
bool texteVorhanden(const Table &texte);

// The text library in a grid: the single column `Text`, one row per text and, while a new
// text is being entered, one more row at the end for it. Editing a cell leaves the change
// pending in the table until it is posted, cancelled or the current text changes.
class TexteModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TexteModell(Table *texte, QObject *parent = nullptr);

    // The row of the current text (the new one while entering it); -1 without one.
    int aktuelleZeile() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void aktuelleZeileGeaendert(int zeile);

private:
    void neuLaden();
    void werteGeaendert();
    bool neueZeile() const;

    QPointer<Table> m_texte;
    int m_zeilen = 0;
    int m_aktuell = -1;
};

} // namespace kb
