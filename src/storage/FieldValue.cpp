#include "storage/FieldValue.h"

#include "platform/Error.h"
#include "storage/Sqlite.h"
#include "storage/TableFile.h"

#include <limits>
#include <optional>

namespace kb::fieldvalue {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kIsoFormat = QStringLiteral("yyyy-MM-dd");

// The number a variant of an integer type holds; read directly, because QVariant's general
// conversion is the larger part of assigning a number to a field.
std::optional<qint64> integerIn(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
        return *static_cast<const int *>(value.constData());
    case QMetaType::LongLong:
        return *static_cast<const qlonglong *>(value.constData());
    case QMetaType::Short:
        return *static_cast<const short *>(value.constData());
    case QMetaType::Bool:
        return *static_cast<const bool *>(value.constData()) ? 1 : 0;
    default:
        return std::nullopt;
    }
}

bool isEmptyInput(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

QVariant toInt(const FieldDef &field, const QVariant &value)
{
    bool ok = false;
    qint64 number = 0;
    if (const std::optional<qint64> exact = integerIn(value))
        number = *exact, ok = true;
    else if (value.typeId() == QMetaType::QString)
        number = value.toString().trimmed().toLongLong(&ok);
    else if (value.canConvert<qlonglong>() && value.typeId() != QMetaType::QByteArray
        && value.typeId() != QMetaType::QDate)
        number = value.toLongLong(&ok);
    if (!ok)
        throw Error(QStringLiteral("'%1' ist kein gültiger Ganzzahlwert für Feld '%2'")
                        .arg(value.toString(), field.name));
    qint64 low = field.type == FieldType::Int16 ? std::numeric_limits<qint16>::min()
                                                : std::numeric_limits<qint32>::min();
    qint64 high = field.type == FieldType::Int16 ? std::numeric_limits<qint16>::max()
                                                 : std::numeric_limits<qint32>::max();
    if (field.min != 0 || field.max != 0)
        low = field.min, high = field.max;
    if (number < low || number > high)
        throw Error(QStringLiteral("Wert %1 für Feld '%2' liegt außerhalb des Bereichs %3 bis %4")
                        .arg(number)
                        .arg(field.name)
                        .arg(low)
                        .arg(high));
    return int(number);
}

QVariant toDate(const FieldDef &field, const QVariant &value)
{
    QDate date;
    if (value.typeId() == QMetaType::QDate)
        date = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        date = value.toDateTime().date();
    else {
        const QString text = value.toString().trimmed();
        date = QDate::fromString(text, kDateFormat);
        if (!date.isValid())
            date = QDate::fromString(text, QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            date = QDate::fromString(text, kIsoFormat);
    }
    if (!date.isValid())
        throw Error(QStringLiteral("'%1' ist kein gültiges Datum für Feld '%2'")
                        .arg(value.toString(), field.name));
    return date;
}

QVariant toBool(const FieldDef &field, const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("ja") || text == QLatin1String("1")
        || text == QLatin1String("wahr"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("nein")
        || text == QLatin1String("0") || text == QLatin1String("falsch"))
        return false;
    throw Error(QStringLiteral("'%1' ist kein gültiger Wahrheitswert für Feld '%2'")
                    .arg(value.toString(), field.name));
}

} // namespace

// Stored dates are always "yyyy-MM-dd"; reading them is on the hot path of every walk.
QDate isoDate(const QString &text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return QDate::fromString(text, Qt::ISODate);
    auto number = [&](int from, int len) {
        int n = 0;
        for (int i = from; i < from + len; ++i)
            n = n * 10 + text[i].digitValue();
        return n;
    };
    return QDate(number(0, 4), number(5, 2), number(8, 2));
}

QString isoText(const QDate &date)
{
    const int year = date.year();
    if (!date.isValid() || year < 0 || year > 9999)
        return date.toString(Qt::ISODate);
    // QDate::toString() formats through printf, which costs more than the rest of a post.
    char text[10];
    auto put = [&](int at, int len, int number) {
        for (int i = at + len - 1; i >= at; --i, number /= 10)
            text[i] = char('0' + number % 10);
    };
    put(0, 4, year);
    text[4] = text[7] = '-';
    put(5, 2, date.month());
    put(8, 2, date.day());
    return QString::fromLatin1(text, 10);
}

QVariant fromInput(const FieldDef &field, const QVariant &value)
{
    if (field.type == FieldType::AutoInc)
        throw Error(QStringLiteral("Feld '%1' kann nicht geändert werden").arg(field.name));
    if (tablefile::isBlobType(field.type)) {
        if (!value.isValid() || value.isNull())
            return QVariant();
        const QByteArray bytes = value.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    if (isEmptyInput(value))
        return QVariant();
    switch (field.type) {
    case FieldType::Int16:
    case FieldType::Int32:
        return toInt(field, value);
    case FieldType::Date:
        return toDate(field, value);
    case FieldType::Boolean:
        return toBool(field, value);
    case FieldType::String: {
        const QString text = value.toString();
        if (field.size > 0 && text.size() > field.size)
            throw Error(QStringLiteral("Der Text für Feld '%1' ist zu lang (höchstens %2 Zeichen)")
                            .arg(field.name)
                            .arg(field.size));
        return text;
    }
    case FieldType::Memo:
        return value.toString();
    default:
        break;
    }
    return QVariant();
}

QVariant comparisonValue(const FieldDef &field, const QVariant &value)
{
    FieldDef unbounded = field;
    if (tablefile::isIntType(unbounded.type))
        unbounded.type = FieldType::Int32; // also lets an auto-increment value be compared
    unbounded.min = unbounded.max = unbounded.size = 0;
    return fromInput(unbounded, value);
}

QVariant toSql(FieldType type, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Date:
        return isoText(value.toDate());
    case FieldType::Boolean:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

void bind(sql::Stmt &stmt, int index, FieldType type, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        stmt.bind(index, QVariant());
        return;
    }
    switch (type) {
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
    case FieldType::Boolean: {
        const std::optional<qint64> exact = integerIn(value);
        stmt.bindInt(index, exact ? *exact : value.toLongLong());
        break;
    }
    case FieldType::Date:
        stmt.bindText(index, isoText(value.toDate()));
        break;
    case FieldType::String:
    case FieldType::Memo:
        stmt.bindText(index, value.toString());
        break;
    case FieldType::Graphic:
    case FieldType::Blob:
        stmt.bindBlob(index, value.toByteArray());
        break;
    }
}

QVariant fromSql(FieldType type, const sql::Stmt &stmt, int column)
{
    if (stmt.isNull(column))
        return QVariant();
    switch (type) {
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
        return int(stmt.columnInt(column));
    case FieldType::Boolean:
        return stmt.columnInt(column) != 0;
    case FieldType::Date:
        return isoDate(stmt.columnText(column));
    case FieldType::String:
    case FieldType::Memo:
        return stmt.columnText(column);
    case FieldType::Graphic:
    case FieldType::Blob:
        return stmt.columnBlob(column);
    }
    return QVariant();
}

QString toText(FieldType type, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (type) {
    case FieldType::Date:
        return value.toDate().toString(kDateFormat);
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Graphic:
    case FieldType::Blob:
        return QString::fromLatin1(value.toByteArray());
    default:
        return value.toString();
    }
}

} // namespace kb::fieldvalue
