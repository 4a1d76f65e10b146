#include "printing/TableDataSet.h"

#include "storage/Table.h"

namespace kb {

size_t qHash(const TableDataSet::PictureKey &key, size_t seed)
{
    return qHashMulti(seed, key.hash1, key.hash2, key.size, key.fit.size.width(),
        key.fit.size.height(), key.fit.keepAspect, key.fit.cover);
}

void TableDataSet::first()
{
    m_inhalte.clear();
    m_table.first();
}

void TableDataSet::next()
{
    m_inhalte.clear();
    m_table.next();
}

bool TableDataSet::eof() const
{
    return m_table.eof();
}

// A field the table does not have, or a table without records, prints empty.
bool TableDataSet::readable(const QString &field) const
{
    return m_table.isOpen() && !m_table.isEmpty() && m_table.hasField(field);
}

int TableDataSet::textLimit(const QString &field) const
{
    const auto it = m_textLimits.constFind(field);
    if (it != m_textLimits.constEnd())
        return *it;
    const FieldDef def = m_table.fieldDef(field);
    const int limit = def.type == FieldType::String ? def.size : 0;
    m_textLimits.insert(field, limit);
    return limit;
}

QVariant TableDataSet::value(const QString &field) const
{
    if (!readable(field))
        return {};
    const QVariant v = m_table.value(field);
    const int limit = textLimit(field);
    if (limit > 0 && v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        if (text.size() > limit)
            return text.left(limit);
    }
    return v;
}

QImage TableDataSet::image(const QString &field) const
{
    return picture(field, {});
}

QImage TableDataSet::picture(const QString &field, const PictureFit &fit) const
{
    if (!readable(field))
        return {};
    // A record's picture is asked for more than once while it prints (whether there is one,
    // then the picture itself): its stored bytes are read once per record.
    QByteArray bytes;
    const Bookmark satz = m_table.isModified() ? Bookmark {} : m_table.bookmark();
    if (satz.isNull() || satz != m_inhaltSatz)
        m_inhalte.clear();
    m_inhaltSatz = satz;
    auto inhalt = m_inhalte.constFind(field);
    if (inhalt == m_inhalte.constEnd()) {
        bytes = m_table.asBytes(field);
        // Two differently seeded hashes and the length stand for the content: a day symbol
        // copied to every day of the year is decoded once.
        inhalt = m_inhalte.insert(field,
            bytes.isEmpty()
                ? Inhalt {}
                : Inhalt { qHash(bytes, 0x6b726f6e6f), qHash(bytes, 0x626c617474), bytes.size() });
    }
    if (inhalt->size == 0)
        return {};
    const PictureKey key { inhalt->hash1, inhalt->hash2, inhalt->size, fit };
    const auto it = m_pictures.constFind(key);
    if (it != m_pictures.constEnd())
        return *it;
    if (bytes.isEmpty())
        bytes = m_table.asBytes(field);
    const QImage decoded = decodePicture(bytes, fit);
    m_pictures.insert(key, decoded);
    return decoded;
}

} // namespace kb
