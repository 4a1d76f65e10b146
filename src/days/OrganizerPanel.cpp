#include "days/OrganizerPanel.h"

#include "caldata/Kalendervokabular.h"
#include "days/Feldanzeigen.h"
#include "days/Kachelfeld.h"
#include "days/Tagesbearbeitung.h"
#include "storage/FieldLink.h"
#include "storage/Table.h"
#include "widgets/GradientPanel.h"
#include "widgets/OvalButton.h"
#include "widgets/Symbolbild.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabBar>
#include <QToolButton>

namespace kb {

namespace {

QLabel *weisserText(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    return l;
}

} // namespace

QIcon formularSymbol()
{
    return QIcon(widgets::symbolPixmap(QStringLiteral("formular"), 32));
}

OrganizerPanel::OrganizerPanel(Table *jahr, QWidget *parent)
    : CaptionPanel(QStringLiteral("  Organizer / Tagebuch"), parent)
    , m_jahr(jahr)
{
    contentLayout()->addWidget(knopfleisteBauen());

    m_teiler = new QSplitter(Qt::Vertical, content());
    m_teiler->setChildrenCollapsible(false);
    m_teiler->addWidget(einzelheitenBauen());
    m_kacheln = new Kachelfeld(jahr, m_teiler);
    m_teiler->addWidget(m_kacheln);
    m_teiler->setStretchFactor(0, 0);
    m_teiler->setStretchFactor(1, 1);
    contentLayout()->addWidget(m_teiler, 1);
    connect(
        m_kacheln, &Kachelfeld::tagesdatenGewuenscht, this, &OrganizerPanel::tagesdatenGewuenscht);

    m_monate = new QTabBar(content());
    m_monate->setShape(QTabBar::RoundedSouth);
    m_monate->setExpanding(false);
    m_monate->setDrawBase(true);
    m_monate->addTab(QStringLiteral("Alle"));
    for (const QString &name : monatsnamen())
        m_monate->addTab(name);
    contentLayout()->addWidget(m_monate);
    connect(m_monate, &QTabBar::currentChanged, this,
        [this](int index) { Q_EMIT monatGewaehlt(index); });
}

QWidget *OrganizerPanel::knopfleisteBauen()
{
    auto *leiste = new QWidget(content());
    auto *h = new QHBoxLayout(leiste);
    h->setContentsMargins(6, 4, 6, 4);
    h->setSpacing(8);
    m_bearbeiten = new widgets::OvalButton(QStringLiteral("bearbeiten"), leiste);
    m_speichern = new widgets::OvalButton(QStringLiteral("speichern"), leiste);
    m_verwerfen = new widgets::OvalButton(QStringLiteral("verwerfen"), leiste);
    for (QWidget *w : { m_bearbeiten, m_speichern, m_verwerfen })
        h->addWidget(w);
    h->addStretch(1);
    connect(m_bearbeiten, &QPushButton::clicked, this, [this] {
        if (m_jahr && mitMeldung([this] { bearbeiten(*m_jahr); }))
            m_notizen->setFocus(Qt::OtherFocusReason);
    });
    connect(m_speichern, &QPushButton::clicked, this, [this] {
        if (m_jahr)
            mitMeldung([this] { speichern(*m_jahr); });
    });
    connect(m_verwerfen, &QPushButton::clicked, this, [this] {
        if (m_jahr)
            mitMeldung([this] { verwerfen(*m_jahr); });
    });
    return leiste;
}

QWidget *OrganizerPanel::einzelheitenBauen()
{
    auto *streifen = new widgets::GradientPanel(content());
    streifen->setGradient(QColor(0x00, 0x00, 0xA0), QColor(0x00, 0x00, 0x40), 64);
    auto *g = new QGridLayout(streifen);
    g->setContentsMargins(10, 8, 10, 8);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    m_datumLang = weisserText(QString(), streifen);
    QFont gross(QStringLiteral("Arial"));
    gross.setPixelSize(19);
    gross.setItalic(true);
    m_datumLang->setFont(gross);
    new LangesDatumLink(m_jahr, QStringLiteral("DatumLang"), m_datumLang);
    g->addWidget(m_datumLang, 0, 0, 1, 3);

    auto *wocheText = weisserText(QStringLiteral(" Woche"), streifen);
    m_woche = weisserText(QString(), streifen);
    new LabelLink(m_jahr, QStringLiteral("Woche"), m_woche);
    auto *wocheZeile = new QHBoxLayout;
    wocheZeile->addWidget(wocheText);
    wocheZeile->addWidget(m_woche);
    wocheZeile->addStretch(1);
    g->addLayout(wocheZeile, 0, 3, 1, 2);

    g->addWidget(weisserText(QStringLiteral("Text"), streifen), 1, 0);
    m_text = new QLineEdit(streifen);
    new LineEditLink(m_jahr, QStringLiteral("Text"), m_text);
    g->addWidget(m_text, 1, 1, 1, 2);
    m_zumFormular = new QToolButton(streifen);
    m_zumFormular->setIcon(formularSymbol());
    m_zumFormular->setIconSize(QSize(18, 18));
    m_zumFormular->setToolTip(QStringLiteral("zum Formular"));
    m_zumFormular->setStatusTip(QStringLiteral("zum Formular"));
    connect(m_zumFormular, &QToolButton::clicked, this, &OrganizerPanel::tagesdatenGewuenscht);
    g->addWidget(m_zumFormular, 1, 3);
    m_erinnern = new QCheckBox(QStringLiteral("erinnern"), streifen);
    // White label on the dark strip, but the box keeps a black check mark on white: a style
    // sheet colour would pale the mark too.
    QPalette erinnernFarben = m_erinnern->palette();
    erinnernFarben.setColor(QPalette::WindowText, Qt::white);
    erinnernFarben.setColor(QPalette::Text, Qt::black);
    erinnernFarben.setColor(QPalette::Base, Qt::white);
    m_erinnern->setPalette(erinnernFarben);
    new CheckBoxLink(m_jahr, QStringLiteral("Alarm"), m_erinnern);
    g->addWidget(m_erinnern, 1, 4);

    m_notizen = new QPlainTextEdit(streifen);
    m_notizen->setToolTip(QStringLiteral("Notizen"));
    m_notizen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    new TextEditLink(m_jahr, QStringLiteral("Notizen"), m_notizen);
    g->addWidget(m_notizen, 2, 0, 1, 5);
    g->setColumnStretch(2, 1);
    g->setRowStretch(2, 1);
    return streifen;
}

void OrganizerPanel::showEvent(QShowEvent *event)
{
    CaptionPanel::showEvent(event);
    if (m_geteilt)
        return;
    m_geteilt = true;
    // Once the panel has its size, the tiles open at their designed size and the detail strip
    // takes the rest.
    QMetaObject::invokeMethod(this, &OrganizerPanel::teilen, Qt::QueuedConnection);
}

void OrganizerPanel::teilen()
{
    const int gesamt = m_teiler->height() - m_teiler->handleWidth();
    const int streifen = m_teiler->widget(0)->minimumSizeHint().height();
    const int kacheln = std::max(std::min(gesamt - streifen, m_kacheln->sizeHint().height()),
        m_kacheln->minimumSizeHint().height());
    m_teiler->setSizes({ std::max(streifen, gesamt - kacheln), kacheln });
}

void OrganizerPanel::monatZeigen(int monat)
{
    const QSignalBlocker block(m_monate);
    m_monate->setCurrentIndex(monat);
}

} // namespace kb
