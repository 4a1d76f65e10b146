#include "shell/KalenderPanel.h"

#include "caldata/KalenderAnlage.h"
#include "days/TageGrid.h"
#include "designer/EntwurfLeiste.h"
#include "printing/TMonateKalenderForm.h"
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
        }
        switch (e.befehl) {
        case Befehl::Jahreskalender:
            // The face does nothing; its arrow lists the layouts.
            m_kalenderButton = menueButton(a, jahreskalenderMenue(), QToolButton::MenuButtonPopup);
            break;
        case Befehl::Monatskalender:
            m_monatsKButton = menueButton(a, monatskalenderMenue(), QToolButton::InstantPopup);
            break;
        case Befehl::Tagebuch:
            // The face prints the days as shown; the arrow lists the months.
            m_tagebuchButton = menueButton(a, tagebuchMenue(), QToolButton::MenuButtonPopup);
            break;
        default:
            m_werkzeuge->addAction(a);
            break;
        }
    }
    contentLayout()->addWidget(m_werkzeuge);
    m_entwurf = new designer::EntwurfLeiste(content());
    contentLayout()->addWidget(m_entwurf);

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
    // A print may have filtered the days behind the tabs' back: a click on the tab already
    // selected chooses it again.
    connect(m_monate, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == m_monate->currentIndex())
            Q_EMIT monatGewaehlt(index);
    });

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

QToolButton *KalenderPanel::menueButton(
    QAction *aktion, QMenu *menu, QToolButton::ToolButtonPopupMode modus)
{
    auto *button = new QToolButton(m_werkzeuge);
    button->setDefaultAction(aktion);
    button->setMenu(menu);
    button->setPopupMode(modus);
    button->setIconSize(m_werkzeuge->iconSize());
    m_werkzeuge->addWidget(button);
    return button;
}

QMenu *KalenderPanel::jahreskalenderMenue()
{
    auto *menu = new QMenu(this);
    for (const BefehlEintrag &v : kb::jahreskalenderMenue()) {
        QAction *entry = menu->addAction(v.text);
        entry->setStatusTip(v.hinweis);
        const int variante = v.variante;
        connect(entry, &QAction::triggered, this,
            [this, variante] { Q_EMIT jahreskalenderGewaehlt(variante); });
        m_jahreskalender.append(entry);
    }
    return menu;
}

QMenu *KalenderPanel::monatskalenderMenue()
{
    auto *menu = new QMenu(this);
    const auto &auswahlen = monatsAuswahlen();
    for (int i = 0; i < int(auswahlen.size()); ++i)
        m_monatskalender.append(nullptr);
    const auto eintrag = [&](QMenu *in, int index) {
        QAction *a = in->addAction(auswahlen.at(index).text);
        connect(
            a, &QAction::triggered, this, [this, index] { Q_EMIT monatskalenderGewaehlt(index); });
        m_monatskalender[index] = a;
    };
    for (const MonatsMenuePunkt &p : kb::monatskalenderMenue()) {
        switch (p.art) {
        case MonatsMenuePunkt::Art::Trenner:
            menu->addSeparator();
            break;
        case MonatsMenuePunkt::Art::Eintrag:
            eintrag(menu, p.auswahlen.front());
            break;
        case MonatsMenuePunkt::Art::Untermenue: {
            QMenu *unter = menu->addMenu(p.text);
            for (const int index : p.auswahlen)
                eintrag(unter, index);
            break;
        }
        }
    }
    return menu;
}

QMenu *KalenderPanel::tagebuchMenue()
{
    auto *menu = new QMenu(this);
    for (int monat = 1; monat <= 12; ++monat) {
        QAction *a = menu->addAction(monatsnamen().at(monat - 1));
        connect(a, &QAction::triggered, this, [this, monat] { Q_EMIT tagebuchGewaehlt(monat); });
        m_tagebuch.append(a);
    }
    return menu;
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
