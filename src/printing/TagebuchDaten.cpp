#include "printing/TagebuchDaten.h"

#include "report/TextLayout.h"

#include <algorithm>

namespace kb {

namespace {

const QString &notizenFeld()
{
    static const QString name = QStringLiteral("Notizen");
    return name;
}

} // namespace

TagebuchDaten::TagebuchDaten(
    Table &tage, const report::FontSpec &font, double breite, int zeilenProSeite)
    : m_tage(tage)
    , m_font(font)
    , m_breite(breite)
    , m_zeilenProSeite(std::max(1, zeilenProSeite))
{
}

void TagebuchDaten::first()
{
    m_tage.first();
    teilen();
}

void TagebuchDaten::next()
{
    if (m_teil + 1 < m_teile.size()) {
        ++m_teil;
        return;
    }
    m_tage.next();
    teilen();
}

QVariant TagebuchDaten::value(const QString &field) const
{
    if (!m_teile.isEmpty() && field.compare(notizenFeld(), Qt::CaseInsensitive) == 0)
        return m_teile.at(m_teil);
    return m_tage.value(field);
}

// Short notes stay as they are; long ones are broken into the lines the page shows and cut
// into page-sized parts.
void TagebuchDaten::teilen()
{
    m_teil = 0;
    m_teile.clear();
    if (m_tage.eof())
        return;
    const QString notizen = m_tage.value(notizenFeld()).toString();
    if (notizen.isEmpty())
        return;
    const report::TextBlock block = report::layoutText(notizen, m_font, true, m_breite);
    if (block.lines.size() <= m_zeilenProSeite)
        return;
    for (qsizetype i = 0; i < block.lines.size(); i += m_zeilenProSeite)
        m_teile.append(block.lines.mid(i, m_zeilenProSeite).join(QLatin1Char('\n')));
}

} // namespace kb
