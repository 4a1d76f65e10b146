#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <deque>
#include <memory>

namespace kb {

// A thumbnail is 90 pixels wide and 120 high.
inline constexpr QSize kThumbnailGroesse(90, 120);
// The grey of the thumbnail's background and of a file that is no picture.
inline constexpr QRgb kThumbnailGrau = 0xff808080;

// The height a picture of `quelle` is drawn with on a thumbnail; its width is always 90. The
// old rule of the browser: a = W div (H div 120 + 1); above 90 the picture is drawn
// H div (W div 90) high, below 90 at 119, at exactly 90 at 120. Never below 1.
int thumbnailHoehe(QSize quelle);

// The thumbnail of `quelle` (which may be empty: a file that is no picture): 90 × 120, grey
// from the top down to row 91, the picture stretched to 90 × thumbnailHoehe() and centred
// vertically, and the file name at (0, 110) in "Small Fonts" 7. The height follows the size
// of the picture in its file (`dateiGroesse`; when invalid, the size of `quelle`): the rule
// gives another height for a picture decoded at a reduced scale.
QImage thumbnailBauen(const QImage &quelle, const QString &name, QSize dateiGroesse = {});

// The thumbnail of a picture file. A JPEG is decoded with DCT scaling at no more than the
// thumbnail needs and a damaged one as far as it can be read; a file that cannot be read or
// is too large gets the grey thumbnail with its name. Never throws; safe on any thread.
QImage thumbnailAusDatei(const QString &pfad);

// A file as the picture browser lists it; size and modification time make a changed file a
// new entry of the thumbnail cache.
struct Bilddatei {
    QString name;
    QString pfad;
    qint64 groesse = 0;
    QDateTime geaendert;

    QString schluessel() const;
};

// Thumbnails in memory, at most `kosten` bytes, the least recently used dropped first. One
// cache serves the whole run, so a folder shown again paints at once. User-interface thread
// only.
class ThumbnailCache {
public:
    explicit ThumbnailCache(qint64 kosten = 64LL * 1024 * 1024);

    const QImage *finden(const QString &schluessel) const;
    void ablegen(const QString &schluessel, const QImage &thumbnail);
    int anzahl() const { return m_cache.count(); }
    qint64 bytes() const { return m_cache.totalCost(); }
    void leeren() { m_cache.clear(); }

private:
    mutable QCache<QString, QImage> m_cache;
};

// The cache of the run.
ThumbnailCache &thumbnailCache();

// Makes thumbnails off the user-interface thread. Requests wait in a queue; `nurNoch` drops
// those no longer wanted (cells scrolled out of view), so a folder of thousands of files costs
// only what is shown. A finished thumbnail goes into the cache and is announced by `fertig`
// on the thread the loader lives on.
class ThumbnailLader : public QObject {
    Q_OBJECT
public:
    explicit ThumbnailLader(ThumbnailCache &cache, QObject *parent = nullptr);
    ~ThumbnailLader() override;

    // Queues `datei` unless its thumbnail is cached or already on its way.
    void anfordern(const Bilddatei &datei);
    // Drops the queued requests whose key is not in `schluessel`; running ones finish.
    void nurNoch(const QSet<QString> &schluessel);
    // True while `schluessel` is queued or being made.
    bool wartet(const QString &schluessel) const;
    // Blocks until nothing is queued or running (tests, benchmarks).
    void warten();

Q_SIGNALS:
    void fertig(const QString &schluessel);

private:
    void arbeiten();
    void abgeben(const QString &schluessel, const QImage &thumbnail);

    ThumbnailCache &m_cache;
    QThreadPool m_pool;
    mutable QMutex m_mutex;
    std::deque<Bilddatei> m_warteschlange;
    QSet<QString> m_unterwegs; // queued or running
    std::shared_ptr<std::atomic<bool>> m_lebt;
};

} // namespace kb
