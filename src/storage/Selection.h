#pragma once

#include "storage/FilterExpression.h"
#include "storage/TableFile.h"

namespace kb {

// Which records a cursor shows and in which order: its filter and its index order, made
// into one SELECT over the record table together with the condition of a master link.
//
// The setters take the schema of the open table, or null while it is closed. With a schema
// they check their input at once and throw a German error, leaving the selection as it was;
// without one the check waits for resolve().
class Selection {
public:
    void setFilter(const QString &expression, const tablefile::Schema *schema);
    void setFiltered(bool filtered, const tablefile::Schema *schema);
    const QString &filterText() const { return m_filterText; }
    bool filtered() const { return m_filtered; }

    // Orders by the fields "A;B" (case-insensitive when an index over exactly these fields
    // is), else by the named index, else by the primary index (or insertion order).
    void setOrder(
        const QString &indexFields, const QString &indexName, const tablefile::Schema *schema);

    // Parses the filter and resolves the order for the schema of a table just opened.
    void resolve(const tablefile::Schema &schema);

    // SELECT `columns` FROM the records that pass the filter and `link`, in order.
    filter::Condition query(const QString &columns, const filter::Condition &link) const;

    // True when a change of the field can move its record or drop it from the set.
    bool dependsOn(const QString &field) const;

private:
    void resolveOrder(const tablefile::Schema &schema);

    QString m_filterText;
    bool m_filtered = false;
    filter::Condition m_condition;
    QString m_indexFields, m_indexName;
    QStringList m_orderFields; // resolved names
    QStringList m_orderColumns; // ORDER BY terms
};

} // namespace kb
