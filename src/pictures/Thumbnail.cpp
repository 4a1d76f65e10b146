#include "pictures/Thumbnail.h"

#include "pictures/Bildregeln.h"
#include "platform/Error.h"
#include "report/Fonts.h"

#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QSet>

namespace kb {

int thumbnailHoehe(QSize quelle)
{
    const int w = quelle.width();
    const int h = quelle.height();
    if (w <= 0 || h <= 0)
        return 0;
    const int a = w / (h / 120 + 1);
    int hoehe = 120;
    if (a > 90)
        hoehe = h / (w / 90); // a > 90 means w > 90, so w div 90 is at least 1
    else if (a < 90)
        hoehe = 119;
    return std::max(hoehe, 1);
}

QImage thumbnailBauen(const QImage &quelle, const QString &name, QSize dateiGroesse)
{
    QImage bild(kThumbnailGroesse, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.fillRect(QRect(QPoint(0, 0), QPoint(121, 91)), QColor::fromRgb(kThumbnailGrau));
    if (!quelle.isNull()) {
        const int hoehe = thumbnailHoehe(dateiGroesse.isValid() ? dateiGroesse : quelle.size());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(0, 60 - hoehe / 2, kThumbnailGroesse.width(), hoehe), quelle);
    }
    QFont schrift(report::installedFamily(QStringLiteral("Small Fonts")));
    schrift.setPointSize(7);
    p.setFont(schrift);
    p.setPen(Qt::black);
    // The name's top at 110, as the old text output placed it.
    p.drawText(QRect(0, 110, kThumbnailGroesse.width(), 10), Qt::AlignLeft | Qt::AlignTop, name);
    return bild;
}

QImage thumbnailAusDatei(const QString &pfad)
{
    const QString name = QFileInfo(pfad).fileName();
    QImage quelle;
    QSize dateiGroesse;
    try {
        // The decode need be no larger than the picture is drawn on the thumbnail.
        quelle = bildLesenFuer(
            pfad,
            [&dateiGroesse](QSize s) {
                dateiGroesse = s;
                return QSize(kThumbnailGroesse.width(), thumbnailHoehe(s));
            },
            jpeg::Nachsicht::Nachsichtig);
        const int hoehe = thumbnailHoehe(dateiGroesse.isValid() ? dateiGroesse : quelle.size());
        // A bitmap comes at full size: scaled down once here, not at every paint.
        if (quelle.width() > 4 * kThumbnailGroesse.width())
            quelle = quelle.scaled(
                kThumbnailGroesse.width(), hoehe, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } catch (const Error &) {
        quelle = QImage(); // grey, with its name
    } catch (const std::bad_alloc &) {
        quelle = QImage();
    }
    return thumbnailBauen(quelle, name, dateiGroesse);
}

QString Bilddatei::schluessel() const
{
    return pfad + QLatin1Char('\n') + QString::number(groesse) + QLatin1Char('\n')
        + QString::number(geaendert.toMSecsSinceEpoch());
}

ThumbnailCache::ThumbnailCache(qint64 kosten)
    : m_cache(kosten)
{
}

const QImage *ThumbnailCache::finden(const QString &schluessel) const
{
    return m_cache.object(schluessel);
}

void ThumbnailCache::ablegen(const QString &schluessel, const QImage &thumbnail)
{
    m_cache.insert(schluessel, new QImage(thumbnail), thumbnail.sizeInBytes());
}

ThumbnailCache &thumbnailCache()
{
    static ThumbnailCache cache;
    return cache;
}

ThumbnailLader::ThumbnailLader(ThumbnailCache &cache, QObject *parent)
    : QObject(parent)
    , m_cache(cache)
    , m_lebt(std::make_shared<std::atomic<bool>>(true))
{
    // Leave a core to the user interface on small machines.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

ThumbnailLader::~ThumbnailLader()
{
    m_lebt->store(false);
    {
        QMutexLocker lock(&m_mutex);
        m_warteschlange.clear();
    }
    m_pool.waitForDone();
}

void ThumbnailLader::anfordern(const Bilddatei &datei)
{
    const QString schluessel = datei.schluessel();
    if (m_cache.finden(schluessel))
        return;
    {
        QMutexLocker lock(&m_mutex);
        if (m_unterwegs.contains(schluessel))
            return;
        m_unterwegs.insert(schluessel);
        m_warteschlange.push_back(datei);
    }
    m_pool.start([this] { arbeiten(); });
}

void ThumbnailLader::nurNoch(const QSet<QString> &schluessel)
{
    QMutexLocker lock(&m_mutex);
    std::deque<Bilddatei> bleiben;
    for (Bilddatei &d : m_warteschlange) {
        const QString k = d.schluessel();
        if (schluessel.contains(k))
            bleiben.push_back(std::move(d));
        else
            m_unterwegs.remove(k);
    }
    m_warteschlange.swap(bleiben);
}

bool ThumbnailLader::wartet(const QString &schluessel) const
{
    QMutexLocker lock(&m_mutex);
    return m_unterwegs.contains(schluessel);
}

void ThumbnailLader::warten()
{
    m_pool.waitForDone();
}

// One run takes the newest request: the cells the user looks at now come first.
void ThumbnailLader::arbeiten()
{
    Bilddatei datei;
    {
        QMutexLocker lock(&m_mutex);
        if (m_warteschlange.empty())
            return; // dropped by nurNoch
        datei = std::move(m_warteschlange.back());
        m_warteschlange.pop_back();
    }
    const QImage thumbnail = thumbnailAusDatei(datei.pfad);
    const QString schluessel = datei.schluessel();
    std::shared_ptr<std::atomic<bool>> lebt = m_lebt;
    QMetaObject::invokeMethod(
        this,
        [this, lebt, schluessel, thumbnail] {
            if (lebt->load())
                abgeben(schluessel, thumbnail);
        },
        Qt::QueuedConnection);
}

void ThumbnailLader::abgeben(const QString &schluessel, const QImage &thumbnail)
{
    {
        QMutexLocker lock(&m_mutex);
        m_unterwegs.remove(schluessel);
    }
    m_cache.ablegen(schluessel, thumbnail);
    Q_EMIT fertig(schluessel);
}

} // namespace kb
