#include "report/export/BandRows.h"
#include "report/export/Export.h"

#include <algorithm>

namespace kb::report {
namespace {

// Quoting as in RFC 4180: a field with a separator, quote or line break is enclosed in quotes,
// its quotes doubled. Fields never contain line breaks (bandRows turns them into blanks), but
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

// One line per printed band; every line has as many fields as the widest band, so spreadsheet
// programs and strict readers see one table.
QByteArray csvExport(const Document &doc)
{
    const std::size_t width = widestRow(doc);
    QString out;
    for (const Page &page : doc.pages) {
        for (const BandRow &row : bandRows(page)) {
            QStringList fields;
            for (const Field &field : row.fields)
                fields.append(csvField(field.text));
            while (std::size_t(fields.size()) < width)
                fields.append(QString());
            out += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
        }
    }
    // The byte order mark lets spreadsheet programs on Windows recognise UTF-8.
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace kb::report
