#pragma once

#include "days/Tagesbearbeitung.h"
#include "shell/Befehle.h"
#include "widgets/CaptionPanel.h"

#include <QList>
#include <QPointer>
#include <optional>

class QAction;
class QTabBar;
class QToolBar;
class QToolButton;

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
    TageGrid *tage() const { return m_tage; }
    // The year calendar button (its face does nothing; its menu prints).
    QToolButton *kalenderButton() const { return m_kalenderButton; }
    // The six entries of its drop-down menu, in menu order.
    const QList<QAction *> &jahreskalenderAktionen() const { return m_jahreskalender; }
    // The tool bar's actions for `befehl`.
    QAction *aktion(Befehl befehl) const;

    // Selects the tab of `monat` (0 = "Alle") without choosing it again.
    void monatZeigen(int monat);

    // The navigator button a day command stands for; none for the other commands.
    static std::optional<NavKnopf> navKnopf(Befehl befehl);

Q_SIGNALS:
    void monatGewaehlt(int monat);
    void jahreskalenderGewaehlt(int variante);
    // A tool bar button other than the year calendar's was clicked.
    void befehlGewaehlt(Befehl befehl);

private:
    void navigatorAktualisieren();

    QPointer<Table> m_jahr;
    QToolBar *m_werkzeuge = nullptr;
    QToolButton *m_kalenderButton = nullptr;
    QList<QAction *> m_aktionen;
    QList<QAction *> m_jahreskalender;
    QTabBar *m_monate = nullptr;
    TageGrid *m_tage = nullptr;
};

} // namespace kb
