#include "ical/IcsImport.h"

#include "caldata/KalenderSperre.h"
#include "caldata/Sicherungen.h"
#include "ical/IcalHandles.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "storage/Table.h"
#include "storage/Transaktion.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMultiHash>

namespace kb {

namespace {

// The day text's field holds this many characters.
constexpr int kTextLaenge = 255;
// A rule that yields more occurrences than this before the calendar's year ends (a rule
// every minute since decades) is not expanded further.
constexpr int kMaxSchritte = 200000;
// An all-day event covers at most this many days.
constexpr int kMaxTage = 400;

QDate datumVon(const icaltimetype &t)
{
    return QDate(t.year, t.month, t.day);
}

bool gleicherZeitpunkt(const icaltimetype &vorkommen, const icaltimetype &ausnahme)
{
    if (ausnahme.is_date || vorkommen.is_date)
        return datumVon(vorkommen) == datumVon(ausnahme);
    if (icaltime_is_utc(ausnahme) && vorkommen.zone)
        return icaltime_as_timet_with_zone(vorkommen, vorkommen.zone)
            == icaltime_as_timet_with_zone(ausnahme, icaltimezone_get_utc_timezone());
    return vorkommen.year == ausnahme.year && vorkommen.month == ausnahme.month
        && vorkommen.day == ausnahme.day && vorkommen.hour == ausnahme.hour
        && vorkommen.minute == ausnahme.minute && vorkommen.second == ausnahme.second;
}

bool ausgenommen(const icaltimetype &vorkommen, const QList<icaltimetype> &ausnahmen)
{
    return std::any_of(ausnahmen.cbegin(), ausnahmen.cend(),
        [&](const icaltimetype &a) { return gleicherZeitpunkt(vorkommen, a); });
}

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QString uidVon(icalcomponent *event)
{
    return text(icalcomponent_get_uid(event));
}

class Ereignis {
public:
    Ereignis(icalcomponent *event, int jahr, const QTimeZone &zone,
        const QList<icaltimetype> &verschoben)
        : m_event(event)
        , m_jahr(jahr)
        , m_zone(zone)
        , m_ausnahmen(verschoben)
    {
        m_start = icalcomponent_get_dtstart(event);
        QString summary = text(icalcomponent_get_summary(event)).trimmed();
        m_summary = summary.isEmpty() ? QStringLiteral("Termin") : summary;
        m_tage = dauerInTagen();
    }

    bool gueltig() const
    {
        return !icaltime_is_null_time(m_start) && icaltime_is_valid_time(m_start);
    }

    // Appends the entries of every occurrence in the year; false when there was none.
    bool eintraege(QList<IcsEintrag> &ziel)
    {
        const qsizetype vorher = ziel.size();
        ausnahmenLesen();
        const bool wiederholt = vorkommenDerRegeln(ziel);
        if (!wiederholt && !ausgenommen(m_start, m_ausnahmen))
            vorkommen(m_start, ziel);
        zusatzTermine(ziel);
        return ziel.size() > vorher;
    }

private:
    int dauerInTagen() const
    {
        if (!m_start.is_date)
            return 1;
        const icaltimetype ende = icalcomponent_get_dtend(m_event);
        if (icaltime_is_null_time(ende))
            return 1;
        const qint64 tage = datumVon(m_start).daysTo(datumVon(ende));
        return static_cast<int>(std::clamp<qint64>(tage, 1, kMaxTage));
    }

