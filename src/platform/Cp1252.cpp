#include "platform/Cp1252.h"

#include <array>

namespace kb {
namespace {

// 0x80..0x9F; 0 marks the five codes Windows-1252 leaves undefined (they map to C1 controls).
constexpr std::array<char16_t, 32> kHigh = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
    0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D,
    0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };

char16_t decode(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0)
        return kHigh[c - 0x80];
    return c;
}

char encode(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == u)
            return static_cast<char>(0x80 + i);
    }
    if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == 0)
        return static_cast<char>(u); // the undefined codes round-trip
    return '?';
}

} // namespace

QString fromCp1252(const QByteArray &bytes)
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t {};
        for (int c = 0; c < 256; ++c)
            t[std::size_t(c)] = decode(static_cast<unsigned char>(c));
        return t;
    }();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *d = reinterpret_cast<char16_t *>(out.data());
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = table[s[i]];
    return out;
}

QByteArray toCp1252(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    qsizetype written = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i].unicode();
        if (u < 0x80) {
            d[written++] = static_cast<char>(u);
            continue;
        }
        if (s[i].isHighSurrogate() && i + 1 < n && s[i + 1].isLowSurrogate())
            ++i; // one '?' for one character outside the basic plane
        d[written++] = encode(u);
    }
    out.truncate(written);
    return out;
}

} // namespace kb
