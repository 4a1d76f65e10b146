#include "report/Band.h"

#include <algorithm>

namespace kb::report {

void Band::adopt(std::unique_ptr<Printable> printable, bool behind)
{
    printable->m_reportFont = m_reportFont;
    if (behind)
        m_printables.insert(m_printables.begin(), std::move(printable));
    else
        m_printables.push_back(std::move(printable));
}

bool Band::remove(const Printable *printable)
{
    const auto it = std::find_if(m_printables.begin(), m_printables.end(),
        [printable](const auto &p) { return p.get() == printable; });
    if (it == m_printables.end())
        return false;
    m_printables.erase(it);
    return true;
}

} // namespace kb::report
