#include "ical/IcsExport.h"

#include "ical/IcalHandles.h"
#include "platform/AtomicFile.h"
#include "storage/Table.h"

#include <QCryptographicHash>
#include <algorithm>

namespace kb {

namespace {

bool wirdExportiert(const IcsTag &tag, const IcsExportOptionen &optionen)
{
    if (tag.text.trimmed().isEmpty() || !tag.datum.isValid())
        return false;
    return !(optionen.ohneFeiertage && tag.kennung != 0);
}

// The display alarm rings this long after the start of the (all-day) event: in the morning.
constexpr int kErinnerungUm = 9 * 3600;

QByteArray utf8(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.toUtf8();
}

icaltimetype datumWert(const QDate &tag)
{
    icaltimetype t = icaltime_null_date();
    t.year = tag.year();
    t.month = tag.month();
    t.day = tag.day();
    return t;
}

void alarmAnhaengen(icalcomponent *event, const QByteArray &text)
{
    icalcomponent *alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_component(event, alarm);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(text.constData()));
    icalproperty *trigger = icalproperty_new_trigger(icaltriggertype_from_int(kErinnerungUm));
    icalproperty_add_parameter(trigger, icalparameter_new_related(ICAL_RELATED_START));
    icalcomponent_add_property(alarm, trigger);
}

void ereignisAnhaengen(icalcomponent *kalender, const IcsTag &tag, const QString &kennung,
    const icaltimetype &zeitstempel)
{
    icalcomponent *event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_component(kalender, event);
    const QByteArray uid = QStringLiteral("kronoblatt-%1-%2@kronoblatt")
                               .arg(kennung, tag.datum.toString(QStringLiteral("yyyyMMdd")))
                               .toUtf8();
    icalcomponent_add_property(event, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(zeitstempel));
    icalcomponent_add_property(event, icalproperty_new_dtstart(datumWert(tag.datum)));
    icalcomponent_add_property(event, icalproperty_new_dtend(datumWert(tag.datum.addDays(1))));
    const QByteArray summary = utf8(tag.text);
    icalcomponent_add_property(event, icalproperty_new_summary(summary.constData()));
    if (!tag.notizen.isEmpty())
        icalcomponent_add_property(
            event, icalproperty_new_description(utf8(tag.notizen).constData()));
    if (tag.kennung != 0)
        icalcomponent_add_property(
            event, icalproperty_new_categories(tag.kennung > 0 ? "Feiertag" : "Besonderer Tag"));
    // An all-day event takes no time of the receiving calendar.
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (tag.erinnern)
        alarmAnhaengen(event, summary);
}

} // namespace

QString icsKalenderKennung(const KalenderDatei &kalender)
{
    const QByteArray name = kalender.qvk.toLower().toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16));
}

QByteArray icsAusTagen(
    const QList<IcsTag> &tage, const QString &kalenderKennung, const IcsExportOptionen &optionen)
{
    const ical::Component kalender(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(kalender.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(
        kalender.get(), icalproperty_new_prodid("-//RI-DOZU//Kronoblatt " KB_VERSION "//DE"));
    icalcomponent_add_property(kalender.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype zeitstempel = icaltime_from_timet_with_zone(
        static_cast<time_t>(optionen.zeitstempel.toSecsSinceEpoch()), 0,
        icaltimezone_get_utc_timezone());
    for (const IcsTag &tag : tage) {
        if (wirdExportiert(tag, optionen))
            ereignisAnhaengen(kalender.get(), tag, kalenderKennung, zeitstempel);
    }
    const ical::Buffer text(icalcomponent_as_ical_string_r(kalender.get()));
    return QByteArray(text.get());
}

QList<IcsTag> icsTageLesen(const KalenderDatei &kalender)
{
    Table jahr;
    jahr.setFilePath(kalender.jahrPfad());
    jahr.setReadOnly(true);
    jahr.open();
    QList<IcsTag> tage;
    tage.reserve(jahr.recordCount());
    for (jahr.first(); !jahr.eof(); jahr.next())
        tage.append({ jahr.asDate(QStringLiteral("Datum")), jahr.asString(QStringLiteral("Text")),
            jahr.asString(QStringLiteral("Notizen")), jahr.asInt(QStringLiteral("Kennung")),
            jahr.asBool(QStringLiteral("Alarm")) });
    jahr.close();
    return tage;
}

int icsExportieren(
    const KalenderDatei &kalender, const QString &zielPfad, const IcsExportOptionen &optionen)
{
    const QList<IcsTag> tage = icsTageLesen(kalender);
    const QByteArray datei = icsAusTagen(tage, icsKalenderKennung(kalender), optionen);
    writeFileAtomically(zielPfad, datei);
    return static_cast<int>(std::count_if(tage.cbegin(), tage.cend(),
        [&](const IcsTag &tag) { return wirdExportiert(tag, optionen); }));
}

} // namespace kb
