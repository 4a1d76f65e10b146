#include "shell/KalenderPanel.h"

#include "caldata/KalenderAnlage.h"
#include "shell/Symbole.h"
#include "shell/Tagesliste.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

KalenderPanel::KalenderPanel(Table *jahr, QWidget *parent)
    : CaptionPanel(QStringLiteral("  Kalender"), parent)
{
    m_werkzeuge = new QToolBar(content());
    m_werkzeuge->setIconSize(QSize(24, 24));
    m_werkzeuge->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const BefehlEintrag &e : kalenderWerkzeuge()) {
        if (e.trenner) {
            m_werkzeuge->addSeparator();
            continue;
        }
        auto *a = new QAction(symbol(e.befehl), e.text, this);
        a->setToolTip(e.hinweis);
        a->setStatusTip(e.hinweis);
        a->setData(int(e.befehl));
        a->setEnabled(befehlVorhanden(e.befehl));
        m_aktionen.append(a);
        if (e.befehl != Befehl::Jahreskalender) {
            m_werkzeuge->addAction(a);
            continue;
        }
        // The face of the year calendar button does nothing; its arrow lists the layouts.
        auto *menu = new QMenu(this);
        for (const BefehlEintrag &v : jahreskalenderMenue()) {
            QAction *entry = menu->addAction(v.text);
            entry->setStatusTip(v.hinweis);
            const int variante = v.variante;
            connect(entry, &QAction::triggered, this,
                [this, variante] { Q_EMIT jahreskalenderGewaehlt(variante); });
            m_jahreskalender.append(entry);
        }
        m_kalenderButton = new QToolButton(m_werkzeuge);
        m_kalenderButton->setDefaultAction(a);
        m_kalenderButton->setMenu(menu);
        m_kalenderButton->setPopupMode(QToolButton::MenuButtonPopup);
        m_kalenderButton->setIconSize(m_werkzeuge->iconSize());
        m_werkzeuge->addWidget(m_kalenderButton);
    }
    contentLayout()->addWidget(m_werkzeuge);

    m_monate = new QTabBar(content());
    m_monate->setShape(QTabBar::RoundedNorth);
    m_monate->setExpanding(false);
    m_monate->setDrawBase(true);
    m_monate->addTab(QStringLiteral("Alle"));
    for (const QString &name : monatsnamen())
        m_monate->addTab(name);
    contentLayout()->addWidget(m_monate);
    connect(m_monate, &QTabBar::currentChanged, this,
        [this](int index) { Q_EMIT monatGewaehlt(index); });

    m_tage = new Tagesliste(jahr, content());
    contentLayout()->addWidget(m_tage, 1);
}

QAction *KalenderPanel::aktion(Befehl befehl) const
{
    for (QAction *a : m_aktionen) {
        if (a->data().toInt() == int(befehl))
            return a;
    }
    return nullptr;
}

void KalenderPanel::monatZeigen(int monat)
{
    const QSignalBlocker block(m_monate);
    m_monate->setCurrentIndex(monat);
}

} // namespace kb
