#include "pictures/MonatsBilderPanel.h"

#include "caldata/KalenderAnlage.h"
#include "pictures/Bildsymbole.h"
#include "pictures/MonatsKacheln.h"
#include "pictures/TBildgross.h"
#include "platform/MitMeldung.h"
#include "platform/Ui.h"
#include "printing/TMonateKalenderForm.h"
#include "storage/Datensatzleiste.h"
#include "storage/Navigation.h"
#include "storage/Table.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace kb {

namespace {

struct Knopf {
    MonatsBilderPanel::Aktion aktion;
    Bildsymbol symbol;
    const char *text;
    const char *hinweis;
};

const Knopf kKnoepfe[] = {
    { MonatsBilderPanel::Aktion::Browser, Bildsymbol::Browser, "Bildbetrachter....",
        "neues Bild laden/Bild ändern" },
    { MonatsBilderPanel::Aktion::Einfuegen, Bildsymbol::Einfuegen, "Einfügen",
        "aus Zwischenablage einfügen" },
    { MonatsBilderPanel::Aktion::Kopieren, Bildsymbol::Kopieren, "Kopieren",
        "Bild in Zwischenablage kopieren" },
    { MonatsBilderPanel::Aktion::Loeschen, Bildsymbol::Loeschen, "Löschen", "Bild löschen" },
    { MonatsBilderPanel::Aktion::Vergroessern, Bildsymbol::Vergroessern, "Vergrößern",
        "Bild in neuem Fenster öffnen" },
};

// Selected tab navy, the others $00FF3C3C, white text.
const char *const kMonatsTabStil = "QTabBar::tab { background: #3c3cff; color: white; "
                                   "padding: 3px 10px; margin-right: 1px; }"
                                   "QTabBar::tab:selected { background: #000080; }";

} // namespace

MonatsBilderPanel::MonatsBilderPanel(Table *bilder, Table *jahr, QWidget *parent)
    : CaptionPanel(QStringLiteral("  Kalender - Monats - Bilder / Texte"), parent)
    , m_bilder(bilder)
    , m_jahr(jahr)
{
    werkzeugeBauen();

    m_seiten = new QTabWidget(content());
    m_raster = new BilderRaster(bilder, m_seiten);
    auto *rollen = new QScrollArea(m_seiten);
    rollen->setWidget(m_raster);
    rollen->setFrameShape(QFrame::NoFrame);
    m_texte = new TexteRaster(bilder, m_seiten);
    m_einzel = new EinzelBild(m_seiten);
    m_seiten->addTab(seiteBauen(rollen, true), seitenTitel(BilderSeite::AlleBilder));
    m_seiten->addTab(seiteBauen(m_texte, false), seitenTitel(BilderSeite::AlleTexte));
    m_seiten->addTab(seiteBauen(m_einzel, true), seitenTitel(BilderSeite::EinzelBild));
    contentLayout()->addWidget(m_seiten, 1);

    m_monate = new QTabBar(content());
    m_monate->setShape(QTabBar::RoundedSouth);
    m_monate->setExpanding(false);
    m_monate->setDrawBase(false);
    m_monate->setStyleSheet(QString::fromLatin1(kMonatsTabStil));
    for (const QString &name : monatsnamen())
        m_monate->addTab(name);
    contentLayout()->addWidget(m_monate);
    connect(m_monate, &QTabBar::currentChanged, this,
        [this](int index) { Q_EMIT monatGewaehlt(index + 1); });
    connect(m_monate, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == m_monate->currentIndex())
            Q_EMIT monatGewaehlt(index + 1);
    });

    connect(m_seiten, &QTabWidget::currentChanged, this, &MonatsBilderPanel::seiteGewechselt);
    connect(
        m_raster, &BilderRaster::vergroessernGewuenscht, this, &MonatsBilderPanel::vergroessern);
    connect(m_raster, &BilderRaster::browserGewuenscht, this, &MonatsBilderPanel::browserOeffnen);
    connect(m_texte, &TexteRaster::textLadenGewuenscht, this, &MonatsBilderPanel::textLaden);
    connect(m_einzel, &EinzelBild::doppelklick, this, &MonatsBilderPanel::vergroessern);
    for (auto signal : { &Table::recordsReset, &Table::currentChanged, &Table::valuesChanged })
        connect(bilder, signal, this, &MonatsBilderPanel::datensatzGeaendert);

    seiteGewechselt(m_seiten->currentIndex());
    setBrowser({});
}

void MonatsBilderPanel::werkzeugeBauen()
{
    m_leiste = new QWidget(content());
    auto *h = new QHBoxLayout(m_leiste);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(8);
    m_werkzeuge = new QToolBar(m_leiste);
    m_werkzeuge->setIconSize(QSize(24, 24));
    m_werkzeuge->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const Knopf &k : kKnoepfe) {
        QAction *a = m_werkzeuge->addAction(bildsymbol(k.symbol), QString::fromUtf8(k.text));
        a->setToolTip(QString::fromUtf8(k.hinweis));
        a->setStatusTip(a->toolTip());
        m_aktionen.append(a);
    }
    connect(aktion(Aktion::Browser), &QAction::triggered, this, &MonatsBilderPanel::browserOeffnen);
    connect(aktion(Aktion::Einfuegen), &QAction::triggered, this, &MonatsBilderPanel::einfuegen);
    connect(aktion(Aktion::Kopieren), &QAction::triggered, this, &MonatsBilderPanel::kopieren);
    connect(aktion(Aktion::Loeschen), &QAction::triggered, this, &MonatsBilderPanel::loeschen);
    connect(
        aktion(Aktion::Vergroessern), &QAction::triggered, this, &MonatsBilderPanel::vergroessern);
    h->addWidget(m_werkzeuge);

    m_navigator = new Datensatzleiste(m_bilder, tagesNavigator(), m_leiste);
    h->addWidget(m_navigator);
    m_label = new QLabel(m_leiste);
    QFont schrift = m_label->font();
    schrift.setBold(true);
    schrift.setPixelSize(16);
    m_label->setFont(schrift);
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    m_label->setPalette(pal);
    m_label->setMinimumWidth(m_label->fontMetrics().horizontalAdvance(QStringLiteral("    "
                                                                                     "September"))
        + 8);
    h->addWidget(m_label);
    h->addStretch(1);
}

