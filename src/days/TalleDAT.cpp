#include "days/TalleDAT.h"

#include "days/Feldanzeigen.h"
#include "days/Tagesbearbeitung.h"
#include "platform/Ui.h"
#include "storage/Datensatzleiste.h"
#include "storage/FieldLink.h"
#include "storage/Table.h"
#include "widgets/GradientPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

namespace {

struct Anzeige {
    const char *titel;
    const char *feld;
};

// The read-only values, top to bottom.
const Anzeige kAnzeigen[] = {
    { "Datum :", "Datum" },
    { "Datum lang :", "DatumLang" },
    { "Tag im Jahr :", "Nummer" },
    { "Tag im Monat :", "TagimMonat" },
    { "Tag ", "Tag" },
    { "Woche :", "Woche" },
    { "Monat :", "Monat" },
    { "Kennung", "Kennung" },
    { "Name :", "Name" },
    { "Vorname :", "Vorname" },
    { "Bundesland :", "BLand" },
};

QLabel *beschriftung(const QString &text, QWidget *parent, const QColor &farbe)
{
    auto *l = new QLabel(text, parent);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, farbe);
    l->setPalette(pal);
    return l;
}

const QColor kTitel(0xb8, 0xc8, 0xf0);

QIcon symbolKnopfBild(bool einfuegen)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x3a, 0x6e), 1.5));
    p.setBrush(QColor(0xfb, 0xfb, 0xf4));
    p.drawRect(QRectF(3, 5, 14, 14));
    p.setPen(QPen(einfuegen ? QColor(0x2a, 0x8a, 0x3a) : QColor(0xc8, 0x28, 0x28), 2.5));
    p.drawLine(QPointF(13, 15), QPointF(21, 15));
    if (einfuegen)
        p.drawLine(QPointF(17, 11), QPointF(17, 19));
    p.end();
    return QIcon(pixmap);
}

} // namespace

TalleDAT::TalleDAT(Table *jahr, BildAuswahl bildAuswahl, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
    , m_jahr(jahr)
    , m_bildAuswahl(std::move(bildAuswahl))
{
    setWindowTitle(QStringLiteral("Tagesdaten"));
    setObjectName(QStringLiteral("TalleDAT"));
    setFixedSize(620, 350);
    auto *aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(0, 0, 0, 0);
    auto *grund = new widgets::GradientPanel(this);
    grund->setGradient(Qt::blue, Qt::black, 64);
    aussen->addWidget(grund);

    auto *v = new QVBoxLayout(grund);
    v->setContentsMargins(12, 10, 12, 10);
    v->setSpacing(8);
    auto *h = new QHBoxLayout;
    h->setSpacing(16);
    h->addWidget(werteBauen(grund));
    h->addWidget(eingabenBauen(grund), 1);
    v->addLayout(h, 1);

    auto *unten = new QHBoxLayout;
    m_navigator = new Datensatzleiste(jahr, tagesNavigator(), grund);
    unten->addWidget(m_navigator);
    unten->addStretch(1);
    m_schliessen = new QPushButton(QStringLiteral("schliessen"), grund);
    connect(m_schliessen, &QPushButton::clicked, this, &QDialog::accept);
    unten->addWidget(m_schliessen);
    v->addLayout(unten);

    for (auto signal : { &Table::recordsReset, &Table::currentChanged, &Table::stateChanged })
        connect(jahr, signal, this, &TalleDAT::knoepfeAktualisieren);
    knoepfeAktualisieren();
}

QWidget *TalleDAT::werteBauen(QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(3);
    int zeile = 0;
    for (const Anzeige &a : kAnzeigen) {
        const QString feld = QString::fromLatin1(a.feld);
        g->addWidget(beschriftung(QString::fromUtf8(a.titel), w, kTitel), zeile, 0);
        QLabel *wert = beschriftung(QString(), w, Qt::white);
        wert->setMinimumWidth(170);
        if (feld == QLatin1String("DatumLang"))
            new LangesDatumLink(m_jahr, feld, wert);
        else
            new LabelLink(m_jahr, feld, wert);
        g->addWidget(wert, zeile, 1);
        m_werte.append({ feld, wert });
        ++zeile;
    }
    g->setRowStretch(zeile, 1);
    return w;
}

QWidget *TalleDAT::eingabenBauen(QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);

    g->addWidget(beschriftung(QStringLiteral("Text"), w, kTitel), 0, 0, 1, 3);
    m_text = new QLineEdit(w);
    new LineEditLink(m_jahr, QStringLiteral("Text"), m_text);
    g->addWidget(m_text, 1, 0, 1, 3);

    g->addWidget(beschriftung(QStringLiteral("Tages-Notizen"), w, kTitel), 2, 0, 1, 3);
    m_notizen = new QPlainTextEdit(w);
    m_notizen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    new TextEditLink(m_jahr, QStringLiteral("Notizen"), m_notizen);
    g->addWidget(m_notizen, 3, 0, 1, 3);

    auto *reihe = new QHBoxLayout;
    reihe->addWidget(beschriftung(QStringLiteral("erinnern :"), w, kTitel));
    m_erinnern = new QCheckBox(w);
    new CheckBoxLink(m_jahr, QStringLiteral("Alarm"), m_erinnern);
    reihe->addWidget(m_erinnern);
    reihe->addStretch(1);

    m_symbol = new QLabel(w);
    m_symbol->setFixedSize(41, 41);
    m_symbol->setFrameShape(QFrame::Box);
    m_symbol->setAutoFillBackground(true);
    m_symbol->setToolTip(QStringLiteral("Tagessymbol"));
    // A click on the symbol inserts one, like the button beside it.
    m_symbol->installEventFilter(this);
    new SymbolLink(m_jahr, QStringLiteral("SymbolBild"), m_symbol);
    reihe->addWidget(m_symbol);

    auto *knoepfe = new QVBoxLayout;
    knoepfe->setSpacing(1);
    m_einfuegen = new QToolButton(w);
    m_einfuegen->setIcon(symbolKnopfBild(true));
    m_einfuegen->setToolTip(QStringLiteral("Symbol einfügen"));
    connect(m_einfuegen, &QToolButton::clicked, this, &TalleDAT::symbolEinfuegenKlick);
    m_loeschen = new QToolButton(w);
    m_loeschen->setIcon(symbolKnopfBild(false));
    m_loeschen->setToolTip(QStringLiteral("Symbol löschen"));
    connect(m_loeschen, &QToolButton::clicked, this, &TalleDAT::symbolLoeschenKlick);
    for (QToolButton *b : { m_einfuegen, m_loeschen }) {
        b->setIconSize(QSize(14, 14));
        b->setFixedSize(20, 20);
        knoepfe->addWidget(b);
    }
    reihe->addLayout(knoepfe);
    g->addLayout(reihe, 4, 0, 1, 3);
    g->setRowStretch(3, 1);
    return w;
}