    void ausnahmenLesen()
    {
        for (icalproperty *p = icalcomponent_get_first_property(m_event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(m_event, ICAL_EXDATE_PROPERTY))
            m_ausnahmen.append(icalproperty_get_exdate(p));
    }

    // The occurrences of the RRULEs up to the end of the year; false without a rule.
    bool vorkommenDerRegeln(QList<IcsEintrag> &ziel)
    {
        bool regel = false;
        const QDate grenze(m_jahr + 1, 1, 2); // a day's margin for the change of time zone
        for (icalproperty *p = icalcomponent_get_first_property(m_event, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(m_event, ICAL_RRULE_PROPERTY)) {
            regel = true;
            const ical::RecurIterator it = iterator(icalproperty_get_rrule(p));
            if (!it)
                continue;
            for (int schritt = 0; schritt < kMaxSchritte; ++schritt) {
                icaltimetype t = icalrecur_iterator_next(it.get());
                if (icaltime_is_null_time(t) || datumVon(t) > grenze)
                    break;
                t.zone = m_start.zone;
                if (!ausgenommen(t, m_ausnahmen))
                    vorkommen(t, ziel);
            }
        }
        return regel;
    }

    // An iterator over the rule's occurrences; a rule without COUNT starts shortly before the
    // year (its expansion from a DTSTART decades ago is the slow part of an import).
    ical::RecurIterator iterator(const icalrecurrencetype &regel) const
    {
        ical::RecurIterator it(icalrecur_iterator_new(regel, m_start));
        const QDate ab = QDate(m_jahr, 1, 1).addDays(-(m_tage + 2));
        if (!it || regel.count != 0 || datumVon(m_start) >= ab)
            return it;
        icaltimetype start = m_start;
        start.year = ab.year();
        start.month = ab.month();
        start.day = ab.day();
        if (icalrecur_iterator_set_start(it.get(), start))
            return it;
        return ical::RecurIterator(icalrecur_iterator_new(regel, m_start));
    }

    void zusatzTermine(QList<IcsEintrag> &ziel)
    {
        for (icalproperty *p = icalcomponent_get_first_property(m_event, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(m_event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
            icaltimetype t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
            if (icaltime_is_null_time(t))
                continue;
            if (!icaltime_is_utc(t))
                t.zone = m_start.zone;
            if (!ausgenommen(t, m_ausnahmen))
                vorkommen(t, ziel);
        }
    }

    void vorkommen(const icaltimetype &t, QList<IcsEintrag> &ziel) const
    {
        if (t.is_date) {
            const QDate erster = datumVon(t);
            for (int i = 0; i < m_tage; ++i)
                imJahr(erster.addDays(i), m_summary, ziel);
            return;
        }
        QDateTime lokal;
        if (t.zone) {
            const qint64 sekunden = icaltime_as_timet_with_zone(t, t.zone);
            lokal = QDateTime::fromSecsSinceEpoch(sekunden, m_zone);
        } else {
            // A floating time is the same wall-clock time everywhere.
            lokal = QDateTime(datumVon(t), QTime(t.hour, t.minute, t.second));
        }
        imJahr(lokal.date(),
            lokal.time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') + m_summary, ziel);
    }

    void imJahr(const QDate &tag, const QString &eintrag, QList<IcsEintrag> &ziel) const
    {
        if (tag.year() == m_jahr)
            ziel.append({ tag, eintrag });
    }

    icalcomponent *m_event;
    int m_jahr;
    QTimeZone m_zone;
    QList<icaltimetype> m_ausnahmen;
    icaltimetype m_start {};
    QString m_summary;
    int m_tage = 1;
};

[[noreturn]] void unlesbar(const QString &dateiName, const QString &grund)
{
    throw Error(QStringLiteral("Die Datei „%1“ ist keine lesbare iCalendar-Datei: %2 "
                               "Der Kalender bleibt unverändert.")
                    .arg(dateiName, grund));
}

// The VCALENDARs of the parsed text: the text itself, or those of a file holding several.
QList<icalcomponent *> kalenderVon(icalcomponent *wurzel)
{
    if (icalcomponent_isa(wurzel) == ICAL_VCALENDAR_COMPONENT)
        return { wurzel };
    QList<icalcomponent *> kalender;
    if (icalcomponent_isa(wurzel) == ICAL_XROOT_COMPONENT)
        for (icalcomponent *c = icalcomponent_get_first_component(wurzel, ICAL_VCALENDAR_COMPONENT);
             c; c = icalcomponent_get_next_component(wurzel, ICAL_VCALENDAR_COMPONENT))
            kalender.append(c);
    return kalender;
}

bool abgesagt(icalcomponent *event)
{
    return icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED;
}

void termineLesen(icalcomponent *kalender, int jahr, const QTimeZone &zone,
    const QString &dateiName, IcsTermine &termine)
{
    // Occurrences moved by an event of their own (RECURRENCE-ID) leave their series.
    QMultiHash<QString, icaltimetype> verschoben;
    for (icalcomponent *e = icalcomponent_get_first_component(kalender, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(kalender, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype id = icalcomponent_get_recurrenceid(e);
        if (!icaltime_is_null_time(id))
            verschoben.insert(uidVon(e), id);
    }
    for (icalcomponent *e = icalcomponent_get_first_component(kalender, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(kalender, ICAL_VEVENT_COMPONENT)) {
        const bool einzeln = !icaltime_is_null_time(icalcomponent_get_recurrenceid(e));
        Ereignis ereignis(
            e, jahr, zone, einzeln ? QList<icaltimetype>() : verschoben.values(uidVon(e)));
        if (!ereignis.gueltig())
            unlesbar(dateiName,
                QStringLiteral("Der Termin „%1“ hat keinen gültigen Beginn (DTSTART).")
                    .arg(uidVon(e)));
        if (abgesagt(e))
            continue;
        if (!ereignis.eintraege(termine.eintraege))
            ++termine.anderesJahr;
    }
}

// A larger iCalendar file is not read.
constexpr qint64 kGroessteIcsDatei = qint64(100) * 1024 * 1024;

QByteArray dateiLesen(const QString &pfad)
{
    if (!QFileInfo::exists(pfad))
        throw Error(QStringLiteral("Datei %1 nicht vorhanden!").arg(pfad));
    InputFile datei = readInputFile(pfad, kGroessteIcsDatei);
    switch (datei.problem) {
    case InputFile::Problem::None:
        break;
    case InputFile::Problem::Unreadable:
        throw Error(
            QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2").arg(pfad, datei.reason));
    case InputFile::Problem::NotAFile:
        throw Error(QStringLiteral("Die Datei „%1“ ist keine gewöhnliche Datei (etwa ein Gerät, "
                                   "eine Pipe oder ein Verzeichnis) und wird nicht gelesen.")
                        .arg(pfad));
    case InputFile::Problem::TooLarge:
        throw Error(QStringLiteral("Die Datei „%1“ ist größer als %2 MB und wird nicht gelesen.")
                        .arg(pfad)
                        .arg(kGroessteIcsDatei / (1024 * 1024)));
    }
    return std::move(datei.bytes);
}

bool enthaelt(const QString &text, const QString &eintrag)
{
    const QString trenner = QStringLiteral("; ");
    return text == eintrag || text.startsWith(eintrag + trenner) || text.endsWith(trenner + eintrag)
        || text.contains(trenner + eintrag + trenner);
}

struct Tag {
    QDate datum;
    QString vorher;
    QString text;
};

QList<Tag> tageLesen(Table &jahr)
{
    QList<Tag> tage;
    tage.reserve(jahr.recordCount());
    for (jahr.first(); !jahr.eof(); jahr.next()) {
        const QString text = jahr.asString(QStringLiteral("Text"));
        tage.append({ jahr.asDate(QStringLiteral("Datum")), text, text });
    }
    return tage;
}

IcsImportErgebnis eintragen(QList<Tag> &tage, const IcsTermine &termine)
{
    QHash<QDate, qsizetype> index;
    for (qsizetype i = 0; i < tage.size(); ++i)
        index.insert(tage.at(i).datum, i);
    IcsImportErgebnis ergebnis;
    ergebnis.anderesJahr = termine.anderesJahr;
    for (const IcsEintrag &e : termine.eintraege) {
        const auto it = index.constFind(e.tag);
        if (it == index.cend()) {
            ++ergebnis.anderesJahr;
            continue;
        }
        switch (icsEintragen(tage[*it].text, e.text)) {
        case IcsEintragung::Uebernommen:
            ++ergebnis.uebernommen;
            break;
        case IcsEintragung::Vorhanden:
            ++ergebnis.vorhanden;
            break;
        case IcsEintragung::KeinPlatz:
            ++ergebnis.keinPlatz;
            break;
        }
    }
    return ergebnis;
}

void schreiben(Table &jahr, const QList<Tag> &tage)
{
    Transaktion transaktion(jahr);
    qsizetype i = 0;
    for (jahr.first(); !jahr.eof(); jahr.next(), ++i) {
        const Tag &tag = tage.at(i);
        if (tag.text == tag.vorher)
            continue;
        if (jahr.asDate(QStringLiteral("Datum")) != tag.datum)
            throw Error(QStringLiteral("Die Tage des Kalenders haben sich beim Einlesen "
                                       "geändert. Der Kalender bleibt unverändert."));
        jahr.edit();
        jahr.setString(QStringLiteral("Text"), tag.text);
        jahr.post();
    }
    transaktion.commit();
}

} // namespace

QString IcsImportErgebnis::meldung() const
{
    return QStringLiteral("iCalendar-Datei eingelesen. Übernommen: %1, schon vorhanden: %2, "
                          "ausgelassen (anderes Jahr): %3, nicht übernommen (kein Platz): %4.")
        .arg(uebernommen)
        .arg(vorhanden)
        .arg(anderesJahr)
        .arg(keinPlatz);
}

IcsTermine icsTermineImJahr(
    const QByteArray &ics, int jahr, const QTimeZone &zone, const QString &dateiName)
{
    const ical::Component wurzel(icalparser_parse_string(ics.constData()));
    const QList<icalcomponent *> kalender
        = wurzel ? kalenderVon(wurzel.get()) : QList<icalcomponent *>();
    if (kalender.isEmpty())
        unlesbar(dateiName, QStringLiteral("Sie enthält keinen Kalender (VCALENDAR)."));
    IcsTermine termine;
    for (icalcomponent *k : kalender)
        termineLesen(k, jahr, zone, dateiName, termine);
    return termine;
}

IcsEintragung icsEintragen(QString &text, const QString &eintrag)
{
    if (enthaelt(text, eintrag))
        return IcsEintragung::Vorhanden;
    QString neu;
    if (text.isEmpty() || eintrag.startsWith(text + QStringLiteral("; ")))
        neu = eintrag;
    else
        neu = text + QStringLiteral("; ") + eintrag;
    if (neu.size() > kTextLaenge)
        return IcsEintragung::KeinPlatz;
    text = neu;
    return IcsEintragung::Uebernommen;
}

IcsImportErgebnis icsImportieren(
    const KalenderDatei &kalender, const QString &icsPfad, const QTimeZone &zone)
{
    const QByteArray ics = dateiLesen(icsPfad);
    const KalenderSperre sperre(kalender);
    Sicherungen::vorAenderung(kalender);
    Table jahr;
    jahr.setFilePath(kalender.jahrPfad());
    jahr.open();
    QList<Tag> tage = tageLesen(jahr);
    if (tage.isEmpty())
        throw Error(QStringLiteral("Der Kalender enthält keine Tage."));
    const IcsTermine termine = icsTermineImJahr(
        ics, tage.constFirst().datum.year(), zone, QFileInfo(icsPfad).fileName());
    const IcsImportErgebnis ergebnis = eintragen(tage, termine);
    schreiben(jahr, tage);
    jahr.close();
    return ergebnis;
}

} // namespace kb
