#include "pictures/TBildgross.h"

#include "pictures/Bildregeln.h"
#include "pictures/Bildsymbole.h"
#include "pictures/TQRBildForm.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"
#include "widgets/GrabHandles.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>

namespace kb {

namespace {

// The picture stretched to the box; a click on it asks for the grab handles.
class BildBox : public QWidget {
public:
    BildBox(const QImage *bild, std::function<void()> geklickt, QWidget *parent)
        : QWidget(parent)
        , m_bild(bild)
        , m_geklickt(std::move(geklickt))
    {
        setToolTip(QStringLiteral("klick auf Bild um Grösse zu verändern"));
        setStatusTip(toolTip());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!m_bild->isNull())
            p.drawImage(rect(), *m_bild);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            m_geklickt();
    }

private:
    const QImage *m_bild;
    std::function<void()> m_geklickt;
};

struct Knopf {
    TBildgross::Aktion aktion;
    Bildsymbol symbol;
    const char *hinweis;
    bool trennerDavor;
};

const Knopf kKnoepfe[] = {
    { TBildgross::Aktion::Drucken, Bildsymbol::Drucken, "Vorschau/Drucken", false },
    { TBildgross::Aktion::Waagerecht, Bildsymbol::WaagerechtSpiegeln, "waagerecht spiegeln", true },
    { TBildgross::Aktion::Senkrecht, Bildsymbol::SenkrechtSpiegeln, "senkrecht spiegeln", false },
    { TBildgross::Aktion::Grau, Bildsymbol::Graustufen, "in Graustufen umwandeln", true },
    { TBildgross::Aktion::Oval, Bildsymbol::Oval, "Bild oval/kreisförmig", true },
    { TBildgross::Aktion::OvalRand, Bildsymbol::OvalRand, "oval umranden", false },
    { TBildgross::Aktion::Rueckgaengig, Bildsymbol::Rueckgaengig, "alles rückgängig", false },
};

} // namespace

TBildgross::TBildgross(const QImage &bild, Table *bilder, QWidget *parent)
    : QDialog(parent)
    , m_bearbeitung(bild)
    , m_startBox(startBildBox(bild.size()))
    , m_bilder(bilder)
{
    setWindowTitle(QStringLiteral("Bild"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_werkzeuge = new QToolBar(this);
    // The tool bar keeps above the picture box at y 32.
    m_werkzeuge->setIconSize(QSize(18, 18));
    m_werkzeuge->setFixedHeight(startBox().top() - 4);
    m_werkzeuge->setAutoFillBackground(true);
    QPalette silber = m_werkzeuge->palette();
    silber.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    m_werkzeuge->setPalette(silber);
    for (const Knopf &k : kKnoepfe) {
        if (k.trennerDavor)
            m_werkzeuge->addSeparator();
        const QString hinweis = QString::fromUtf8(k.hinweis);
        QAction *a = m_werkzeuge->addAction(bildsymbol(k.symbol), hinweis);
        a->setToolTip(hinweis);
        a->setStatusTip(hinweis);
        const Aktion aktion = k.aktion;
        connect(a, &QAction::triggered, this, [this, aktion] { ausfuehren(aktion); });
        m_aktionen.append(a);
    }
    m_status = new QLabel(m_werkzeuge);
    m_status->setContentsMargins(8, 0, 8, 0);
    m_werkzeuge->addWidget(m_status);
    m_werkzeuge->adjustSize();
    m_werkzeuge->setGeometry(0, 0, width(), m_werkzeuge->height());

    m_box = new BildBox(
        &m_bearbeitung.bild(), [this] { m_griffe->attach(m_box); }, this);
    m_box->setGeometry(startBox());
    m_griffe = new widgets::GrabHandles(this);
    groesseFuerBild(m_bearbeitung.bild().size());
}

TBildgross::~TBildgross() = default;

QAction *TBildgross::aktion(Aktion a) const
{
    return m_aktionen.value(int(a));
}

void TBildgross::groesseFuerBild(const QSize &bildgroesse)
{
    const int leiste = m_werkzeuge->height();
    const QRect box = startBox();
    QSize groesse(std::max(bildgroesse.width(), box.right() + 17),
        std::max(bildgroesse.height() + leiste, box.bottom() + 17));
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect frei = s->availableGeometry();
        groesse = groesse.boundedTo(frei.size());
        resize(groesse);
        move(frei.center() - QPoint(groesse.width() / 2, groesse.height() / 2));
    } else {
        resize(groesse);
    }
    m_werkzeuge->setGeometry(0, 0, groesse.width(), leiste);
}

void TBildgross::ausfuehren(Aktion a)
{
    switch (a) {
    case Aktion::Drucken:
        vorschau();
        return;
    case Aktion::Waagerecht:
        m_bearbeitung.waagerechtSpiegeln();
        break;
    case Aktion::Senkrecht:
        m_bearbeitung.senkrechtSpiegeln();
        break;
    case Aktion::Grau:
        graustufenMitWarten();
        break;
    case Aktion::Oval:
        m_bearbeitung.ovalSchneiden();
        break;
    case Aktion::OvalRand:
        m_bearbeitung.ovalUmranden();
        break;
    case Aktion::Rueckgaengig:
        m_bearbeitung.allesRueckgaengig();
        break;
    }
    bildZeigen();
}

void TBildgross::graustufenMitWarten()
{
    m_box->hide();
    m_status->setText(QStringLiteral("Bitte warten Bild wird konvertiert...."));
    {
        const BusyCursor sanduhr;
        m_bearbeitung.graustufen();
    }
    m_status->clear();
    m_box->show();
}

void TBildgross::bildZeigen()
{
    m_box->update();
}

void TBildgross::vorschau()
{
    try {
        TQRBildForm form(m_bearbeitung.bild(), m_box->geometry(), m_box->isVisible());
        form.previewWhileGenerating();
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TBildgross::mousePressEvent(QMouseEvent *event)
{
    // A click beside the picture puts the handles away.
    m_griffe->detach();
    QDialog::mousePressEvent(event);
}

void TBildgross::done(int result)
{
    if (!m_geschlossen) {
        m_geschlossen = true;
        m_griffe->detach();
        if (m_bearbeitung.frageBeimSchliessen() && ui().question(bildSpeichernFrage())) {
            try {
                if (!m_bilder)
                    throw Error(QStringLiteral("Es ist kein Kalender geöffnet."));
                m_bearbeitung.speichern(*m_bilder);
            } catch (const Error &e) {
                ui().message(e.message());
            }
        }
    }
    QDialog::done(result);
}

} // namespace kb
