#include "report/DocumentFile.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QDataStream>
#include <QFile>

namespace kb::report {
namespace {

constexpr quint32 kMagic = 0x4b425250; // "KBRP"
// Version 2 adds what each band's printables drew (for the row exports); version 1 files
// still open.
constexpr quint16 kVersion = 2;
constexpr auto kStreamVersion = QDataStream::Qt_6_4;

enum class Tag : quint8 { Text = 1, Line = 2, Rect = 3, Picture = 4 };

QDataStream &operator<<(QDataStream &s, const FontSpec &f)
{
    return s << f.family << f.pointSize << f.bold << f.italic << f.underline << f.strikeOut;
}
QDataStream &operator>>(QDataStream &s, FontSpec &f)
{
    return s >> f.family >> f.pointSize >> f.bold >> f.italic >> f.underline >> f.strikeOut;
}
QDataStream &operator<<(QDataStream &s, const PenSpec &p)
{
    return s << p.color << p.width << qint32(p.style);
}
QDataStream &operator>>(QDataStream &s, PenSpec &p)
{
    qint32 style = 0;
    s >> p.color >> p.width >> style;
    p.style
        = style >= Qt::NoPen && style <= Qt::DashDotDotLine ? Qt::PenStyle(style) : Qt::SolidLine;
    return s;
}
template<class T> void writeOptional(QDataStream &s, const std::optional<T> &v)
{
    s << v.has_value();
    if (v)
        s << *v;
}
template<class T> void readOptional(QDataStream &s, std::optional<T> &v)
{
    bool has = false;
    s >> has;
    v.reset();
    if (has) {
        T value;
        s >> value;
        v = value;
    }
}

void writePrimitive(QDataStream &s, const Primitive &primitive)
{
    if (const auto *t = std::get_if<TextItem>(&primitive)) {
        s << quint8(Tag::Text) << t->rect << t->text << t->font << t->color << quint32(t->alignment)
          << t->wordWrap;
        writeOptional(s, t->background);
    } else if (const auto *l = std::get_if<LineItem>(&primitive)) {
        s << quint8(Tag::Line) << l->line << l->pen;
    } else if (const auto *r = std::get_if<RectItem>(&primitive)) {
        s << quint8(Tag::Rect) << r->rect;
        writeOptional(s, r->fill);
        writeOptional(s, r->frame);
    } else if (const auto *p = std::get_if<PictureItem>(&primitive)) {
        s << quint8(Tag::Picture) << p->rect << p->image;
    }
}

bool readPrimitive(QDataStream &s, Primitive &out)
{
    quint8 tag = 0;
    s >> tag;
    switch (Tag(tag)) {
    case Tag::Text: {
        TextItem t;
        quint32 alignment = 0;
        s >> t.rect >> t.text >> t.font >> t.color >> alignment >> t.wordWrap;
        t.alignment = Qt::Alignment(int(alignment));
        readOptional(s, t.background);
        out = std::move(t);
        return true;
    }
    case Tag::Line: {
        LineItem l;
        s >> l.line >> l.pen;
        out = l;
        return true;
    }
    case Tag::Rect: {
        RectItem r;
        s >> r.rect;
        readOptional(s, r.fill);
        readOptional(s, r.frame);
        out = r;
        return true;
    }
    case Tag::Picture: {
        PictureItem p;
        s >> p.rect >> p.image;
        out = std::move(p);
        return true;
    }
    }
    return false;
}

// True when [first, first + count) lies in [begin, end); no sum that could wrap around.
bool within(quint64 first, quint64 count, quint64 begin, quint64 end)
{
    return first >= begin && first <= end && count <= end - first;
}

void writePage(QDataStream &s, const Page &page)
{
    s << quint32(page.items.size());
    for (const Primitive &p : page.items)
        writePrimitive(s, p);
    s << quint32(page.bands.size());
    for (const PlacedBand &b : page.bands) {
        s << quint8(b.kind) << b.rect << qint32(b.column) << quint64(b.firstItem)
          << quint64(b.itemCount);
        writeOptional(s, b.background);
        s << quint32(b.printables.size());
        for (const PlacedPrintable &p : b.printables)
            s << p.rect << quint64(p.firstItem) << quint64(p.itemCount) << p.text;
    }
}

// The printables of a band lie inside the band's primitives.
bool readPrintables(QDataStream &s, PlacedBand &band)
{
    readOptional(s, band.background);
    quint32 count = 0;
    s >> count;
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        PlacedPrintable p;
        quint64 first = 0, items = 0;
        s >> p.rect >> first >> items >> p.text;
        if (!within(first, items, band.firstItem, band.firstItem + band.itemCount))
            return false;
        p.firstItem = first;
        p.itemCount = items;
        band.printables.push_back(p);
    }
    return s.status() == QDataStream::Ok;
}

// Counts come from the file: never trust them further than the data that follows.
bool readPage(QDataStream &s, quint16 version, Page &page)
{
    quint32 items = 0;
    s >> items;
    for (quint32 i = 0; i < items && s.status() == QDataStream::Ok; ++i) {
        Primitive p;
        if (!readPrimitive(s, p))
            return false;
        page.items.push_back(std::move(p));
    }
    quint32 bands = 0;
    s >> bands;
    for (quint32 i = 0; i < bands && s.status() == QDataStream::Ok; ++i) {
        PlacedBand b;
        quint8 kind = 0;
        qint32 column = 0;
        quint64 first = 0, count = 0;
        s >> kind >> b.rect >> column >> first >> count;
        if (kind > quint8(BandKind::Summary) || !within(first, count, 0, page.items.size()))
            return false;
        b.kind = BandKind(kind);
        b.column = column;
        b.firstItem = first;
        b.itemCount = count;
        if (version >= 2 && !readPrintables(s, b))
            return false;
        page.bands.push_back(std::move(b));
    }
    return s.status() == QDataStream::Ok;
}

[[noreturn]] void damaged(const QString &path)
{
    throw Error(QStringLiteral("Die Datei \"%1\" ist kein gespeicherter Bericht oder beschädigt.")
                    .arg(path));
}

} // namespace

