#include "storage/MasterLink.h"

#include "platform/Error.h"
#include "storage/FieldValue.h"
#include "storage/Table.h"

namespace kb {

MasterLink::MasterLink(Table &owner)
    : m_owner(owner)
{
}

MasterLink::~MasterLink()
{
    unlink();
}

void MasterLink::link(
    Table *master, const QStringList &masterFields, const QStringList &detailFields)
{
    unlink();
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    master->masterLink().m_details.append(QPointer<Table>(&m_owner));
}

void MasterLink::unlink()
{
    if (m_master)
        m_master->masterLink().m_details.removeAll(QPointer<Table>(&m_owner));
    m_master = nullptr;
    m_masterFields.clear();
    m_detailFields.clear();
    m_key.clear();
    m_keyValid = false;
}

bool MasterLink::dependsOn(const QString &field) const
{
    for (const QString &detail : m_detailFields) {
        if (detail.trimmed().compare(field, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QVariantList MasterLink::currentKey() const
{
    QVariantList key;
    if (!m_master || !m_master->isOpen() || m_master->currentRow() < 0)
        return key;
    for (const QString &field : m_masterFields)
        key.append(m_master->value(field));
    return key;
}

filter::Condition MasterLink::condition(const tablefile::Schema &schema)
{
    filter::Condition condition;
    if (!isLinked())
        return condition;
    m_key = currentKey();
    m_keyValid = true;
    const QStringList fields = schema.resolve(m_detailFields.join(QLatin1Char(';')));
    QStringList terms;
    bool none = m_key.size() != fields.size();
    for (int i = 0; !none && i < fields.size(); ++i) {
        if (!m_key[i].isValid() || m_key[i].isNull()) {
            none = true;
            break;
        }
        const FieldDef &def = schema.fields[schema.indexOf(fields[i])];
        try {
            condition.params.append(
                fieldvalue::toSql(def.type, fieldvalue::comparisonValue(def, m_key[i])));
        } catch (const Error &) {
            none = true;
            break;
        }
        terms.append(QStringLiteral("%1 = ?").arg(sql::quoted(def.name)));
    }
    if (none)
        return { QStringLiteral("0"), {} };
    condition.sql = terms.join(QStringLiteral(" AND "));
    return condition;
}

bool MasterLink::keyChanged() const
{
    return !m_keyValid || currentKey() != m_key;
}

void MasterLink::notifyDetails(bool force)
{
    // A detail may unlink itself while it follows; walk a copy.
    const QList<QPointer<Table>> details = m_details;
    for (const QPointer<Table> &detail : details) {
        if (detail)
            detail->masterMoved(force);
    }
}

} // namespace kb
