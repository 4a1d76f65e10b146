#pragma once

#include "pictures/Monatsbilder.h"
#include "widgets/CaptionPanel.h"

#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QTabBar;
class QTabWidget;
class QToolBar;

namespace kb {

class BilderRaster;
class Datensatzleiste;
class EinzelBild;
class Table;
class TexteRaster;

// The month picture area "  Kalender - Monats - Bilder / Texte": the pages "alle
// Monats-Bilder", "alle Monats-Texte" and "einzel Monats-Bild", the picture tool bar (with a
// navigator on the picture table and the month's name on the first page) and the month tabs
// "Januar" to "Dezember" of the single picture. The grids show the picture table unlinked,
// the single picture linked to the day table's current day.
class MonatsBilderPanel : public widgets::CaptionPanel {
    Q_OBJECT
public:
    MonatsBilderPanel(Table *bilder, Table *jahr, QWidget *parent = nullptr);

    // The picture browser: runs modally over `parent` and says how it ended. Until one is set
    // the tool bar's browser button and the grid's "Bild einfügen" are disabled.
    using Browser = std::function<Auswahl(QWidget *parent)>;
    void setBrowser(Browser browser);

    // Entering the area from the navigation bar with the picture table open: the page shown
    // takes its mode, then the selected month tab is chosen.
    void betreten();
    BilderSeite seite() const;
    void seiteWaehlen(BilderSeite seite);
    // Selects the month tab of `monat` (1 to 12) without choosing it; other values leave it.
    void monatZeigen(int monat);

    // The tool bar's operations on the current month.
    void browserOeffnen();
    void einfuegen();
    void kopieren();
    void loeschen();
    void vergroessern();
    // Loads a text file into the current month's text.
    void textLaden();

    QTabWidget *seiten() const { return m_seiten; }
    QTabBar *monate() const { return m_monate; }
    QToolBar *werkzeuge() const { return m_werkzeuge; }
    Datensatzleiste *navigator() const { return m_navigator; }
    QLabel *monatsLabel() const { return m_label; }
    BilderRaster *bilderRaster() const { return m_raster; }
    TexteRaster *texteRaster() const { return m_texte; }
    EinzelBild *einzelBild() const { return m_einzel; }
    enum class Aktion { Browser, Einfuegen, Kopieren, Loeschen, Vergroessern };
    QAction *aktion(Aktion a) const;

Q_SIGNALS:
    // A month tab was chosen: the day table should show month `monat` (1 to 12).
    void monatGewaehlt(int monat);

private:
    void werkzeugeBauen();
    QWidget *seiteBauen(QWidget *inhalt, bool mitLeiste);
    void seiteGewechselt(int index);
    void modusSetzen(BilderSeite seite);
    void datensatzGeaendert();

    QPointer<Table> m_bilder;
    QPointer<Table> m_jahr;
    Browser m_browser;
    QTabWidget *m_seiten = nullptr;
    QTabBar *m_monate = nullptr;
    QToolBar *m_werkzeuge = nullptr;
    QWidget *m_leiste = nullptr; // tool bar, navigator and label, moved to the page shown
    Datensatzleiste *m_navigator = nullptr;
    QLabel *m_label = nullptr;
    BilderRaster *m_raster = nullptr;
    TexteRaster *m_texte = nullptr;
    EinzelBild *m_einzel = nullptr;
    QList<QAction *> m_aktionen;
};

} // namespace kb
