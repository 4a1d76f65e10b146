#pragma once

#include "report/DataSet.h"
#include "storage/Table.h"

#include <QHash>
#include <QString>

namespace kb {

// A report's view of an open table cursor: its records in the cursor's current order and
// through its current filter. The table is not owned and stays open.
//
// What a hostile or damaged table holds cannot exhaust the machine while it prints: a text
// longer than its field's declared size prints cut to that size, and each distinct stored
// picture is decoded once per print size and kept only as large as it prints.
class TableDataSet final : public report::DataSet {
public:
    explicit TableDataSet(Table &table)
        : m_table(table)
    {
    }

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString &field) const override;
    QImage image(const QString &field) const override;
    QImage picture(const QString &field, const PictureFit &fit) const override;

private:
    bool readable(const QString &field) const;
    // The declared length of a string field; 0 for other fields.
    int textLimit(const QString &field) const;

    // What a stored picture's bytes stand for; size 0 for an empty field.
    struct Inhalt {
        quint64 hash1 = 0;
        quint64 hash2 = 0;
        qsizetype size = 0;
    };
    struct PictureKey {
        quint64 hash1 = 0;
        quint64 hash2 = 0;
        qsizetype size = 0;
        PictureFit fit;
        bool operator==(const PictureKey &) const = default;
    };
    friend size_t qHash(const PictureKey &key, size_t seed);

    Table &m_table;
    mutable QHash<QString, int> m_textLimits;
    mutable QHash<PictureKey, QImage> m_pictures;
    // The pictures' contents of the current record (m_inhaltSatz), by field.
    mutable QHash<QString, Inhalt> m_inhalte;
    mutable Bookmark m_inhaltSatz;
};

} // namespace kb
