#include "shell/KalenderPanel.h"

#include "caldata/KalenderAnlage.h"
#include "days/TageGrid.h"
#include "shell/Symbole.h"
#include "storage/Table.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

KalenderPanel::KalenderPanel(Table *jahr, const LayoutSettings *farben, QWidget *parent)
    : CaptionPanel(QStringLiteral("  Kalender"), parent)
    , m_jahr(jahr)
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
            const Befehl befehl = e.befehl;
            connect(
                a, &QAction::triggered, this, [this, befehl] { Q_EMIT befehlGewaehlt(befehl); });
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

    m_tage = new TageGrid(jahr, farben, content());
    contentLayout()->addWidget(m_tage, 1);

    for (auto signal : { &Table::recordsReset, &Table::currentChanged, &Table::stateChanged,
             &Table::valuesChanged })
        connect(jahr, signal, this, &KalenderPanel::navigatorAktualisieren);
    navigatorAktualisieren();
}

std::optional<NavKnopf> KalenderPanel::navKnopf(Befehl befehl)
{
    switch (befehl) {
    case Befehl::TagErster:
        return NavKnopf::Erster;
    case Befehl::TagVoriger:
        return NavKnopf::Voriger;
    case Befehl::TagNaechster:
        return NavKnopf::Naechster;
    case Befehl::TagLetzter:
        return NavKnopf::Letzter;
    case Befehl::TagBearbeiten:
        return NavKnopf::Bearbeiten;
    case Befehl::TagSpeichern:
        return NavKnopf::Speichern;
    case Befehl::TagVerwerfen:
        return NavKnopf::Verwerfen;
    case Befehl::TagAktualisieren:
        return NavKnopf::Aktualisieren;
    default:
        return std::nullopt;
    }
}

void KalenderPanel::navigatorAktualisieren()
{
    for (QAction *a : m_aktionen) {
        const auto befehl = Befehl(a->data().toInt());
        if (const auto knopf = navKnopf(befehl))
            a->setEnabled(befehlVorhanden(befehl) && m_jahr && navKnopfAktiv(*knopf, *m_jahr));
    }
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
