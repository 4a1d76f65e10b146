#include "days/Kachelfeld.h"

#include "days/Kachelraster.h"
#include "days/Tagesbearbeitung.h"
#include "days/Tagesfarben.h"
#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace kb {

namespace {

enum Spalte { Datum, Text, Tag, Kennung };

const QColor kBlau(0x00, 0x00, 0xFF);
const QColor kRahmen(0xB8, 0xB8, 0xB8);

} // namespace

Kachelfeld::Kachelfeld(Table *jahr, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_jahr(jahr)
    , m_modell(new TableModel(jahr, this))
    , m_menue(new QMenu(this))
{
    m_modell->setFields({ QStringLiteral("Datum"), QStringLiteral("Text"), QStringLiteral("Tag"),
        QStringLiteral("Kennung") });
    m_zumFormular = m_menue->addAction(QStringLiteral("zum Formular"));
    connect(m_zumFormular, &QAction::triggered, this, &Kachelfeld::tagesdatenGewuenscht);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);

    connect(m_modell, &QAbstractItemModel::modelReset, this, [this] {
        bereichSetzen();
        aktuellZeigen(m_modell->currentRow());
    });
    connect(m_modell, &TableModel::currentRowChanged, this, &Kachelfeld::aktuellZeigen);
    connect(m_modell, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
    bereichSetzen();
}

int Kachelfeld::tage() const
{
    return m_modell->rowCount();
}

int Kachelfeld::ersteSpalte() const
{
    return horizontalScrollBar()->value();
}

QSize Kachelfeld::kachelGroesse() const
{
    return kachelGroesseIn(viewport()->size());
}

QRect Kachelfeld::kachelRechteck(int zeile) const
{
    return kb::kachelRechteck(zeile, ersteSpalte(), kachelGroesse());
}

QSize Kachelfeld::sizeHint() const
{
    const int rand = 2 * frameWidth();
    return { kKachelSpalten * kKachelGroesse.width() + rand,
        kKachelZeilen * kKachelGroesse.height() + rand
            + horizontalScrollBar()->sizeHint().height() };
}

QSize Kachelfeld::minimumSizeHint() const
{
    const QSize halb = kKachelGroesse / 2;
    return { kKachelSpalten * halb.width(),
        kKachelZeilen * halb.height() + horizontalScrollBar()->sizeHint().height() };
}

void Kachelfeld::bereichSetzen()
{
    QScrollBar *bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, kachelSpaltenFuer(tage()) - kKachelSpalten));
    bar->setPageStep(kKachelSpalten);
    bar->setSingleStep(1);
    viewport()->update();
}

void Kachelfeld::aktuellZeigen(int zeile)
{
    if (zeile >= 0) {
        horizontalScrollBar()->setValue(ersteSpalteFuer(
            kachelPlatz(zeile).spalte, ersteSpalte(), kKachelSpalten, kachelSpaltenFuer(tage())));
    }
    viewport()->update();
}

void Kachelfeld::waehlen(int zeile)
{
    if (zeile < 0 || !m_jahr || !m_jahr->isOpen() || zeile == m_jahr->currentRow())
        return;
    mitMeldung([&] { m_jahr->setRecNo(zeile + 1); });
}

void Kachelfeld::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    viewport()->update();
}

void Kachelfeld::scrollContentsBy(int, int)
{
    viewport()->update();
}

void Kachelfeld::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QSize kachel = kachelGroesse();
    const int erster = ersteSpalte() * kKachelZeilen;
    const int letzter = std::min(tage(), erster + kKachelSpalten * kKachelZeilen);
    for (int zeile = erster; zeile < letzter; ++zeile) {
        const QRect r = kb::kachelRechteck(zeile, ersteSpalte(), kachel);
        if (r.intersects(event->rect()))
            kachelZeichnen(p, zeile, r);
    }
}

void Kachelfeld::kachelZeichnen(QPainter &p, int zeile, const QRect &r) const
{
    auto wert = [&](Spalte s) { return m_modell->index(zeile, s).data(); };
    const Kachelfarben farben
        = dbCtrlGrid1PaintPanel(wert(Tag).toString(), wert(Kennung).toString().toInt());
    const bool aktuell = zeile == m_modell->currentRow();
    p.fillRect(r, aktuell ? kachelAusgewaehlt() : farben.flaeche);
    p.setPen(kRahmen);
    p.drawRect(r.adjusted(0, 0, -1, -1));

    QFont schrift = font();
    schrift.setBold(true);
    const int streifen = QFontMetrics(schrift).height() + 2;
    const QRect oben(r.left() + 3, r.top() + 3, r.width() - 6, streifen);
    p.fillRect(oben, kBlau);
    p.setFont(schrift);
    p.setPen(Qt::white);
    p.drawText(
        oben.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, wert(Datum).toString());

    QFont tagSchrift = schrift;
    tagSchrift.setPixelSize(16);
    const int tagHoehe = QFontMetrics(tagSchrift).height();
    const QRect unten(r.left() + 6, r.bottom() - tagHoehe - 1, r.width() - 12, tagHoehe);
    p.setFont(tagSchrift);
    p.setPen(farben.wochentag);
    p.drawText(unten, Qt::AlignLeft | Qt::AlignVCenter, wert(Tag).toString());

    const QRect mitte(
        r.left() + 6, oben.bottom() + 2, r.width() - 12, unten.top() - oben.bottom() - 2);
    if (mitte.height() > 0) {
        p.setFont(schrift);
        p.setPen(kBlau);
        p.drawText(mitte, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, wert(Text).toString());
    }
}

void Kachelfeld::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        waehlen(kachelAn(event->position().toPoint(), ersteSpalte(), kachelGroesse(), tage()));
}

void Kachelfeld::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int zeile = kachelAn(event->position().toPoint(), ersteSpalte(), kachelGroesse(), tage());
    if (event->button() == Qt::LeftButton && zeile >= 0) {
        waehlen(zeile);
        Q_EMIT tagesdatenGewuenscht();
    }
}

void Kachelfeld::contextMenuEvent(QContextMenuEvent *event)
{
    const int zeile = kachelAn(event->pos(), ersteSpalte(), kachelGroesse(), tage());
    if (zeile < 0)
        return;
    waehlen(zeile);
    m_menue->popup(event->globalPos());
}

void Kachelfeld::keyPressEvent(QKeyEvent *event)
{
    const int aktuell = m_modell->currentRow();
    int ziel = aktuell;
    switch (event->key()) {
    case Qt::Key_Up:
        ziel = aktuell - 1;
        break;
    case Qt::Key_Down:
        ziel = aktuell + 1;
        break;
    case Qt::Key_Left:
        ziel = aktuell - kKachelZeilen;
        break;
    case Qt::Key_Right:
        ziel = aktuell + kKachelZeilen;
        break;
    case Qt::Key_Home:
        ziel = 0;
        break;
    case Qt::Key_End:
        ziel = tage() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (aktuell >= 0 && ziel >= 0 && ziel < tage())
        waehlen(ziel);
}

void Kachelfeld::wheelEvent(QWheelEvent *event)
{
    // The tiles scroll sideways only: the wheel turns the columns.
    const QPoint delta = event->angleDelta();
    // Fine-grained wheels and touch pads add up to whole columns.
    m_rad += std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y();
    const int schritte = m_rad / 120;
    m_rad -= schritte * 120;
    horizontalScrollBar()->setValue(ersteSpalte() - schritte);
    event->accept();
}

} // namespace kb
