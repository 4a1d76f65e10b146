#include "shell/KalenderSitzung.h"

#include "caldata/KalenderSperre.h"
#include "caldata/Sicherungen.h"
#include "caldata/Updatetable.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "shell/Startablauf.h"

#include <QDir>
#include <QFileInfo>
#include <QTimeZone>
#include <memory>

namespace kb {

QString startTitel()
{
    return QStringLiteral("RI-DOZU KRONOBLATT");
}

QString geschlossenTitel()
{
    return QStringLiteral("RI-DOZU Kronoblatt");
}

QString kalenderFensterTitel(const QString &qvkPfad)
{
    return QStringLiteral("RI-DOZU Kronoblatt ") + QDir::toNativeSeparators(qvkPfad);
}

QString keineNeuenDatensaetze()
{
    return QStringLiteral("Es können keine Datensätze für das Jahr hinzugefügt werden !");
}

QString keinKalenderOffen()
{
    return QStringLiteral("Kein Kalender geöffnet!");
}

QString aenderungVerwerfenFrage(const QString &meldung)
{
    return meldung
        + QStringLiteral("\n\nSoll die nicht gespeicherte Änderung verworfen werden? Mit "
                         "„Nein“ bleibt sie erhalten, und Sie können sie später speichern.");
}

KalenderSitzung::KalenderSitzung(const QDate &heute, QObject *parent)
    : QObject(parent)
    , m_heute(heute)
    , m_titel(startTitel())
    , m_kalenderTitel(QStringLiteral("  Kalender"))
{
    // The days of a calendar are made by generation only.
    m_jahr.setNewRecordHandler([this](Table &) { return neuerDatensatz(); });
    // A picture or month text that cannot be saved (a full disk) leaves the picture table byte
    // for byte as it was.
    m_bild.setKeepsBytesOnFailure(true);
}

KalenderSitzung::~KalenderSitzung()
{
    // Closing posts a pending edit; a failure must not escape a destructor.
    fehlerZeigen([this] { tabellenSchliessen(); });
}

bool KalenderSitzung::neuerDatensatz()
{
    ui().message(keineNeuenDatensaetze());
    return false;
}

QString KalenderSitzung::landText() const
{
    if (!m_jahr.isOpen() || m_jahr.isEmpty())
        return {};
    return m_jahr.asString(QStringLiteral("BLand"));
}

void KalenderSitzung::formularSchreiben()
{
    if (!m_ini)
        return;
    // The same value again would change nothing in the file.
    if (readDatei(*m_ini) != m_formularName
        || !m_ini->hasKey(sectionUser(), QStringLiteral("Datei")))
        writeDatei(*m_ini, m_formularName);
}

void KalenderSitzung::tabellenSchliessen()
{
    m_jahr.close();
    m_bild.close();
}

void KalenderSitzung::titelSetzen(const QString &titel)
{
    m_titel = titel;
}

void KalenderSitzung::vorbereiten()
{
    fehlerZeigen([this] { formularSchreiben(); });
    // A protected calendar asks for its password on every open.
    Session::removeAllPasswords();
}

KalenderSitzung::Oeffnung KalenderSitzung::oeffnenDatei(const QString &qvkPfad)
{
    vorbereiten();
    return oeffnen(qvkPfad);
}

KalenderSitzung::Oeffnung KalenderSitzung::oeffnenMitDialog()
{
    vorbereiten();
    const QString dir = ProgramDir::calendarDataDir();
    QDir().mkpath(dir);
    const QString path = ui().openFileName(
        QStringLiteral("Kronoblatt öffnen"), dir, QStringLiteral("Kronoblatt (*.QVK *.qvk)"));
    if (path.isEmpty()) {
        Q_EMIT zustandGeaendert();
        return {};
    }
    return oeffnen(path);
}

KalenderSitzung::Oeffnung KalenderSitzung::oeffnen(const QString &qvkPfad)
{
    Oeffnung result;
    KalenderDatei k;
    if (!fehlerZeigen([&] { k = KalenderDatei::vorhanden(qvkPfad); })) {
        result.ausgang = Ausgang::Abgelehnt;
        Q_EMIT zustandGeaendert();
        return result;
    }
    titelSetzen(kalenderFensterTitel(k.qvkPfad()));
    const bool ok = fehlerZeigen([&] {
        tabellenSchliessen();
        m_dateien = k;
        m_jahr.setDirectory(k.directory);
        m_jahr.setTableName(k.jahrTabelle);
        m_bild.setDirectory(k.directory);
        m_bild.setTableName(k.bildTabelle);
        m_jahr.setWriteGuard(kalenderSchreibschutz(k));
        m_bild.setWriteGuard(kalenderSchreibschutz(k));
        // The first save after this open copies the calendar first.
        Sicherungen::vergessen(k);

        {
            // The upgrade may write the year table; no other program rewrites it meanwhile.
            // In a directory nobody may write (a calendar on a read-only medium) no program
            // can rewrite the tables, and no lock file can be made there either.
            std::unique_ptr<KalenderSperre> sperre;
            if (QFileInfo(k.directory).isWritable())
                sperre = std::make_unique<KalenderSperre>(k);
            updatetable(k.directory, k.jahrTabelle);
        }
        m_jahr.open();
        m_bild.open();

        if (m_ini)
            m_layout.ferieneinlesen(*m_ini);
        else
            m_layout.ferien = FerienPerioden {};
        jahrUndTitelLesen();
        result.erinnerung = erinnern(m_jahr, m_heute);
        monatSetzen(0);

        // The month pictures list all twelve months.
        m_bild.clearMasterSource();
        m_bild.setIndexFieldNames(QString());
    });
    if (ok) {
        result.ausgang = Ausgang::Geoeffnet;
    } else {
        // Whatever step failed, the chosen calendar is not shown half-open.
        fehlerZeigen([this] { tabellenSchliessen(); });
        titelSetzen(geschlossenTitel());
        result.ausgang = Ausgang::Fehler;
    }
    Q_EMIT zustandGeaendert();
    return result;
}

void KalenderSitzung::jahrUndTitelLesen()
{
    m_jahr.first();
    m_jahrZahl = m_jahr.isEmpty() ? 0 : m_jahr.asDate(QStringLiteral("Datum")).year();
    m_kalenderTitel
        = QStringLiteral("Kalender angelegt für das Jahr ") + QString::number(m_jahrZahl);
}

bool KalenderSitzung::aenderungenSichern()
{
    for (Table *t : { &m_jahr, &m_bild }) {
        if (!t->isOpen() || t->state() == Table::State::Browse)
            continue;
        try {
            t->post();
        } catch (const Error &e) {
            if (!ui().question(aenderungVerwerfenFrage(e.message())))
                return false;
            t->cancel();
        }
    }
    return true;
}

void KalenderSitzung::schliessen(bool formularSchreibenAuch)
{
    if (!aenderungenSichern())
        return;
    if (formularSchreibenAuch)
        fehlerZeigen([this] { formularSchreiben(); });
    fehlerZeigen([this] { tabellenSchliessen(); });
    m_jahr.setFiltered(false);
    monatSetzen(0);
    titelSetzen(geschlossenTitel());
    m_jahrZahl = 0;
    Q_EMIT zustandGeaendert();
}

void KalenderSitzung::monatSetzen(int monat)
{
    if (m_monat == monat)
        return;
    m_monat = monat;
    Q_EMIT monatGeaendert(monat);
}

void KalenderSitzung::monatsfilter(int monat)
{
    if (monat < 0 || monat > 12)
        return;
    fehlerZeigen([&] {
        if (monat == 0) {
            m_jahr.setFiltered(false);
        } else {
            m_jahr.setFilter(QStringLiteral("MonatNr='%1'").arg(monat));
            m_jahr.setFiltered(true);
        }
        monatSetzen(monat);
    });
}

bool KalenderSitzung::passwortSchuetzen(const QString &password)
{
    if (!offen()) {
        ui().message(keinKalenderOffen());
        return false;
    }
    const int monat = m_monat;
    const bool ok = fehlerZeigen([&] { passwortSetzen(m_jahr, &m_bild, password); });
    // The tables reopen on their first record; the month shown stays.
    if (m_jahr.isOpen() && monat != 0)
        monatsfilter(monat);
    Q_EMIT zustandGeaendert();
    return ok;
}

void KalenderSitzung::icsExportierenMitDialog()
{
    if (!offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    const QString vorschlag = m_dateien.directory + QFileInfo(m_dateien.qvk).completeBaseName()
        + QStringLiteral(".ics");
    const QString ziel = ui().saveFileName(QStringLiteral("Als iCalendar exportieren"), vorschlag,
        QStringLiteral("iCalendar-Dateien (*.ics)"), QStringLiteral("ics"));
    if (ziel.isEmpty())
        return;
    IcsExportOptionen optionen;
    optionen.ohneFeiertage
        = !ui().question(QStringLiteral("Feiertage und besondere Tage mit exportieren?"));
    fehlerZeigen([&] {
        // What is typed into the current day belongs to the export.
        m_jahr.post();
        const int termine = icsExportieren(m_dateien, ziel, optionen);
        ui().message(QStringLiteral("%1 Termine nach %2 geschrieben.").arg(termine).arg(ziel));
    });
}

void KalenderSitzung::icsEinlesenMitDialog()
{
    if (!offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    const QString datei = ui().openFileName(QStringLiteral("iCalendar-Datei einlesen"),
        m_dateien.directory, QStringLiteral("iCalendar-Dateien (*.ics);;Alle Dateien (*)"));
    if (datei.isEmpty())
        return;
    fehlerZeigen([&] {
        m_jahr.post();
        const IcsImportErgebnis ergebnis
            = icsImportieren(m_dateien, datei, QTimeZone::systemTimeZone());
        m_jahr.refresh();
        ui().message(ergebnis.meldung());
    });
}

void KalenderSitzung::heuteZeigen()
{
    if (!offen())
        return;
    monatsfilter(m_heute.month());
    fehlerZeigen([this] { m_jahr.locate(QStringLiteral("Datum"), m_heute); });
}

bool KalenderSitzung::tagZeigen(const QString &qvkPfad, const QDate &datum)
{
    const auto gleich = [](const QString &a, const QString &b) {
        return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
    };
    if (!offen() || !gleich(KalenderDatei::ausQvk(qvkPfad).jahrPfad(), m_dateien.jahrPfad())) {
        if (!aenderungenSichern() || !oeffnen(qvkPfad).geoeffnet())
            return false;
    }
    monatsfilter(datum.month());
    bool gefunden = false;
    fehlerZeigen([&] { gefunden = m_jahr.locate(QStringLiteral("Datum"), datum); });
    return gefunden;
}

bool KalenderSitzung::sicherungWiederherstellen(const QString &name)
{
    if (!offen()) {
        ui().message(keinKalenderOffen());
        return false;
    }
    if (!aenderungenSichern())
        return false;
    const KalenderDatei k = m_dateien;
    tabellenSchliessen();
    const bool ok = fehlerZeigen([&] { Sicherungen::wiederherstellen(k, name); });
    oeffnen(k.qvkPfad());
    return ok && offen();
}

void KalenderSitzung::nachAnlage(const KalenderDatei &dateien)
{
    const bool ok = fehlerZeigen([&] {
        tabellenSchliessen();
        m_dateien = dateien;
        m_jahr.setDirectory(dateien.directory);
        m_jahr.setTableName(dateien.jahrTabelle);
        m_bild.setDirectory(dateien.directory);
        m_bild.setTableName(dateien.bildTabelle);
        m_jahr.setWriteGuard(kalenderSchreibschutz(dateien));
        m_bild.setWriteGuard(kalenderSchreibschutz(dateien));
        titelSetzen(kalenderFensterTitel(dateien.qvkPfad()));
        m_jahr.setFiltered(false);
        m_jahr.open();
        m_bild.open();
        jahrUndTitelLesen();
        monatSetzen(0);
    });
    if (!ok) {
        fehlerZeigen([this] { tabellenSchliessen(); });
        titelSetzen(geschlossenTitel());
    }
    Q_EMIT zustandGeaendert();
}

} // namespace kb
