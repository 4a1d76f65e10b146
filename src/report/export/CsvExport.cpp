#include "report/export/Export.h"
#include "report/export/TextRows.h"

#include <algorithm>

namespace kb::report {
namespace {

// Quoting as in RFC 4180: a field with a separator, quote or line break is enclosed in quotes,
// its quotes doubled. Cells never contain line breaks (textRows turns them into blanks), but
// the quoting stays complete.
QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quote
        = std::any_of(text.begin(), text.end(), [](QChar c) { return special.contains(c); });
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray csvExport(const Document &doc)
{
    QString out;
    for (const Page &page : doc.pages) {
        for (const TextRow &row : textRows(page)) {
            QStringList fields;
            for (const TextCell &cell : row.cells)
                fields.append(csvField(cell.text));
            out += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
        }
    }
    // The byte order mark lets spreadsheet programs on Windows recognise UTF-8.
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace kb::report