QLabel *TalleDAT::wert(const QString &feld) const
{
    for (const auto &[name, label] : m_werte) {
        if (name == feld)
            return label;
    }
    return nullptr;
}

void TalleDAT::knoepfeAktualisieren()
{
    const bool tag = m_jahr && m_jahr->isOpen() && m_jahr->recordCount() > 0
        && !m_jahr->isReadOnly() && m_jahr->hasField(QStringLiteral("SymbolBild"));
    m_loeschen->setEnabled(tag);
    m_einfuegen->setEnabled(tag);
}

bool TalleDAT::eventFilter(QObject *objekt, QEvent *ereignis)
{
    if (objekt == m_symbol && ereignis->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(ereignis)->button() == Qt::LeftButton
        && m_einfuegen->isEnabled()) {
        symbolEinfuegenKlick();
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TalleDAT::symbolEinfuegenKlick()
{
    if (!m_jahr || !mitMeldung([this] { m_jahr->edit(); }))
        return;
    // Closed without "übernehmen": the day stays in edit mode, the navigator's post and
    // cancel apply to it.
    if (!m_bildAuswahl || !m_bildAuswahl(this) || !m_jahr || m_jahr->state() != Table::State::Edit)
        return;
    const QImage bild = ui().clipboardImage();
    if (bild.isNull()) {
        // Nothing usable on the clipboard: the day keeps its symbol.
        mitMeldung([this] { m_jahr->cancel(); });
        return;
    }
    mitMeldung([this, &bild] {
        m_jahr->setImage(QStringLiteral("SymbolBild"), bild);
        m_jahr->post();
    });
}

void TalleDAT::symbolLoeschenKlick()
{
    if (!m_jahr)
        return;
    mitMeldung([this] {
        m_jahr->edit();
        m_jahr->clearField(QStringLiteral("SymbolBild"));
        m_jahr->post();
    });
}

} // namespace kb
