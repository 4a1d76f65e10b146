#pragma once

#include "caldata/PersDaten.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace kb {

// "Stammdatendatei": the directory (chosen with the button, read-only), the file name
// without extension and the optional last and first name of new personal dates. "Anlegen"
// makes the .PER file and the table and closes the window; a refused input is reported and
// the window stays open.
class TDatenAnlegenF : public QDialog {
    Q_OBJECT
public:
    explicit TDatenAnlegenF(QWidget *parent = nullptr);

    QLineEdit *verzeichnisFeld() const { return m_verzeichnis; }
    QPushButton *verzeichnisButton() const { return m_waehlen; }
    QLineEdit *dateiFeld() const { return m_datei; }
    QLineEdit *nameFeld() const { return m_name; }
    QLineEdit *vornameFeld() const { return m_vorname; }
    QPushButton *anlegenButton() const { return m_anlegen; }
    QPushButton *abbrechenButton() const { return m_abbrechen; }

    // Empties the fields for a new use.
    void leeren();
    // The directory chooser, starting in the chosen directory or the calendar data directory.
    void verzeichnisWaehlen();
    // "Anlegen": true when the files were made (then angelegt() names them).
    bool anlegenKlick();
    const std::optional<PersDatei> &angelegt() const { return m_angelegt; }

private:
    QLineEdit *m_verzeichnis = nullptr;
    QPushButton *m_waehlen = nullptr;
    QLineEdit *m_datei = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_vorname = nullptr;
    QPushButton *m_anlegen = nullptr;
    QPushButton *m_abbrechen = nullptr;
    std::optional<PersDatei> m_angelegt;
};

} // namespace kb
