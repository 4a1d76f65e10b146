#pragma once

#include "caldata/KalenderAnlage.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace kb {

// "Kronoblatt-Assistent": three steps that ask for the owner, the state, the directory, the
// file name and the year, then generate the calendar. Made for one use and shown modally.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    // Called after a calendar was made, before the wizard closes: the main window opens it.
    using NachAnlage = std::function<void(const AnlageErgebnis &)>;

    explicit TForm2(QWidget *parent = nullptr);
    void setNachAnlage(NachAnlage nachAnlage) { m_nachAnlage = std::move(nachAnlage); }
    // The state index of the previous calendar made in this program run (AnlageEingaben).
    void setLandVorher(int index) { m_landVorher = index; }

    int schritt() const; // 1 to 3
    void weiter();
    void zurueck();
    // Opens the directory chooser on the calendar data directory.
    void verzeichnisWaehlen();
    // "Fertigstellen": generates the calendar; true when it was made.
    bool fertigstellen();

    QLineEdit *nameFeld() const { return m_name; }
    QLineEdit *vornameFeld() const { return m_vorname; }
    QComboBox *landFeld() const { return m_land; }
    QLineEdit *verzeichnisFeld() const { return m_verzeichnis; }
    QPushButton *verzeichnisButton() const { return m_waehlen; }
    QLineEdit *dateiFeld() const { return m_datei; }
    QDateEdit *jahrFeld() const { return m_jahr; }
    QLabel *statusText() const { return m_status; }
    QProgressBar *fortschritt() const { return m_fortschritt; }
    // The buttons of step `schritt` (1 to 3): left ("Abbrechen"/"Zurück") and right
    // ("Weiter"/"Fertigstellen").
    QPushButton *linkerButton(int schritt) const;
    QPushButton *rechterButton(int schritt) const;

private:
    QWidget *schrittSeite(int schritt, QWidget *felder);
    QWidget *datenSeite();
    QWidget *dateiSeite();
    QWidget *fertigSeite();
    AnlageEingaben eingaben() const;
    void fortschrittZeigen(int position, const QString &status);

    NachAnlage m_nachAnlage;
    int m_landVorher = 0;
    QStackedWidget *m_seiten = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_vorname = nullptr;
    QComboBox *m_land = nullptr;
    QLineEdit *m_verzeichnis = nullptr;
    QPushButton *m_waehlen = nullptr;
    QLineEdit *m_datei = nullptr;
    QDateEdit *m_jahr = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_fortschritt = nullptr;
    QList<QPushButton *> m_links;
    QList<QPushButton *> m_rechts;
};

} // namespace kb
