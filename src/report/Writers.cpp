#include "report/Writers.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "report/Renderer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

namespace kb::report {
namespace {

[[noreturn]] void cannotWrite(const QString &path)
{
    throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(path));
}

void commitBytes(const QString &path, const QByteArray &bytes)
{
    writeFileAtomically(path, bytes);
}

QPageLayout pageLayoutOf(const Document &doc)
{
    const QPageSize size(doc.paperSizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void writePdf(const Document &doc, const QString &path)
{
    // The PDF is made in memory: the writer ignores failed writes of its device, so only the
    // finished bytes go to the disk, where every write is checked.
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&file);
        constexpr int dpi = 1200;
        pdf.setResolution(dpi);
        pdf.setPageLayout(pageLayoutOf(doc));
        pdf.setTitle(doc.title);
        pdf.setCreator(QStringLiteral("Kronoblatt"));
        QPainter painter;
        if (!painter.begin(&pdf))
            cannotWrite(path);
        const double scale = dpi / kPixelsPerInch;
        for (std::size_t i = 0; i < doc.pages.size(); ++i) {
            if (i > 0)
                pdf.newPage();
            renderPage(doc.pages[i], painter, scale);
        }
        painter.end();
    }
    file.close();
    commitBytes(path, bytes);
}

QImage renderPageImage(const Document &doc, std::size_t pageIndex, double dpi)
{
    if (!(dpi > 0) || dpi > 4800)
        return {};
    const double scale = dpi / kPixelsPerInch;
    const QSizeF size = doc.pageSize() * scale;
    QImage image(int(std::ceil(size.width())), int(std::ceil(size.height())),
        QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    if (pageIndex < doc.pages.size()) {
        QPainter painter(&image);
        renderPage(doc.pages[pageIndex], painter, scale);
    }
    return image;
}

QStringList pageFileNames(const QString &path, std::size_t pageCount)
{
    // Always numbered, also for one page, so scripts find "<name>-1.<suffix>" whatever the count.
    const QFileInfo info(path);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QStringList names;
    for (std::size_t i = 1; i <= pageCount; ++i)
        names.append(QStringLiteral("%1-%2%3").arg(stem).arg(i).arg(suffix));
    return names;
}

QStringList writePng(const Document &doc, const QString &path, double dpi)
{
    const QStringList names = pageFileNames(path, doc.pages.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QImage image = renderPageImage(doc, std::size_t(i), dpi);
        if (image.isNull())
            throw Error(QStringLiteral("Die Seite ist bei %1 dpi zu groß für ein Bild.").arg(dpi));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            cannotWrite(names[i]);
        commitBytes(names[i], bytes);
    }
    return names;
}

QStringList writeSvg(const Document &doc, const QString &path)
{
    const QStringList names = pageFileNames(path, doc.pages.size());
    const QSizeF size = doc.pageSize();
    for (qsizetype i = 0; i < names.size(); ++i) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setResolution(int(kPixelsPerInch));
            svg.setSize(QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))));
            svg.setViewBox(QRectF(QPointF(0, 0), size));
            svg.setTitle(doc.title);
            QPainter painter;
            if (!painter.begin(&svg))
                cannotWrite(names[i]);
            painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
            if (std::size_t(i) < doc.pages.size())
                renderPage(doc.pages[std::size_t(i)], painter, 1.0);
            painter.end();
        }
        commitBytes(names[i], bytes);
    }
    return names;
}

} // namespace kb::report
