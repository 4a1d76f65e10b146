#pragma once

#include "support/TestUtil.h"

#include <QByteArray>
#include <QtEndian>
#include <initializer_list>

namespace kb::test {

// A form-file record put together byte by byte at the documented offsets, independent of
// the program's record writer, so that a golden file checks the layout itself.
class GoldenRecord {
public:
    GoldenRecord()
        : m_bytes(1552, '\0')
    {
    }
    // All zero but visible, font "Arial" 10 and stretch.
    static GoldenRecord blank()
    {
        GoldenRecord r;
        r.byte(544, 1).text(545, "Arial").i32(568, 10).byte(1135, 1);
        return r;
    }

    GoldenRecord &i32(int offset, qint32 value)
    {
        qToLittleEndian(value, m_bytes.data() + offset);
        return *this;
    }
    GoldenRecord &byte(int offset, quint8 value)
    {
        m_bytes[offset] = static_cast<char>(value);
        return *this;
    }
    // Windows-1252 bytes after their length byte; the rest of the field stays as it is.
    GoldenRecord &text(int offset, const QByteArray &cp1252)
    {
        m_bytes[offset] = static_cast<char>(cp1252.size());
        m_bytes.replace(offset + 1, cp1252.size(), cp1252);
        return *this;
    }
    // Flag texts "1" or "0" at consecutive two-byte fields.
    GoldenRecord &flags(int offset, std::initializer_list<int> on)
    {
        for (int f : on) {
            text(offset, f ? "1" : "0");
            offset += 2;
        }
        return *this;
    }

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

inline QByteArray records(std::initializer_list<GoldenRecord> list)
{
    QByteArray out;
    for (const GoldenRecord &r : list)
        out += r.bytes();
    return out;
}

inline QByteArray blanks(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += GoldenRecord::blank().bytes();
    return out;
}

} // namespace kb::test
