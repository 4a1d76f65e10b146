#include "designer/EntwurfLeiste.h"

#include "designer/Entwurfsliste.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

namespace kb::designer {

namespace {

const QColor kTinte(0x30, 0x30, 0x40);
const QColor kNavy(0x00, 0x00, 0x80);

enum class Zeichen { Vorschau, Oeffnen, Neu };

// A form sheet with its bands, and the sign of the command on it.
QIcon symbol(Zeichen zeichen)
{
    QIcon icon;
    for (const int seite : { 24, 48 }) {
        QPixmap bild(seite, seite);
        bild.fill(Qt::transparent);
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(seite / 24.0, seite / 24.0);
        p.setPen(QPen(kTinte, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 2.5, 14, 19));
        p.fillRect(QRectF(6, 4, 11, 3), QColor(0xFF, 0xE0, 0x80));
        p.setPen(QPen(kNavy, 1));
        for (const qreal y : { 10.0, 13.0, 16.0 })
            p.drawLine(QPointF(7, y), QPointF(16, y));
        switch (zeichen) {
        case Zeichen::Vorschau:
            // A magnifying glass over the sheet.
            p.setPen(QPen(kTinte, 1.6));
            p.setBrush(QColor(0xE8, 0xF0, 0xFF, 200));
            p.drawEllipse(QPointF(15, 14), 4.5, 4.5);
            p.setPen(QPen(kTinte, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(18.3, 17.3), QPointF(22, 21));
            break;
        case Zeichen::Oeffnen: {
            p.setPen(QPen(QColor(0xB0, 0x50, 0x10), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(21, 9), QPointF(12, 18));
            p.setPen(QPen(kTinte, 1));
            p.drawLine(QPointF(12, 18), QPointF(10.5, 20.5));
            break;
        }
        case Zeichen::Neu:
            p.setPen(QPen(QColor(0x10, 0x80, 0x30), 2.4));
            p.drawLine(QPointF(18, 13), QPointF(18, 23));
            p.drawLine(QPointF(13, 18), QPointF(23, 18));
            break;
        }
        p.end();
        icon.addPixmap(bild);
    }
    return icon;
}

} // namespace

EntwurfLeiste::EntwurfLeiste(QWidget *parent)
    : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setStyleSheet(QStringLiteral("QToolBar { border: none; background: transparent; }"));

    m_vorschau = addAction(
        symbol(Zeichen::Vorschau), QStringLiteral("Seitenvorschau gewähltes Kalender-Design"));
    m_vorschau->setStatusTip(m_vorschau->toolTip());
    addSeparator();

    m_auswahl = new QComboBox;
    m_auswahl->setEditable(true);
    m_auswahl->setInsertPolicy(QComboBox::NoInsert);
    m_auswahl->setFixedWidth(282);
    m_auswahl->setMaxVisibleItems(16);
    m_auswahl->setToolTip(QStringLiteral("aktuelles Kalenderdesign"));
    m_auswahl->setStatusTip(m_auswahl->toolTip());
    addWidget(m_auswahl);
    addSeparator();
    m_titel = new QLabel(QStringLiteral("Kalenderformulare gestalten "));
    m_titel->setAlignment(Qt::AlignCenter);
    m_titel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_titel->setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
    // Within the bar's style sheet a palette colour would be ignored.
    m_titel->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(kNavy.name()));
    m_titel->setMargin(3);
    m_titel->setCursor(Qt::PointingHandCursor);
    m_titel->installEventFilter(this);
    addWidget(m_titel);
    addSeparator();
    m_oeffnen = addAction(symbol(Zeichen::Oeffnen), QStringLiteral("Designer öffnen"));
    m_oeffnen->setStatusTip(m_oeffnen->toolTip());
    addSeparator();
    m_neu = addAction(symbol(Zeichen::Neu), QStringLiteral("Formulardatei neu anlegen"));
    m_neu->setStatusTip(m_neu->toolTip());

    connect(m_vorschau, &QAction::triggered, this, &EntwurfLeiste::vorschauGewaehlt);
    connect(m_oeffnen, &QAction::triggered, this, &EntwurfLeiste::oeffnenGewaehlt);
    connect(m_neu, &QAction::triggered, this, &EntwurfLeiste::neuGewaehlt);
    connect(m_auswahl, &QComboBox::editTextChanged, this, &EntwurfLeiste::nameGeaendert);
}

void EntwurfLeiste::auffrischen(const QString &verzeichnis, const QString &gespeichert)
{
    const QSignalBlocker b(m_auswahl);
    m_auswahl->clear();
    m_auswahl->addItems(entwurfsnamen(verzeichnis));
    m_auswahl->setCurrentIndex(-1);
    m_auswahl->setEditText(gespeichert);
}

QString EntwurfLeiste::entwurfsname() const
{
    return m_auswahl->currentText();
}

bool EntwurfLeiste::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_titel && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Q_EMIT oeffnenGewaehlt();
        return true;
    }
    return QToolBar::eventFilter(watched, event);
}

} // namespace kb::designer
