#include "report/export/Export.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "report/Writers.h"
#include "report/export/WmfWriter.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <map>
#include <optional>

namespace kb::report {
namespace {

enum class Format { Pdf, Png, Svg, Wmf, Html, Csv, Text, Rtf, Xlsx };

std::optional<Format> formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    static const std::map<QString, Format> formats = {
        { QStringLiteral("pdf"), Format::Pdf },
        { QStringLiteral("png"), Format::Png },
        { QStringLiteral("svg"), Format::Svg },
        { QStringLiteral("wmf"), Format::Wmf },
        { QStringLiteral("html"), Format::Html },
        { QStringLiteral("htm"), Format::Html },
        { QStringLiteral("csv"), Format::Csv },
        { QStringLiteral("txt"), Format::Text },
        { QStringLiteral("rtf"), Format::Rtf },
        { QStringLiteral("xlsx"), Format::Xlsx },
    };
    const auto it = formats.find(suffix);
    if (it == formats.end())
        return std::nullopt;
    return it->second;
}

// Writes beside the target and renames, so the target is complete or untouched.
void saveFile(const QString &path, const QByteArray &bytes)
{
    writeFileAtomically(path, bytes);
}

QStringList writePages(
    const Document &doc, const QString &path, const std::function<QByteArray(int)> &page)
{
    const QStringList names = pageFileNames(path, doc.pages.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        saveFile(names[i], page(static_cast<int>(i)));
    return names;
}

QStringList writeOne(const QString &path, const QByteArray &bytes)
{
    saveFile(path, bytes);
    return { path };
}

} // namespace

bool isExportFormat(const QString &path)
{
    return formatOf(path).has_value();
}

QString exportFileFilter()
{
    return QStringLiteral("PDF-Datei (*.pdf);;"
                          "PNG-Bilder, eine Datei je Seite (*.png);;"
                          "SVG-Grafiken, eine Datei je Seite (*.svg);;"
                          "Windows-Metadateien, eine Datei je Seite (*.wmf);;"
                          "HTML-Datei (*.html *.htm);;"
                          "CSV-Datei (*.csv);;"
                          "Textdatei (*.txt);;"
                          "RTF-Dokument (*.rtf);;"
                          "Excel-Arbeitsmappe (*.xlsx)");
}

QByteArray wmfExport(const Document &doc, int pageIndex)
{
    WmfWriter writer(doc.pageSize());
    for (const Primitive &item : doc.pages.at(static_cast<std::size_t>(pageIndex)).items)
        writer.draw(item);
    return writer.finish();
}

QStringList exportDocument(const Document &doc, const QString &path, const ExportOptions &options)
{
    const std::optional<Format> format = formatOf(path);
    if (!format) {
        throw Error(QStringLiteral("Das Format der Datei \"%1\" kann nicht exportiert werden.")
                        .arg(QDir::toNativeSeparators(path)));
    }
    if (doc.pages.empty())
        throw Error(QStringLiteral("Der Bericht hat keine Seiten."));
    switch (*format) {
    case Format::Pdf:
        writePdf(doc, path);
        return { path };
    case Format::Png:
        return writePng(doc, path, options.pngDpi);
    case Format::Svg:
        return writeSvg(doc, path);
    case Format::Wmf:
        return writePages(doc, path, [&](int i) { return wmfExport(doc, i); });
    case Format::Html:
        return writeOne(path, htmlExport(doc));
    case Format::Csv:
        return writeOne(path, csvExport(doc));
    case Format::Text:
        return writeOne(path, plainTextExport(doc));
    case Format::Rtf:
        return writeOne(path, rtfExport(doc));
    case Format::Xlsx:
        return writeOne(path, xlsxExport(doc));
    }
    return {};
}

} // namespace kb::report
