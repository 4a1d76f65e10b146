#include "report/FieldFormat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace kb::report {
namespace {

const QStringList &shortDayNames()
{
    static const QStringList names
        = { QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"), QStringLiteral("Do"),
              QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So") };
    return names;
}

const QStringList &longDayNames()
{
    static const QStringList names = { QStringLiteral("Montag"), QStringLiteral("Dienstag"),
        QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
        QStringLiteral("Samstag"), QStringLiteral("Sonntag") };
    return names;
}

const QStringList &longMonthNames()
{
    static const QStringList names
        = { QStringLiteral("Januar"), QStringLiteral("Februar"), QStringLiteral("März"),
              QStringLiteral("April"), QStringLiteral("Mai"), QStringLiteral("Juni"),
              QStringLiteral("Juli"), QStringLiteral("August"), QStringLiteral("September"),
              QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember") };
    return names;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// One run of the same mask letter, e.g. "dd" or "mmmm".
QString dateToken(QChar letter, int count, const QDateTime &dt, bool minuteContext)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    switch (letter.toLower().unicode()) {
    case 'd':
        if (count == 1)
            return QString::number(d.day());
        if (count == 2)
            return twoDigits(d.day());
        if (count == 3)
            return shortDayNames().value(d.dayOfWeek() - 1);
        if (count == 4)
            return longDayNames().value(d.dayOfWeek() - 1);
        return d.toString(QStringLiteral("dd.MM.yyyy"));
    case 'm':
        if (minuteContext)
            return count == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
        if (count == 1)
            return QString::number(d.month());
        if (count == 2)
            return twoDigits(d.month());
        if (count == 3)
            return longMonthNames().value(d.month() - 1).left(3);
        return longMonthNames().value(d.month() - 1);
    case 'y':
        return count <= 2 ? twoDigits(d.year() % 100) : QString::number(d.year());
    case 'h':
        return count == 1 ? QString::number(t.hour()) : twoDigits(t.hour());
    case 'n':
        return count == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
    case 's':
        return count == 1 ? QString::number(t.second()) : twoDigits(t.second());
    case 'z':
        return QStringLiteral("%1").arg(t.msec(), count >= 3 ? 3 : 1, 10, QLatin1Char('0'));
    default:
        return QString(count, letter);
    }
}

QString formatDateTime(const QDateTime &dt, const QString &mask)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < mask.size();) {
        const QChar c = mask[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = mask.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? mask.size() : end;
            out += mask.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (!QStringLiteral("dmyhnszDMYHNSZ").contains(c)) {
            out += c == QLatin1Char('/') ? QLatin1Char('.') : c;
            ++i;
            continue;
        }
        qsizetype n = 1;
        while (i + n < mask.size() && mask[i + n].toLower() == c.toLower())
            ++n;
        const bool minute = afterHour && c.toLower() == QLatin1Char('m') && n <= 2;
        out += dateToken(c, int(n), dt, minute);
        afterHour = c.toLower() == QLatin1Char('h');
        i += n;
    }
    return out;
}

bool isDateMask(const QString &mask)
{
    for (const QChar c : mask)
        if (QStringLiteral("dmyhnsDMYHNS").contains(c))
            return true;
    return false;
}

// Number masks: digits before the point from '0' (minimum count), decimals from the
// placeholders after it ('0' always shown, '#' only when needed), ',' for thousands groups.
QString formatNumber(double value, const QString &mask)
{
    const qsizetype firstPlaceholder = mask.indexOf(QRegularExpression(QStringLiteral("[0#]")));
    const qsizetype lastPlaceholder = mask.lastIndexOf(QRegularExpression(QStringLiteral("[0#]")));
    if (firstPlaceholder < 0)
        return mask;
    const QString prefix = mask.left(firstPlaceholder);
    const QString suffix = mask.mid(lastPlaceholder + 1);
    const QString core = mask.mid(firstPlaceholder, lastPlaceholder - firstPlaceholder + 1);
    const qsizetype point = core.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? core : core.left(point);
    const QString decPart = point < 0 ? QString() : core.mid(point + 1);
    const int maxDecimals = int(decPart.count(QLatin1Char('0')) + decPart.count(QLatin1Char('#')));
    const int minDecimals = int(decPart.count(QLatin1Char('0')));
    const int minIntDigits = int(intPart.count(QLatin1Char('0')));

    const QLocale german(QLocale::German);
    QString digits = QString::number(std::fabs(value), 'f', maxDecimals);
    QString intDigits = digits.section(QLatin1Char('.'), 0, 0);
    QString decDigits = digits.section(QLatin1Char('.'), 1, 1);
    while (decDigits.size() > minDecimals && decDigits.endsWith(QLatin1Char('0')))
        decDigits.chop(1);
    if (intDigits == QLatin1String("0") && minIntDigits == 0)
        intDigits.clear();
    while (intDigits.size() < minIntDigits)
        intDigits.prepend(QLatin1Char('0'));
    if (intPart.contains(QLatin1Char(','))) {
        for (qsizetype pos = intDigits.size() - 3; pos > 0; pos -= 3)
            intDigits.insert(pos, german.groupSeparator());
    }
    QString number = intDigits;
    if (!decDigits.isEmpty())
        number += german.decimalPoint() + decDigits;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const bool negative = value < 0 && number.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return prefix + (negative ? QStringLiteral("-") : QString()) + number + suffix;
}

QString plainText(const QVariant &value)
{
    const QLocale german(QLocale::German);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
        return dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale plain = german;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value.toDouble(), 'g', 15);
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Ja") : QStringLiteral("Nein");
    default:
        return value.toString();
    }
}

} // namespace

QString formatFieldValue(const QVariant &value, const QString &mask)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (mask.isEmpty())
        return plainText(value);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return formatDateTime(QDateTime(value.toDate(), QTime(0, 0)), mask);
    case QMetaType::QDateTime:
        return formatDateTime(value.toDateTime(), mask);
    case QMetaType::QTime:
        return formatDateTime(QDateTime(QDate(1899, 12, 30), value.toTime()), mask);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return formatNumber(value.toDouble(), mask);
    default:
        break;
    }
    // Text that holds a date in the program's date format still takes a date mask.
    const QDate asDate = QDate::fromString(value.toString(), QStringLiteral("dd.MM.yyyy"));
    if (asDate.isValid() && isDateMask(mask))
        return formatDateTime(QDateTime(asDate, QTime(0, 0)), mask);
    return plainText(value);
}

} // namespace kb::report
