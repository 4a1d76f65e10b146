#include "pictures/MonatsKacheln.h"

#include "platform/MitMeldung.h"
#include "storage/Table.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kb {

namespace {

constexpr int kSpalten = 4;
constexpr int kZeilen = 3;
constexpr int kMonate = kSpalten * kZeilen;
const QString kBild = QStringLiteral("Bild");
const QString kText = QStringLiteral("TextMonat");
const QString kMonat = QStringLiteral("MonatNR");

int zeilen(const Table *t)
{
    return t && t->isOpen() ? std::min(t->recordCount(), kMonate) : 0;
}

// Makes row `index` current; a change pending on another month is posted first.
bool zeileWaehlen(Table *t, int index)
{
    if (index < 0 || index >= zeilen(t))
        return false;
    if (t->currentRow() == index)
        return true;
    return mitMeldung([&] { t->setRecNo(index + 1); });
}

void tabelleVerbinden(Table *t, QObject *ziel, const std::function<void()> &neu)
{
    for (auto signal : { &Table::recordsReset, &Table::currentChanged, &Table::valuesChanged })
        QObject::connect(t, signal, ziel, neu);
}

} // namespace

BilderRaster::BilderRaster(Table *bilder, QWidget *parent)
    : QWidget(parent)
    , m_tabelle(bilder)
{
    setToolTip(QStringLiteral("Doppelklick um Bild zu bearbeiten"));
    setStatusTip(toolTip());
    tabelleVerbinden(bilder, this, [this] { neuLesen(); });
    neuLesen();
}

QRect BilderRaster::kachel(int index)
{
    const int spalte = index % kSpalten, zeile = index / kSpalten;
    return QRect(QPoint(kAbstand + spalte * (kKachel.width() + kAbstand),
                     kAbstand + zeile * (kKachel.height() + kAbstand)),
        kKachel);
}

int BilderRaster::kachelBei(const QPoint &punkt)
{
    for (int i = 0; i < kMonate; ++i) {
        if (kachel(i).contains(punkt))
            return i;
    }
    return -1;
}

QSize BilderRaster::sizeHint() const
{
    const QRect letzte = kachel(kMonate - 1);
    return QSize(letzte.right() + 1 + kAbstand, letzte.bottom() + 1 + kAbstand);
}

void BilderRaster::neuLesen()
{
    const int n = zeilen(m_tabelle);
    m_daten.resize(n);
    m_bilder.resize(n);
    m_monate.resize(n);
    for (int i = 0; i < n; ++i) {
        mitMeldung([&] {
            m_monate[i] = m_tabelle->valueAt(i, kMonat).toInt();
            const QByteArray daten = m_tabelle->valueAt(i, kBild).toByteArray();
            // Typing a month text changes the record, not its picture: decode only new bytes.
            if (daten != m_daten[i] || (m_bilder[i].isNull() && !daten.isEmpty())) {
                m_daten[i] = daten;
                m_bilder[i] = daten.isEmpty() ? QImage() : QImage::fromData(daten);
            }
        });
    }
    update();
}

