#include "shell/Befehlsleisten.h"

#include "shell/Symbole.h"
#include "widgets/GradientPanel.h"
#include "widgets/NavigationBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

Befehlsleisten::Befehlsleisten(QWidget *fenster, QMenuBar *menuBar, Handler handler)
    : QObject(fenster)
    , m_fenster(fenster)
    , m_handler(std::move(handler))
{
    linkeLeisteBauen();
    menueBauen(menuBar);
    navigationBauen();
    aktualisieren(false);
}

QAction *Befehlsleisten::neueAktion(Ort ort, const BefehlEintrag &e)
{
    auto *a = new QAction(e.text, m_fenster);
    a->setToolTip(e.hinweis.isEmpty() ? e.text : e.hinweis);
    a->setStatusTip(e.hinweis);
    if (!e.taste.isEmpty()) {
        a->setShortcut(e.taste);
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (ort != Ort::Menue)
        a->setIcon(symbol(e.befehl));
    const Befehl befehl = e.befehl;
    const int variante = e.variante;
    connect(
        a, &QAction::triggered, this, [this, befehl, variante] { m_handler(befehl, variante); });
    m_eintraege.append({ ort, e.befehl, e.variante, a });
    return a;
}

void Befehlsleisten::linkeLeisteBauen()
{
    m_links = new widgets::GradientPanel(m_fenster);
    m_links->setGradient(Qt::blue, Qt::black, 64);
    m_links->setFixedWidth(70);
    // One style for the five buttons, set on the bar before they are made.
    m_links->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; border: none; padding: 3px; }"
        "QToolButton:hover { background: rgba(255, 255, 255, 40); border-radius: 4px; }"
        "QToolButton:pressed { background: rgba(0, 0, 0, 60); }"
        "QToolButton:disabled { color: #7f8fbf; }"));
    auto *layout = new QVBoxLayout(m_links);
    layout->setContentsMargins(2, 8, 2, 8);
    layout->setSpacing(10);
    for (const BefehlEintrag &e : kb::linkeLeiste()) {
        auto *button = new QToolButton(m_links);
        button->setDefaultAction(neueAktion(Ort::LinkeLeiste, e));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(button);
        m_linkeButtons.append(button);
    }
    layout->addStretch(1);
}

void Befehlsleisten::menueBauen(QMenuBar *menuBar)
{
    for (const Menue &m : hauptmenue()) {
        QMenu *menu = menuBar->addMenu(m.titel);
        for (const BefehlEintrag &e : m.eintraege) {
            if (e.trenner)
                menu->addSeparator();
            else
                menu->addAction(neueAktion(Ort::Menue, e));
        }
    }
}

void Befehlsleisten::navigationBauen()
{
    m_navigation = new widgets::NavigationBar(m_fenster);
    m_navigation->setFixedWidth(123);
    for (const NavGruppe &g : navigationsGruppen()) {
        const int gruppe = m_navigation->addGroup(g.titel);
        for (const BefehlEintrag &e : g.eintraege)
            m_navigation->addItem(gruppe, neueAktion(Ort::Navigation, e));
    }
}

QAction *Befehlsleisten::aktion(Ort ort, Befehl befehl, int variante) const
{
    for (const Eintrag &e : m_eintraege) {
        if (e.ort == ort && e.befehl == befehl && (variante < 0 || e.variante == variante))
            return e.aktion;
    }
    return nullptr;
}

QToolButton *Befehlsleisten::linkerButton(Befehl befehl) const
{
    for (QToolButton *b : m_linkeButtons) {
        for (const Eintrag &e : m_eintraege) {
            if (e.aktion == b->defaultAction() && e.befehl == befehl)
                return b;
        }
    }
    return nullptr;
}

void Befehlsleisten::aktualisieren(bool kalenderOffen)
{
    for (const Eintrag &e : m_eintraege)
        e.aktion->setEnabled(befehlAktiv(e.befehl, kalenderOffen, e.ort == Ort::LinkeLeiste));
}

} // namespace kb