QWidget *MonatsBilderPanel::seiteBauen(QWidget *inhalt, bool mitLeiste)
{
    auto *seite = new QWidget(m_seiten);
    auto *v = new QVBoxLayout(seite);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    if (mitLeiste)
        seite->setProperty("mitLeiste", true);
    v->addWidget(inhalt, 1);
    return seite;
}

QAction *MonatsBilderPanel::aktion(Aktion a) const
{
    return m_aktionen.value(int(a));
}

void MonatsBilderPanel::setBrowser(Browser browser)
{
    m_browser = std::move(browser);
    aktion(Aktion::Browser)->setEnabled(bool(m_browser));
}

BilderSeite MonatsBilderPanel::seite() const
{
    return BilderSeite(m_seiten->currentIndex());
}

void MonatsBilderPanel::seiteWaehlen(BilderSeite seite)
{
    if (int(seite) == m_seiten->currentIndex())
        seiteGewechselt(int(seite));
    else
        m_seiten->setCurrentIndex(int(seite));
}

void MonatsBilderPanel::seiteGewechselt(int index)
{
    const auto s = BilderSeite(index);
    QWidget *seite = m_seiten->widget(index);
    // The tool bar belongs to the picture pages; the navigator and the label to the first.
    if (seite && seite->property("mitLeiste").toBool()) {
        static_cast<QVBoxLayout *>(seite->layout())->insertWidget(0, m_leiste);
        m_leiste->show();
    } else {
        m_leiste->hide();
    }
    m_navigator->setVisible(s == BilderSeite::AlleBilder);
    m_label->setVisible(s == BilderSeite::AlleBilder);
    m_monate->setVisible(s == BilderSeite::EinzelBild);
    modusSetzen(s);
}

void MonatsBilderPanel::modusSetzen(BilderSeite seite)
{
    if (!m_bilder)
        return;
    mitMeldung([&] {
        if (seiteVerknuepft(seite) && m_jahr)
            bilderVerknuepfen(*m_bilder, *m_jahr);
        else
            bilderEntknuepfen(*m_bilder);
    });
    datensatzGeaendert();
}

void MonatsBilderPanel::betreten()
{
    seiteGewechselt(m_seiten->currentIndex());
    Q_EMIT monatGewaehlt(m_monate->currentIndex() + 1);
}

void MonatsBilderPanel::monatZeigen(int monat)
{
    if (monat < 1 || monat > 12)
        return;
    const QSignalBlocker block(m_monate);
    m_monate->setCurrentIndex(monat - 1);
}

void MonatsBilderPanel::datensatzGeaendert()
{
    int monat = 0;
    QImage bild;
    mitMeldung([&] {
        monat = m_bilder ? aktuellerMonat(*m_bilder) : 0;
        if (m_bilder)
            bild = aktuellesBild(*m_bilder);
    });
    if (const auto label = kb::monatsLabel(monat))
        m_label->setText(*label);
    if (const auto name = monatsname(monat))
        m_texte->setMonatsname(*name);
    m_einzel->setBild(bild);
}

namespace {

bool bereit(const Table *bilder)
{
    return bilder && bilder->isOpen() && !bilder->isEmpty();
}

} // namespace

void MonatsBilderPanel::browserOeffnen()
{
    if (!m_browser || !bereit(m_bilder))
        return;
    mitMeldung([&] { bildAusBrowser(*m_bilder, [this] { return m_browser(this); }); });
}

void MonatsBilderPanel::einfuegen()
{
    if (bereit(m_bilder))
        mitMeldung([&] { bildEinfuegen(*m_bilder); });
}

void MonatsBilderPanel::kopieren()
{
    if (bereit(m_bilder))
        mitMeldung([&] { bildKopieren(*m_bilder); });
}

void MonatsBilderPanel::loeschen()
{
    if (bereit(m_bilder))
        mitMeldung([&] { bildLoeschen(*m_bilder); });
}

void MonatsBilderPanel::vergroessern()
{
    if (!bereit(m_bilder))
        return;
    QImage bild;
    if (!mitMeldung([&] { bild = aktuellesBild(*m_bilder); }))
        return;
    if (bild.isNull()) {
        ui().message(keinBildMeldung());
        return;
    }
    TBildgross fenster(bild, m_bilder, this);
    fenster.groesseFuerBild(bild.size());
    ui().runModal(&fenster);
}

void MonatsBilderPanel::textLaden()
{
    if (bereit(m_bilder))
        mitMeldung([&] { monatstextLaden(*m_bilder); });
}

} // namespace kb
