#pragma once

#include "storage/FilterExpression.h"

#include <QPointer>
#include <QStringList>
#include <QVariantList>

namespace kb {

class Table;

// The master-detail links of one cursor. As a detail it shows only the records whose detail
// fields equal the master fields of its master's current record; as a master it tells its
// details when it moved or its current record changed, so that they follow.
class MasterLink {
public:
    explicit MasterLink(Table &owner);
    MasterLink(const MasterLink &) = delete;
    MasterLink &operator=(const MasterLink &) = delete;
    ~MasterLink();

    Table *master() const { return m_master; }
    // A link whose master is gone shows every record.
    bool isLinked() const { return !m_master.isNull(); }
    // Links the owner to `master`; the caller checked that the field lists are of equal
    // length and name fields of the two tables.
    void link(Table *master, const QStringList &masterFields, const QStringList &detailFields);
    void unlink();
    // True when a change of this field of the owner can take its record out of the link.
    bool dependsOn(const QString &field) const;

    // The condition for the owner's records: the detail fields equal the master's current
    // values. No record passes while the master has none, or a value no record can hold.
    // Remembers the key it used.
    filter::Condition condition(const tablefile::Schema &schema);
    // True when the master's current key differs from the one last used.
    bool keyChanged() const;
    // Makes the next keyChanged() true.
    void forgetKey() { m_keyValid = false; }

    // Tells the details of the owner that it moved; `force` even when their key is the same.
    void notifyDetails(bool force);

private:
    QVariantList currentKey() const;

    Table &m_owner;
    QPointer<Table> m_master;
    QStringList m_masterFields, m_detailFields;
    QVariantList m_key;
    bool m_keyValid = false;
    QList<QPointer<Table>> m_details;
};

} // namespace kb
