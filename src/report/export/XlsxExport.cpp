#include "report/export/Export.h"
#include "report/export/TextRows.h"

#include "platform/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <xlsxwriter.h>

namespace kb::report {
namespace {

// Excel measures column widths in characters of its default font, about 7 pixels each.
constexpr double kPixelsPerCharacter = 7.0;
// Texts whose left edges lie this close together share a column.
constexpr double kColumnTolerance = 4.0;
constexpr int kMaxCellText = 32767;

// Frees a workbook that is given up without writing it; a finished one goes to workbook_close().
struct WorkbookFree {
    void operator()(lxw_workbook *wb) const { lxw_workbook_free(wb); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

[[noreturn]] void fail(lxw_error error)
{
    throw Error(QStringLiteral("Die Excel-Datei konnte nicht geschrieben werden (%1).")
                    .arg(QString::fromUtf8(lxw_strerror(error))));
}

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        fail(error);
}

// One cell format per distinct font and colour.
class Formats {
public:
    explicit Formats(lxw_workbook *wb)
        : m_wb(wb)
    {
    }

    lxw_format *get(const TextItem &t)
    {
        const FontSpec &f = t.font;
        const auto key = std::make_tuple(f.family, f.pointSize, f.bold, f.italic, f.underline,
            f.strikeOut, t.color.rgb() & 0xFFFFFF);
        if (auto it = m_formats.find(key); it != m_formats.end())
            return it->second;
        lxw_format *format = workbook_add_format(m_wb);
        const QByteArray family = f.family.toUtf8();
        format_set_font_name(format, family.constData());
        format_set_font_size(format, f.pointSize);
        format_set_font_color(format, t.color.rgb() & 0xFFFFFF);
        if (f.bold)
            format_set_bold(format);
        if (f.italic)
            format_set_italic(format);
        if (f.underline)
            format_set_underline(format, LXW_UNDERLINE_SINGLE);
        if (f.strikeOut)
            format_set_font_strikeout(format);
        format_set_align(format, LXW_ALIGN_VERTICAL_BOTTOM);
        m_formats.emplace(key, format);
        return format;
    }

private:
    using Key = std::tuple<QString, double, bool, bool, bool, bool, QRgb>;
    lxw_workbook *m_wb;
    std::map<Key, lxw_format *> m_formats;
};

// The columns of a page: the left edges of its texts, close ones merged.
std::vector<double> columnStarts(const std::vector<TextRow> &rows)
{
    std::vector<double> lefts;
    for (const TextRow &row : rows) {
        for (const TextCell &cell : row.cells)
            lefts.push_back(cell.left);
    }
    std::sort(lefts.begin(), lefts.end());
    std::vector<double> starts;
    for (double left : lefts) {
        if (starts.empty() || left - starts.back() > kColumnTolerance)
            starts.push_back(left);
    }
    return starts;
}

lxw_col_t columnOf(const std::vector<double> &starts, double left)
{
    const auto it = std::upper_bound(starts.begin(), starts.end(), left);
    return static_cast<lxw_col_t>(std::max<std::ptrdiff_t>(0, it - starts.begin() - 1));
}

void setColumnWidths(
    lxw_worksheet *ws, const std::vector<TextRow> &rows, const std::vector<double> &starts)
{
    std::vector<double> ends(starts.size(), 0.0);
    for (const TextRow &row : rows) {
        for (const TextCell &cell : row.cells) {
            double &end = ends[columnOf(starts, cell.left)];
            end = std::max(end, cell.right);
        }
    }
    for (std::size_t c = 0; c < starts.size(); ++c) {
        const double end = c + 1 < starts.size() ? starts[c + 1] : ends[c];
        const double width = std::max(1.0, (end - starts[c]) / kPixelsPerCharacter);
        check(worksheet_set_column(
            ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr));
    }
}

void writePage(lxw_workbook *wb, Formats &formats, const Page &page, int number)
{
    const QByteArray name = QStringLiteral("Seite %1").arg(number).toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(wb, name.constData());
    if (!ws)
        fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    const std::vector<TextRow> rows = textRows(page);
    const std::vector<double> starts = columnStarts(rows);
    setColumnWidths(ws, rows, starts);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(r);
        const double heightPt = (rows[r].bottom - rows[r].top) * 72.0 / kPixelsPerInch;
        check(worksheet_set_row(ws, row, std::max(12.0, heightPt), nullptr));
        // Texts landing in the same cell are joined, left to right.
        std::map<lxw_col_t, std::pair<QString, const TextItem *>> cells;
        for (const TextCell &cell : rows[r].cells) {
            auto &[text, item] = cells[columnOf(starts, cell.left)];
            text = text.isEmpty() ? cell.text : text + QLatin1Char(' ') + cell.text;
            if (!item)
                item = cell.item;
        }
        for (const auto &[col, content] : cells) {
            const QByteArray utf8 = content.first.left(kMaxCellText).toUtf8();
            check(worksheet_write_string(
                ws, row, col, utf8.constData(), formats.get(*content.second)));
        }
    }
}

} // namespace

QByteArray xlsxExport(const Document &doc)
{
    // The library writes to a file of its own; the caller writes the bytes where they belong.
    QTemporaryDir dir;
    if (!dir.isValid())
        throw Error(QStringLiteral("Es konnte kein temporäres Verzeichnis angelegt werden."));
    const QString path = dir.filePath(QStringLiteral("export.xlsx"));
    const QByteArray nativePath = QFile::encodeName(path);
    lxw_workbook_options options {};
    const QByteArray tmp = QFile::encodeName(dir.path());
    options.tmpdir = const_cast<char *>(tmp.constData());
    WorkbookPtr wb(workbook_new_opt(nativePath.constData(), &options));
    if (!wb)
        fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    const QByteArray title = doc.title.toUtf8();
    lxw_doc_properties properties {};
    properties.title = const_cast<char *>(title.constData());
    check(workbook_set_properties(wb.get(), &properties));
    Formats formats(wb.get());
    for (std::size_t i = 0; i < doc.pages.size(); ++i)
        writePage(wb.get(), formats, doc.pages[i], static_cast<int>(i + 1));
    check(workbook_close(wb.release()));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Die Excel-Datei konnte nicht geschrieben werden."));
    return file.readAll();
}

} // namespace kb::report