QString documentSuffix()
{
    return QStringLiteral("kbr");
}

QString documentFileFilter()
{
    return QStringLiteral("Kronoblatt-Bericht (*.%1)").arg(documentSuffix());
}

void saveDocument(const Document &doc, const QString &path)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(kStreamVersion);
    s << kMagic << kVersion << doc.title << quint8(doc.paper) << quint8(doc.orientation)
      << doc.paperSizeMm << quint32(doc.pages.size());
    for (const Page &page : doc.pages)
        writePage(s, page);
    if (s.status() != QDataStream::Ok)
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(path));
    writeFileAtomically(path, bytes);
}

Document loadDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(path));
    QDataStream s(&file);
    s.setVersion(kStreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    s >> magic >> version;
    if (s.status() != QDataStream::Ok || magic != kMagic)
        damaged(path);
    if (version > kVersion)
        throw Error(QStringLiteral("Der Bericht \"%1\" stammt aus einer neueren Programmversion.")
                        .arg(path));
    Document doc;
    quint8 paper = 0, orientation = 0;
    quint32 pages = 0;
    s >> doc.title >> paper >> orientation >> doc.paperSizeMm >> pages;
    if (s.status() != QDataStream::Ok || paper > quint8(PaperSize::Custom)
        || orientation > quint8(Orientation::Landscape) || !doc.paperSizeMm.isValid()
        || doc.paperSizeMm.isEmpty())
        damaged(path);
    doc.paper = PaperSize(paper);
    doc.orientation = Orientation(orientation);
    for (quint32 i = 0; i < pages; ++i) {
        Page page;
        if (!readPage(s, version, page))
            damaged(path);
        doc.pages.push_back(std::move(page));
    }
    if (!s.atEnd())
        damaged(path);
    return doc;
}

} // namespace kb::report
