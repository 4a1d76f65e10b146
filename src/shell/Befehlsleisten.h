#pragma once

#include "shell/Befehle.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenuBar;
class QToolButton;
class QWidget;

namespace kb {

namespace widgets {
class GradientPanel;
class NavigationBar;
} // namespace widgets

// The main window's commands as the user reaches them: the left-hand bar, the main menu and
// the navigation bar, built from the command tables. Every control runs the one handler with
// its command and variant; which controls are enabled follows befehlAktiv().
class Befehlsleisten : public QObject {
    Q_OBJECT
public:
    enum class Ort { LinkeLeiste, Menue, Navigation };
    using Handler = std::function<void(Befehl befehl, int variante)>;

    // Builds the three into `fenster`'s menu bar and two new widgets (parent `fenster`).
    Befehlsleisten(QWidget *fenster, QMenuBar *menuBar, Handler handler);

    widgets::GradientPanel *linkeLeiste() const { return m_links; }
    widgets::NavigationBar *navigation() const { return m_navigation; }

    // The action of `befehl` at `ort`; for print entries the one of `variante`. Null when none.
    QAction *aktion(Ort ort, Befehl befehl, int variante = -1) const;
    QToolButton *linkerButton(Befehl befehl) const;

    // Enables the controls for the calendar being open or not (`updatemenu`).
    void aktualisieren(bool kalenderOffen);

private:
    struct Eintrag {
        Ort ort;
        Befehl befehl;
        int variante;
        QAction *aktion;
    };
    QAction *neueAktion(Ort ort, const BefehlEintrag &e);
    void linkeLeisteBauen();
    void menueBauen(QMenuBar *menuBar);
    void navigationBauen();

    QWidget *m_fenster;
    Handler m_handler;
    widgets::GradientPanel *m_links = nullptr;
    widgets::NavigationBar *m_navigation = nullptr;
    QList<Eintrag> m_eintraege;
    QList<QToolButton *> m_linkeButtons;
};

} // namespace kb
