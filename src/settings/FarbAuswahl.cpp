#include "settings/FarbAuswahl.h"

#include "platform/Ui.h"
#include "settings/ColorValue.h"

#include <QPainter>
#include <QPixmap>

namespace kb {

namespace {

constexpr int kEigene = 0; // the index of "Benutzerdefiniert..."

QIcon swatch(qint32 wert)
{
    QPixmap pm(18, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QRect r = pm.rect().adjusted(0, 0, -1, -1);
    const QColor c = toQColor(wert);
    if (wert == kColorNone) {
        p.fillRect(r, Qt::white);
        p.setPen(Qt::red);
        p.drawLine(r.topLeft(), r.bottomRight());
    } else if (c.isValid()) {
        p.fillRect(r, c);
    }
    p.setPen(Qt::black);
    p.drawRect(r);
    return QIcon(pm);
}

} // namespace

FarbAuswahl::FarbAuswahl(bool mitNoneUndDefault, QWidget *parent)
    : QComboBox(parent)
    , m_mitNoneUndDefault(mitNoneUndDefault)
{
    setMaxVisibleItems(16);
    addItem(swatch(0), QStringLiteral("Benutzerdefiniert..."), 0);
    for (const FarbEintrag &e : farbEintraege(mitNoneUndDefault))
        addItem(swatch(e.wert), e.name, e.wert);
    setMinimumContentsLength(12);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, &FarbAuswahl::gewaehlt);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { Q_EMIT wertGeaendert(wert()); });
}

qint32 FarbAuswahl::wert() const
{
    return currentData().toInt();
}

void FarbAuswahl::setWert(qint32 wert)
{
    const int i = farbIndex(wert, m_mitNoneUndDefault);
    if (i < 0) {
        eigeneFarbeSetzen(wert);
        setCurrentIndex(kEigene);
    } else {
        setCurrentIndex(i + 1);
    }
}

void FarbAuswahl::eigeneFarbeSetzen(qint32 wert)
{
    setItemData(kEigene, wert);
    setItemIcon(kEigene, swatch(wert));
}

void FarbAuswahl::gewaehlt(int index)
{
    if (index != kEigene)
        return;
    QColor start = toQColor(itemData(kEigene).toInt());
    if (!start.isValid())
        start = Qt::white;
    if (const auto farbe = ui().color(start)) {
        eigeneFarbeSetzen(fromQColor(*farbe));
        Q_EMIT wertGeaendert(wert());
    }
}

} // namespace kb
