#include "designer/EntwurfElemente.h"

#include "designer/Arbeitsflaeche.h"
#include "designer/EntwurfSzene.h"
#include "designer/Formulardruck.h"

#include <QCursor>
#include <QFileInfo>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QPainter>

namespace kb::designer {

namespace {

using enum FormBand;

const QColor kNavy(0x00, 0x00, 0x80);

int linealHoehe(FormBand band)
{
    return band == Summary ? 25 : kRulerHeight;
}

Qt::Alignment ausrichtung(quint8 alignment)
{
    switch (alignment) {
    case kAlignRight:
        return Qt::AlignRight;
    case kAlignCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QPixmap bildLaden(const QString &path)
{
    QPixmap bild(path);
    if (bild.isNull() && path.contains(QLatin1Char('\\')))
        bild.load(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    return bild;
}

} // namespace

QFont elementFont(const FormFont &font)
{
    QFont f(font.name);
    f.setPixelSize(std::max(1, qRound(font.size * 96.0 / 72.0)));
    f.setBold(font.style & 1);
    f.setItalic(font.style & 2);
    f.setUnderline(font.style & 4);
    f.setStrikeOut(font.style & 8);
    return f;
}

BandItem::BandItem(EntwurfSzene *szene, FormBand band, bool mitLineal)
    : m_szene(szene)
    , m_band(band)
    , m_mitLineal(mitLineal)
{
    setToolTip(bandHint(band));
}

void BandItem::setHoehe(int hoehe)
{
    if (hoehe == m_hoehe)
        return;
    prepareGeometryChange();
    m_hoehe = hoehe;
}

void BandItem::setAktiv(bool aktiv)
{
    if (aktiv != m_aktiv) {
        m_aktiv = aktiv;
        update();
    }
}

QRectF BandItem::boundingRect() const
{
    return QRectF(0, 0, kWorkspaceSize, m_hoehe);
}

void BandItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = boundingRect();
    p->fillRect(r, Qt::white);
    if (m_mitLineal)
        paintLineal(p, QRectF(0, 0, r.width(), std::min<qreal>(linealHoehe(m_band), r.height())),
            bandCaption(m_band), m_aktiv, kScaleOrigin, kPixelsPerMm);
}

void BandItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->waehlen({});
    m_szene->aktivieren(m_band);
    event->accept();
}

KopfLinealItem::KopfLinealItem(EntwurfSzene *szene)
    : m_szene(szene)
{
    setToolTip(bandHint(Header));
}

void KopfLinealItem::setAktiv(bool aktiv)
{
    if (aktiv != m_aktiv) {
        m_aktiv = aktiv;
        update();
    }
}

QRectF KopfLinealItem::boundingRect() const
{
    return QRectF(0, 0, kWorkspaceSize, kRulerHeight);
}

void KopfLinealItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    paintLineal(p, boundingRect(), bandCaption(Header), m_aktiv, kScaleOrigin, kPixelsPerMm);
}

void KopfLinealItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->waehlen({});
    m_szene->aktivieren(Header);
    event->accept();
}

TrennerItem::TrennerItem(EntwurfSzene *szene, FormBand band)
    : m_szene(szene)
    , m_band(band)
{
    setCursor(Qt::SizeVerCursor);
    setZValue(1);
}

QRectF TrennerItem::boundingRect() const
{
    // A little taller than the strip it paints, so the mouse can find it.
    return QRectF(0, -2, kWorkspaceSize, kSeparatorHeight + 4);
}

void TrennerItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    p->fillRect(QRectF(0, 0, kWorkspaceSize, kSeparatorHeight), Qt::black);
}

void TrennerItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->ziehenBeginnen();
    event->accept();
}

void TrennerItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // The offset within the separator where it stands now (it moves with the band); the
    // event's own item position keeps the place where the drag began.
    const int hoehe = m_szene->formular().bandHeight(m_band);
    m_szene->bandZiehen(m_band, hoehe + qRound(event->scenePos().y() - y()));
}

void TrennerItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    const int hoehe = m_szene->formular().bandHeight(m_band);
    m_szene->bandZiehen(m_band, hoehe + qRound(event->scenePos().y() - y()));
    m_szene->ziehenBeenden(QStringLiteral("Bandhöhe ") + bandCaption(m_band));
}

