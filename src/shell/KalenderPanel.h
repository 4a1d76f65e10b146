#pragma once

#include "shell/Befehle.h"
#include "widgets/CaptionPanel.h"

#include <QList>

class QAction;
class QTabBar;
class QToolBar;
class QToolButton;

namespace kb {

class Table;
class Tagesliste;

// The calendar panel "  Kalender": the tool bar (day navigator, print, layout and settings
// buttons), the month tabs "Alle", "Januar" to "Dezember" and the list of days.
class KalenderPanel : public widgets::CaptionPanel {
    Q_OBJECT
public:
    KalenderPanel(Table *jahr, QWidget *parent = nullptr);

    QToolBar *werkzeuge() const { return m_werkzeuge; }
    QTabBar *monate() const { return m_monate; }
    Tagesliste *tage() const { return m_tage; }
    // The year calendar button (its face does nothing; its menu prints).
    QToolButton *kalenderButton() const { return m_kalenderButton; }
    // The six entries of its drop-down menu, in menu order.
    const QList<QAction *> &jahreskalenderAktionen() const { return m_jahreskalender; }
    // The tool bar's actions for `befehl`.
    QAction *aktion(Befehl befehl) const;

    // Selects the tab of `monat` (0 = "Alle") without choosing it again.
    void monatZeigen(int monat);

Q_SIGNALS:
    void monatGewaehlt(int monat);
    void jahreskalenderGewaehlt(int variante);

private:
    QToolBar *m_werkzeuge = nullptr;
    QToolButton *m_kalenderButton = nullptr;
    QList<QAction *> m_aktionen;
    QList<QAction *> m_jahreskalender;
    QTabBar *m_monate = nullptr;
    Tagesliste *m_tage = nullptr;
};

} // namespace kb
