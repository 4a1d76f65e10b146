#pragma once

#include "shell/Befehle.h"
#include "storage/Navigation.h"
#include "widgets/CaptionPanel.h"

#include <QList>
#include <QPointer>
#include <QToolButton>
#include <optional>

class QAction;
class QMenu;
class QTabBar;
class QToolBar;

namespace kb::designer {
class EntwurfLeiste;
}

namespace kb {

class Table;
class TageGrid;
struct LayoutSettings;

// The calendar panel "  Kalender": the tool bar (day navigator, print, layout and settings
// buttons), the month tabs "Alle", "Januar" to "Dezember" and the day grid. The navigator's
// buttons are enabled while they can act on the year table.
class KalenderPanel : public widgets::CaptionPanel {
    Q_OBJECT
public:
    KalenderPanel(Table *jahr, const LayoutSettings *farben, QWidget *parent = nullptr);

    QToolBar *werkzeuge() const { return m_werkzeuge; }
    QTabBar *monate() const { return m_monate; }
    // The form designer bar below the tool bar.
    designer::EntwurfLeiste *entwurfsLeiste() const { return m_entwurf; }
    TageGrid *tage() const { return m_tage; }
    // The year calendar button (its face does nothing; its menu prints).
    QToolButton *kalenderButton() const { return m_kalenderButton; }
    // The six entries of its drop-down menu, in menu order.
    const QList<QAction *> &jahreskalenderAktionen() const { return m_jahreskalender; }
    // The month calendar button: it drops down its menu of quarters, pairs and months.
    QToolButton *monatsKButton() const { return m_monatsKButton; }
    // Its entries, one per month selection in the order of monatsAuswahlen().
    const QList<QAction *> &monatskalenderAktionen() const { return m_monatskalender; }
    // The diary button: its face prints what the day list shows, its menu one month.
    QToolButton *tagebuchButton() const { return m_tagebuchButton; }
    // Its twelve entries "Januar" to "Dezember".
    const QList<QAction *> &tagebuchAktionen() const { return m_tagebuch; }
    // The tool bar's actions for `befehl`.
    QAction *aktion(Befehl befehl) const;

    // Selects the tab of `monat` (0 = "Alle") without choosing it again.
    void monatZeigen(int monat);

    // The navigator button a day command stands for; none for the other commands.
    static std::optional<NavKnopf> navKnopf(Befehl befehl);

Q_SIGNALS:
    void monatGewaehlt(int monat);
    void jahreskalenderGewaehlt(int variante);
    // A tool bar button other than the year calendar's was clicked (for the month calendar
    // and diary buttons: their face).
    void befehlGewaehlt(Befehl befehl);
    // `auswahl` indexes monatsAuswahlen().
    void monatskalenderGewaehlt(int auswahl);
    // 1 to 12: a month of the diary button's menu.
    void tagebuchGewaehlt(int monat);

private:
    void navigatorAktualisieren();
    QToolButton *menueButton(QAction *aktion, QMenu *menu, QToolButton::ToolButtonPopupMode modus);
    QMenu *jahreskalenderMenue();
    QMenu *monatskalenderMenue();
    QMenu *tagebuchMenue();

    QPointer<Table> m_jahr;
    QToolBar *m_werkzeuge = nullptr;
    QToolButton *m_kalenderButton = nullptr;
    QToolButton *m_monatsKButton = nullptr;
    QToolButton *m_tagebuchButton = nullptr;
    QList<QAction *> m_aktionen;
    QList<QAction *> m_jahreskalender;
    QList<QAction *> m_monatskalender;
    QList<QAction *> m_tagebuch;
    designer::EntwurfLeiste *m_entwurf = nullptr;
    QTabBar *m_monate = nullptr;
    TageGrid *m_tage = nullptr;
};

} // namespace kb
