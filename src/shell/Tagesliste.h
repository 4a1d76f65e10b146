#pragma once

#include <QTableView>
#include <array>

namespace kb {

class Table;
class TableModel;

// The days of the open calendar in the calendar panel: the shared year table in the columns
// "Tag im Jahr", Tag, Datum, Woche and Text, one row per day, the current day selected.
// The five column widths come from "kalender.INI" and go back there at exit; -1 stands for
// the designed width. Reading only: the day grid's editing and colours are its own.
class Tagesliste : public QTableView {
    Q_OBJECT
public:
    static constexpr int kSpalten = 5;
    using Breiten = std::array<int, kSpalten>;
    // The designed widths: 49, 37, 64, 64 and 100 pixels.
    static Breiten designBreiten();

    explicit Tagesliste(Table *jahr, QWidget *parent = nullptr);

    // Applies the widths (-1: designed width) now and after every change of the records.
    void setSpaltenbreiten(const Breiten &breiten);
    // The widths as they are now, with the user's changes.
    Breiten spaltenbreiten() const { return m_breiten; }
    TableModel *tabellenModell() const { return m_model; }

private:
    void breitenAnwenden();
    void aktuelleZeileZeigen(int row);

    Table *m_jahr;
    TableModel *m_model;
    Breiten m_breiten;
    bool m_anwenden = false;
};

} // namespace kb