void BilderRaster::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont fett = font();
    fett.setBold(true);
    fett.setPointSize(10);
    p.setFont(fett);
    const int aktuell = m_tabelle && m_tabelle->isOpen() ? m_tabelle->currentRow() : -1;
    for (int i = 0; i < kMonate; ++i) {
        const QRect r = kachel(i);
        p.fillRect(r, QColor(0x80, 0x80, 0x80));
        if (i < m_bilder.size() && !m_bilder[i].isNull())
            p.drawImage(r, m_bilder[i]);
        if (i < m_monate.size()) {
            p.setPen(Qt::black);
            p.drawText(
                r.adjusted(5, 3, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(m_monate[i]));
            p.setPen(Qt::white);
            p.drawText(
                r.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(m_monate[i]));
        }
        const bool gewaehlt = i == aktuell;
        p.setPen(
            QPen(gewaehlt ? QColor(0x00, 0x00, 0x80) : QColor(0xa0, 0xa0, 0xa0), gewaehlt ? 4 : 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(gewaehlt ? r.adjusted(-2, -2, 2, 2) : r.adjusted(0, 0, -1, -1));
    }
}

bool BilderRaster::waehlen(int index)
{
    return zeileWaehlen(m_tabelle, index);
}

void BilderRaster::mousePressEvent(QMouseEvent *event)
{
    waehlen(kachelBei(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

void BilderRaster::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = kachelBei(event->position().toPoint());
    if (waehlen(index) && !m_bilder.value(index).isNull())
        Q_EMIT vergroessernGewuenscht();
}

void BilderRaster::contextMenuEvent(QContextMenuEvent *event)
{
    if (!waehlen(kachelBei(event->pos())))
        return;
    QMenu menu(this);
    QAction *einfuegen = menu.addAction(QStringLiteral("Bild einfügen"));
    if (menu.exec(event->globalPos()) == einfuegen)
        Q_EMIT browserGewuenscht();
}

TexteRaster::TexteRaster(Table *bilder, QWidget *parent)
    : QWidget(parent)
    , m_tabelle(bilder)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    m_kopf = new QLabel(this);
    m_kopf->setAutoFillBackground(true);
    QPalette kopfFarben = m_kopf->palette();
    kopfFarben.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    kopfFarben.setColor(QPalette::WindowText, Qt::white);
    m_kopf->setPalette(kopfFarben);
    QFont kopfSchrift = m_kopf->font();
    kopfSchrift.setBold(true);
    kopfSchrift.setPixelSize(16);
    m_kopf->setFont(kopfSchrift);
    m_kopf->setContentsMargins(8, 3, 8, 3);
    v->addWidget(m_kopf);

    auto *raster = new QGridLayout;
    raster->setSpacing(4);
    for (int i = 0; i < kMonate; ++i) {
        auto *feld = new QFrame(this);
        feld->setFrameShape(QFrame::StyledPanel);
        auto *fv = new QVBoxLayout(feld);
        fv->setContentsMargins(2, 2, 2, 2);
        fv->setSpacing(1);
        auto *nummer = new QLabel(feld);
        QFont fett = nummer->font();
        fett.setBold(true);
        nummer->setFont(fett);
        auto *text = new QPlainTextEdit(feld);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setTabChangesFocus(false);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setToolTip(QStringLiteral("Doppelklick um Text aus einer Datei zu laden...."));
        text->setStatusTip(text->toolTip());
        text->installEventFilter(this);
        text->viewport()->installEventFilter(this);
        connect(text, &QPlainTextEdit::textChanged, this, [this, i] { getippt(i); });
        fv->addWidget(nummer);
        fv->addWidget(text, 1);
        raster->addWidget(feld, i / kSpalten, i % kSpalten);
        m_nummern.append(nummer);
        m_texte.append(text);
    }
    v->addLayout(raster, 1);
    tabelleVerbinden(bilder, this, [this] { neuLesen(); });
    neuLesen();
}

void TexteRaster::setMonatsname(const QString &name)
{
    m_kopf->setText(name);
}

void TexteRaster::neuLesen()
{
    m_zeigt = true;
    const int n = zeilen(m_tabelle);
    const int aktuell = n > 0 ? m_tabelle->currentRow() : -1;
    for (int i = 0; i < kMonate; ++i) {
        QString nummer, text;
        if (i < n) {
            mitMeldung([&] {
                nummer = QString::number(m_tabelle->valueAt(i, kMonat).toInt());
                text = m_tabelle->valueAt(i, kText).toString();
            });
        }
        m_nummern[i]->setText(nummer);
        // The panel being typed in shows what was typed; an unchanged text stays, so the
        // cursor stays too.
        if (i != m_tippt && m_texte[i]->toPlainText() != text)
            m_texte[i]->setPlainText(text);
        m_texte[i]->setEnabled(i < n);
        QPalette pal = m_nummern[i]->palette();
        pal.setColor(QPalette::WindowText, i == aktuell ? QColor(0x00, 0x00, 0x80) : Qt::black);
        m_nummern[i]->setPalette(pal);
    }
    m_zeigt = false;
}

bool TexteRaster::waehlen(int index)
{
    return zeileWaehlen(m_tabelle, index);
}

void TexteRaster::getippt(int index)
{
    if (m_zeigt)
        return;
    const QString text = m_texte[index]->toPlainText();
    if (!waehlen(index)) {
        neuLesen();
        return;
    }
    m_tippt = index;
    const bool ok = mitMeldung([&] { m_tabelle->setString(kText, text); });
    m_tippt = -1;
    if (!ok)
        neuLesen();
}

bool TexteRaster::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < m_texte.size(); ++i) {
        QPlainTextEdit *text = m_texte[i];
        if (watched == text && event->type() == QEvent::FocusIn) {
            waehlen(i);
            break;
        }
        if (watched == text->viewport() && event->type() == QEvent::MouseButtonDblClick) {
            if (waehlen(i))
                Q_EMIT textLadenGewuenscht();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

EinzelBild::EinzelBild(QWidget *parent)
    : QWidget(parent)
{
}

void EinzelBild::setBild(const QImage &bild)
{
    m_bild = bild;
    update();
}

QRect EinzelBild::bildRect() const
{
    if (m_bild.isNull())
        return {};
    const QSize groesse = m_bild.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(
        QPoint((width() - groesse.width()) / 2, (height() - groesse.height()) / 2), groesse);
}

void EinzelBild::paintEvent(QPaintEvent *)
{
    if (m_bild.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(bildRect(), m_bild);
}

void EinzelBild::mouseDoubleClickEvent(QMouseEvent *)
{
    Q_EMIT doppelklick();
}

} // namespace kb
