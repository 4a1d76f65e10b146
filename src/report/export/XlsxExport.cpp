#include "report/export/BandRows.h"
#include "report/export/Export.h"

#include "platform/Error.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <xlsxwriter.h>

namespace kb::report {
namespace {

// Excel row heights are points; column widths characters of its default font.
constexpr double kPointsPerPixel = 72.0 / kPixelsPerInch;
constexpr double kMaxColumnWidth = 80;
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

// A field that shows a plain German number ("7", "-3", "12,50") becomes a number cell: digits
// with an optional decimal comma, no leading zero (a "0815" stays text, as typed). nullopt for
// any other text.
struct Number {
    double value = 0;
    int decimals = 0;
};

std::optional<Number> numberIn(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^-?(0|[1-9][0-9]{0,14})(,[0-9]{1,6})?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale(QLocale::German).toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return Number { value, comma < 0 ? 0 : int(text.size() - comma - 1) };
}

// How one cell looks: the text's font and colour, the fill and, for numbers, the decimals.
struct CellLook {
    const TextItem *item = nullptr;
    std::optional<QColor> fill;
    int decimals = -1; // -1: text

    auto key() const
    {
        const FontSpec f = item ? item->font : FontSpec {};
        const QRgb color = item ? item->color.rgb() & 0xFFFFFF : 0;
        const int align = item ? int(item->alignment & Qt::AlignHorizontal_Mask) : 0;
        const QRgb fillRgb = fill ? fill->rgb() & 0xFFFFFF : 0;
        return std::make_tuple(f.family, f.pointSize, f.bold, f.italic, f.underline, f.strikeOut,
            color, align, fill.has_value(), fillRgb, decimals);
    }
};

// One cell format per distinct look.
class Formats {
public:
    explicit Formats(lxw_workbook *wb)
        : m_wb(wb)
    {
    }

    lxw_format *get(const CellLook &look)
    {
        const auto key = look.key();
        if (auto it = m_formats.find(key); it != m_formats.end())
            return it->second;
        lxw_format *format = workbook_add_format(m_wb);
        if (!format)
            fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        if (look.item)
            setFont(format, *look.item);
        if (look.fill) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, look.fill->rgb() & 0xFFFFFF);
        }
        if (look.decimals > 0) {
            const QByteArray pattern = "0." + QByteArray(look.decimals, '0');
            format_set_num_format(format, pattern.constData());
        }
        format_set_align(format, LXW_ALIGN_VERTICAL_BOTTOM);
        m_formats.emplace(key, format);
        return format;
    }

private:
    static void setFont(lxw_format *format, const TextItem &t)
    {
        const FontSpec &f = t.font;
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
        if (t.alignment & Qt::AlignRight)
            format_set_align(format, LXW_ALIGN_RIGHT);
        else if (t.alignment & Qt::AlignHCenter)
            format_set_align(format, LXW_ALIGN_CENTER);
    }

    using Key = decltype(CellLook {}.key());
    lxw_workbook *m_wb;
    std::map<Key, lxw_format *> m_formats;
};

// White is the paper: it stays without fill, so the sheet keeps its grid.
std::optional<QColor> cellFill(const BandRow &row, std::size_t i)
{
    const std::optional<QColor> fill = row.fill(i);
    if (!fill || fill->alpha() == 0 || (fill->rgb() & 0xFFFFFF) == 0xFFFFFF)
        return std::nullopt;
    return fill;
}

void writeCell(lxw_worksheet *ws, Formats &formats, lxw_row_t r, lxw_col_t c, const BandRow &row,
    std::size_t i)
{
    const Field &field = row.fields[i];
    CellLook look { field.item, cellFill(row, i), -1 };
    if (field.text.isEmpty()) {
        if (look.fill)
            check(worksheet_write_blank(ws, r, c, formats.get(look)));
        return;
    }
    if (const std::optional<Number> number = numberIn(field.text)) {
        look.decimals = number->decimals;
        check(worksheet_write_number(ws, r, c, number->value, formats.get(look)));
        return;
    }
    const QByteArray utf8 = field.text.left(kMaxCellText).toUtf8();
    check(worksheet_write_string(ws, r, c, utf8.constData(), formats.get(look)));
}

// Each column as wide as its longest text, within reason.
void setColumnWidths(lxw_worksheet *ws, const std::vector<BandRow> &rows)
{
    std::vector<qsizetype> widths;
    for (const BandRow &row : rows) {
        widths.resize(std::max(widths.size(), row.fields.size()), 0);
        for (std::size_t i = 0; i < row.fields.size(); ++i)
            widths[i] = std::max(widths[i], row.fields[i].text.size());
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double width = std::clamp(double(widths[c]) + 2, 4.0, kMaxColumnWidth);
        check(worksheet_set_column(
            ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr));
    }
}

// One row per printed band, its fields in the columns A, B, C ... left to right.
void writePage(lxw_workbook *wb, Formats &formats, const Page &page, int number)
{
    const QByteArray name = QStringLiteral("Seite %1").arg(number).toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(wb, name.constData());
    if (!ws)
        fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    const std::vector<BandRow> rows = bandRows(page);
    setColumnWidths(ws, rows);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<lxw_row_t>(r);
        if (rows[r].band) {
            const double heightPt = rows[r].band->rect.height() * kPointsPerPixel;
            check(worksheet_set_row(ws, row, std::max(12.0, heightPt), nullptr));
        }
        for (std::size_t i = 0; i < rows[r].fields.size(); ++i)
            writeCell(ws, formats, row, static_cast<lxw_col_t>(i), rows[r], i);
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
