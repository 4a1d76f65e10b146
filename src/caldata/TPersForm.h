#pragma once

#include "storage/Table.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QPushButton;
class QTableView;

namespace kb {

class Datensatzleiste;
class PersModell;
class TDatenAnlegenF;

// "persönliche Stammdaten eingeben....": the personal dates in a grid (day and month from
// drop-down lists, the text with suggestions or typed freely), a record navigator, and the
// buttons "Daten in aktiven Kalender schreiben..." and "Abbrechen".
class TPersForm : public QDialog {
    Q_OBJECT
public:
    TPersForm(Table *pers, Table *jahr, QWidget *parent = nullptr);

    // Runs before the merge writes: the main window shows all months ("Alle").
    void setVorDerUebernahme(std::function<void()> vorher) { m_vorher = std::move(vorher); }

    QTableView *grid() const { return m_grid; }
    PersModell *modell() const { return m_modell; }
    Datensatzleiste *navigator() const { return m_navigator; }
    QLabel *hinweis() const { return m_hinweis; }
    QPushButton *uebernehmenButton() const { return m_uebernehmen; }
    QPushButton *abbrechenButton() const { return m_abbrechen; }

    // "Daten in aktiven Kalender schreiben...": the merge, its message, and the window closes.
    // An error of the table engine is shown and the window stays open.
    void uebernehmenKlick();

private:
    void aktuelleZeileZeigen(int zeile);
    // Hands the value of an open editor to the table and closes the editor (a value the table
    // refuses is reported by the model and the button's action goes on without it).
    bool editorUebergeben();
    // After "+": the cursor goes into the first cell of the new row.
    void neueZeileBearbeiten();

    QPointer<Table> m_pers;
    QPointer<Table> m_jahr;
    std::function<void()> m_vorher;
    PersModell *m_modell = nullptr;
    QTableView *m_grid = nullptr;
    Datensatzleiste *m_navigator = nullptr;
    QLabel *m_hinweis = nullptr;
    QPushButton *m_uebernehmen = nullptr;
    QPushButton *m_abbrechen = nullptr;
};

// Opens `tabellenPfad` on `pers`, shows the entry window modally and closes the table again.
void persDatenZeigen(Table &pers, const QString &tabellenPfad, TPersForm &eingabe);

// "Stammdaten", "Neu...": closes the personal-dates table, shows the master-data window, and
// after new files were made opens them in the entry window.
void persDatenNeu(Table &pers, TDatenAnlegenF &anlegen, TPersForm &eingabe);

// "Stammdaten", "Öffnen" (`personlichedatenopen`): a .PER file chosen in the calendar data
// directory opens its table in the entry window; another extension does nothing, a missing
// table is reported.
void personlichedatenopen(Table &pers, TPersForm &eingabe);

} // namespace kb