ElementItem::ElementItem(EntwurfSzene *szene, const QString &name)
    : m_szene(szene)
    , m_name(name)
{
    setCursor(Qt::SizeAllCursor);
}

void ElementItem::zeigen(const FormElement &e)
{
    if (e == m_element && m_bildGeladen)
        return;
    if (e.width != m_element.width || e.height != m_element.height)
        prepareGeometryChange();
    m_element = e;
    setPos(e.left, e.top);
    if (e.type() == ElementType::Picture && (!m_bildGeladen || m_bildPfad != e.picturePath)) {
        m_bildPfad = e.picturePath;
        m_bild = e.placeholder ? QPixmap() : bildLaden(e.picturePath);
    }
    m_bildGeladen = true;
    QString tip;
    if (e.type() == ElementType::Picture)
        tip = e.picturePath;
    else if (e.type() == ElementType::DataField || e.type() == ElementType::DataPicture)
        tip = e.source;
    if (m_name != QLatin1StringView(kSettingsName))
        setToolTip(tip.isEmpty() ? m_name : tip);
    update();
}

QRectF ElementItem::boundingRect() const
{
    return QRectF(0, 0, std::max(m_element.width, 1), std::max(m_element.height, 1));
}

void ElementItem::paintText(QPainter *p, const QRectF &r, const QString &text) const
{
    const FormElement &e = m_element;
    if (!e.transparent)
        p->fillRect(r, formColor(e.color));
    p->setFont(elementFont(e.font));
    p->setPen(formColor(e.font.color));
    p->drawText(r, ausrichtung(e.alignment) | Qt::AlignTop | Qt::TextSingleLine, text);
}

void ElementItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *)
{
    const FormElement &e = m_element;
    const QRectF r = boundingRect();
    p->save();
    p->setClipRect(r.adjusted(0, 0, 1, 1));
    switch (e.type()) {
    case ElementType::FreeText:
    case ElementType::SystemField:
        paintText(p, r, e.caption);
        break;
    case ElementType::DataField: {
        // The value of the current record; without a bound field its name stands in.
        const QVariant wert = m_szene->wert(e.source, e.dataField);
        paintText(p, r,
            wert.isValid() ? wert.toString() : (e.dataField.isEmpty() ? e.name() : e.dataField));
        p->setPen(QPen(kNavy, 0, Qt::DotLine));
        p->drawRect(r.adjusted(0, 0, -1, -1));
        break;
    }
    case ElementType::Picture: {
        static const QPixmap leer = QPixmap::fromImage(platzhalterBild());
        const QPixmap bild = m_bild.isNull() ? leer : m_bild;
        if (e.stretch)
            p->drawPixmap(r.toRect(), bild);
        else
            p->drawPixmap(QPointF(0, 0), bild);
        break;
    }
    case ElementType::Rectangle:
        p->setPen(QPen(Qt::black, 0));
        p->drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case ElementType::DataPicture: {
        const QVariant wert = m_szene->wert(e.source, e.dataField);
        if (wert.typeId() == QMetaType::QImage && !wert.value<QImage>().isNull()) {
            p->drawImage(r, wert.value<QImage>());
            break;
        }
        p->fillRect(r, QColor(0xE8, 0xF0, 0xFF));
        p->setPen(QPen(kNavy, 0, Qt::DashLine));
        p->drawRect(r.adjusted(0, 0, -1, -1));
        QFont f;
        f.setPixelSize(9);
        p->setFont(f);
        p->drawText(r, Qt::AlignCenter | Qt::TextWordWrap,
            e.dataField.isEmpty() ? QStringLiteral("Datenbank-Bild") : e.dataField);
        break;
    }
    }
    if (!e.visible) {
        // Hidden elements stay editable; a grey veil tells them apart.
        p->fillRect(r, QColor(128, 128, 128, 80));
    }
    p->restore();
}

void ElementItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->waehlen(m_name);
    m_szene->ziehenBeginnen();
    event->accept();
}

void ElementItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->elementZiehen(m_name, event->scenePos() - event->buttonDownScenePos(Qt::LeftButton));
}

void ElementItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    m_szene->elementZiehen(m_name, event->scenePos() - event->buttonDownScenePos(Qt::LeftButton));
    m_szene->ziehenBeenden(QStringLiteral("Element ") + m_name + QStringLiteral(" bewegen"));
}

} // namespace kb::designer
