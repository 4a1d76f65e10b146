#pragma once

#include "storage/Table.h"
#include <QDialog>
#include <QPointer>
#include <QTableView>

class QPushButton;

namespace kb {

class Datensatzleiste;
class TexteModell;

// The grid of the text library: deleting a text (Ctrl+Entf) asks first.
class TexteGrid : public QTableView {
    Q_OBJECT
public:
    explicit TexteGrid(Table *texte, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPointer<Table> m_texte;
};

// The text library window "Texte": the library's texts in a grid (added, changed and deleted
// there and with the navigator), "Text übernehmen " and " Schliessen". Taking a text over
// (the button or a double-click) puts it into the current day of the year table as a pending
// change and closes the window.
class TBuchForm : public QDialog {
    Q_OBJECT
public:
    TBuchForm(Table *texte, Table *jahr, QWidget *parent = nullptr);

    QTableView *grid() const { return m_grid; }
    TexteModell *modell() const { return m_modell; }
    Datensatzleiste *navigator() const { return m_navigator; }
    QPushButton *uebernehmen() const { return m_uebernehmen; }
    QPushButton *schliessen() const { return m_schliessen; }

    // "Text übernehmen ": the library's current text into the current day; the window closes.
    void textUebernehmenKlick();

private:
    void aktuelleZeileZeigen(int zeile);

    QPointer<Table> m_texte;
    QPointer<Table> m_jahr;
    TexteModell *m_modell = nullptr;
    TexteGrid *m_grid = nullptr;
    Datensatzleiste *m_navigator = nullptr;
    QPushButton *m_uebernehmen = nullptr;
    QPushButton *m_schliessen = nullptr;
};

// Opening the text library from the day grid (`TageGridEditButtonClick`): without the
// library's file the message "Tabelle \"Texte.db\" nicht vorhanden!" and nothing else;
// otherwise the library table opens, the window shows modally, and the table closes again
// (posting a pending change of a text) when the window closes.
void tageGridEditButtonClick(Table &texte, TBuchForm &fenster);

} // namespace kb
