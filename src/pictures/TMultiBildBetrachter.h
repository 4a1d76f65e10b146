#pragma once

#include "pictures/Bildauswahl.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTreeView;
class QFileSystemModel;

namespace kb {

class BildauswahlModell;

// The picture browser "Bild - Auswahl": a folder's JPEG and bitmap files as a grid of
// thumbnails, beside a folder tree with a drive selector. "übernehmen" (or a double-click)
// puts the selected picture on the clipboard at the month-picture size and closes with OK;
// "Schließen" closes and leaves the clipboard alone. The grid's context menu deletes a
// picture, saves a JPEG copy and copies the picture at its own size to the clipboard.
// Thumbnails are made off the user-interface thread and kept for the whole run; the hourglass
// shows over the grid only while a cell in view waits for its thumbnail.
class TMultiBildBetrachter : public QDialog {
    Q_OBJECT
public:
    explicit TMultiBildBetrachter(QWidget *parent = nullptr);
    ~TMultiBildBetrachter() override;

    // Shows `ordner` and makes it the working directory, so the next opening starts there.
    // An unreadable folder empties the grid with a message.
    void ordnerWechseln(const QString &ordner);
    // Selects cell (zeile, spalte), as a click or the keyboard does.
    void zelleWaehlen(int zeile, int spalte);
    // "übernehmen": the picture to the clipboard, close with OK.
    void uebernehmen();
    void bildLoeschenKlick();
    void bildSpeichernKlick();
    void zwischenablageKlick();

    // The selected file of the list; null when the selection index names none.
    const Bilddatei *ausgewaehlteDatei() const;
    // True while a cell in view waits for its thumbnail (the hourglass shows).
    bool wartet() const;

    QTableView *gitter() const { return m_gitter; }
    BildauswahlModell *modell() const { return m_modell; }
    QLineEdit *zaehler() const { return m_zaehler; }
    QLineEdit *pfadFeld() const { return m_pfad; }
    QComboBox *laufwerke() const { return m_laufwerke; }
    QTreeView *ordnerBaum() const { return m_baum; }
    QPushButton *uebernehmenKnopf() const { return m_uebernehmen; }
    QPushButton *schliessenKnopf() const { return m_schliessen; }
    QMenu *kontextMenue() const { return m_menue; }
    QAction *loeschenAktion() const { return m_loeschen; }
    QAction *speichernAktion() const { return m_speichern; }
    QAction *kopierenAktion() const { return m_kopieren; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *linksBauen();
    QWidget *rechtsBauen();
    void listeLesen(bool beimOeffnen);
    void anzeigeNachListe();
    void sichtbareZellenPruefen();
    void sichtbarPruefenSpaeter();
    void wartenAnzeigen(int anzahl);
    void laufwerkGewaehlt(int index);
    void baumAufOrdner(const QString &ordner);

    QString m_ordner;
    BildauswahlModell *m_modell = nullptr;
    QFileSystemModel *m_dateisystem = nullptr;
    QLineEdit *m_zaehler = nullptr;
    QComboBox *m_laufwerke = nullptr;
    QTreeView *m_baum = nullptr;
    QTableView *m_gitter = nullptr;
    QLineEdit *m_pfad = nullptr;
    QPushButton *m_uebernehmen = nullptr;
    QPushButton *m_schliessen = nullptr;
    QMenu *m_menue = nullptr;
    QAction *m_loeschen = nullptr;
    QAction *m_speichern = nullptr;
    QAction *m_kopieren = nullptr;
    bool m_pruefenGeplant = false;
    bool m_wartet = false;
};

// Opens the picture browser modally. True when the user took a picture over: it is then on
// the clipboard at 640 × 480 or 480 × 640 for the caller to paste.
bool bildAuswaehlen(QWidget *parent = nullptr);

} // namespace kb
