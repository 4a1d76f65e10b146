#include "shell/Befehle.h"

#include "printing/TKalenderForm.h"

namespace kb {

namespace {

BefehlEintrag eintrag(
    Befehl b, const QString &text, const QString &hinweis = {}, const QKeySequence &taste = {})
{
    BefehlEintrag e;
    e.befehl = b;
    e.text = text;
    e.hinweis = hinweis;
    e.taste = taste;
    return e;
}

BefehlEintrag trenner()
{
    BefehlEintrag e;
    e.trenner = true;
    return e;
}

QList<BefehlEintrag> druckEintraege(Befehl b, bool menuText)
{
    QList<BefehlEintrag> list;
    const auto &varianten = kalenderVarianten();
    for (int i = 0; i < int(varianten.size()); ++i) {
        const KalenderVariante &v = varianten[i];
        BefehlEintrag e = eintrag(b, menuText ? v.menuText : v.navText,
            QStringLiteral("Jahreskalender auf %1 Seite(n) in der "
                           "Druck-Vorschau zeigen")
                .arg(v.seiten()));
        e.variante = i;
        list.append(e);
    }
    return list;
}

} // namespace

const QList<BefehlEintrag> &linkeLeiste()
{
    static const QList<BefehlEintrag> list = {
        eintrag(Befehl::Anlegen, QStringLiteral("Anlegen"),
            QStringLiteral("Einen neuen Kronoblatt mit dem Assistenten anlegen")),
        eintrag(
            Befehl::Oeffnen, QStringLiteral("Öffnen"), QStringLiteral("Einen Kronoblatt öffnen")),
        eintrag(Befehl::Schliessen, QStringLiteral("Schliessen"),
            QStringLiteral("Den geöffneten Kronoblatt schliessen")),
        eintrag(Befehl::Passwort, QStringLiteral("Passwort"),
            QStringLiteral("Den geöffneten Kronoblatt mit einem Passwort schützen")),
        eintrag(Befehl::Beenden, QStringLiteral("Beenden"), QStringLiteral("Kronoblatt beenden")),
    };
    return list;
}

const QList<Menue> &hauptmenue()
{
    static const QList<Menue> menus = {
        { QStringLiteral("Datei"),
            { eintrag(Befehl::Anlegen, QStringLiteral("Neuen Kronoblatt anlegen...."),
                  QStringLiteral("Einen neuen Kronoblatt mit dem Assistenten anlegen")),
                trenner(),
                eintrag(Befehl::Oeffnen, QStringLiteral("Kronoblatt öffnen...."),
                    QStringLiteral("Einen Kronoblatt öffnen")),
                trenner(),
                eintrag(Befehl::Schliessen, QStringLiteral("Kronoblatt schliessen...."),
                    QStringLiteral("Den geöffneten Kronoblatt schliessen")),
                trenner(),
                eintrag(Befehl::IcsExport, QStringLiteral("Als iCalendar exportieren…"),
                    QStringLiteral("Die Tage mit Text als iCalendar-Datei für Telefon, Web- und "
                                   "andere Kalender schreiben")),
                eintrag(Befehl::IcsImport, QStringLiteral("iCalendar-Datei einlesen…"),
                    QStringLiteral("Die Termine einer iCalendar-Datei in die Tage übernehmen")),
                trenner(),
                eintrag(Befehl::SicherungWiederherstellen,
                    QStringLiteral("Sicherung wiederherstellen…"),
                    QStringLiteral("Einen automatisch gesicherten Stand des geöffneten Kalenders "
                                   "zurückholen")),
                trenner(),
                eintrag(Befehl::Beenden, QStringLiteral("Kronoblatt beenden"),
                    QStringLiteral("Kronoblatt beenden")) } },
        { QStringLiteral("Bearbeiten"),
            { eintrag(Befehl::Suchen, QStringLiteral("Suchen…"),
                  QStringLiteral("Text und Notizen der Tage durchsuchen"),
                  QKeySequence(Qt::CTRL | Qt::Key_F)),
                trenner(),
                eintrag(Befehl::Passwort, QStringLiteral("Kronoblatt mit Passwort schützen..."),
                    QStringLiteral("Den geöffneten Kronoblatt mit einem Passwort schützen")) } },
        { QStringLiteral("Hilfe"),
            { eintrag(Befehl::Hilfethemen, QStringLiteral("Hilfethemen"),
                  QStringLiteral("Die Hilfe zu Kronoblatt zeigen"), QKeySequence(Qt::Key_F1)),
                eintrag(Befehl::Info, QStringLiteral("Info"),
                    QStringLiteral("Programmversion und Hersteller")),
                eintrag(Befehl::Homepage, QStringLiteral("RI-DOZU Homepage"),
                    QStringLiteral("Die Homepage von RI-DOZU im Browser öffnen")) } },
    };
    return menus;
}

const QList<NavGruppe> &navigationsGruppen()
{
    static const QList<NavGruppe> groups = {
        { QStringLiteral("Kalender"),
            { eintrag(Befehl::NavNeu, QStringLiteral("Neu...."),
                  QStringLiteral("Einen neuen Kronoblatt mit dem Assistenten anlegen")),
                eintrag(Befehl::NavOeffnen, QStringLiteral("Öffnen..."),
                    QStringLiteral("Einen Kronoblatt öffnen")),
                eintrag(Befehl::NavSchliessen, QStringLiteral("Schliessen"),
                    QStringLiteral("Den geöffneten Kronoblatt schliessen")),
                eintrag(Befehl::NavPasswort, QStringLiteral("Passwort"),
                    QStringLiteral("Den geöffneten Kronoblatt mit einem Passwort schützen")) } },
        { QStringLiteral("Organizer/Bilder/Texte"),
            { eintrag(Befehl::NavOrganizer, QStringLiteral("Organizer"),
                  QStringLiteral("Organizer und Tagebuch")),
                eintrag(Befehl::NavBilderTexte, QStringLiteral("Bilder/Texte"),
                    QStringLiteral("Bilder und Texte der Monate")),
                eintrag(Befehl::NavDesigner, QStringLiteral("Datenbank Designer"),
                    QStringLiteral("Berichte verwalten")) } },
        { QStringLiteral("Kronoblatt drucken"),
            druckEintraege(Befehl::NavKronoblattDrucken, false) },
        { QStringLiteral("Stammdaten"),
            { eintrag(Befehl::NavStammNeu, QStringLiteral("Neu..."),
                  QStringLiteral("Eine Datei für persönliche Daten anlegen")),
                eintrag(Befehl::NavStammOeffnen, QStringLiteral("Öffnen"),
                    QStringLiteral("Persönliche Daten öffnen")) } },
    };
    return groups;
}

const QList<BefehlEintrag> &kalenderWerkzeuge()
{
    static const QList<BefehlEintrag> list = {
        eintrag(Befehl::TagErster, QStringLiteral("Erster"), QStringLiteral("Erster Tag")),
        eintrag(Befehl::TagVoriger, QStringLiteral("Zurück"), QStringLiteral("Vorheriger Tag")),
        eintrag(Befehl::TagNaechster, QStringLiteral("Weiter"), QStringLiteral("Nächster Tag")),
        eintrag(Befehl::TagLetzter, QStringLiteral("Letzter"), QStringLiteral("Letzter Tag")),
        eintrag(
            Befehl::TagBearbeiten, QStringLiteral("Bearbeiten"), QStringLiteral("Tag bearbeiten")),
        eintrag(Befehl::TagSpeichern, QStringLiteral("Speichern"),
            QStringLiteral("Änderungen speichern")),
        eintrag(Befehl::TagVerwerfen, QStringLiteral("Verwerfen"),
            QStringLiteral("Änderungen verwerfen")),
        eintrag(Befehl::TagAktualisieren, QStringLiteral("Aktualisieren"),
            QStringLiteral("Daten aktualisieren")),
        trenner(),
        eintrag(Befehl::Jahreskalender, QStringLiteral("Jahreskalender"),
            QStringLiteral("Standard Kronoblatt Seitenvorschau drucken")),
        eintrag(Befehl::Wochenkalender, QStringLiteral("Wochenkalender"),
            QStringLiteral("Standard Wochenkalender Einlagen")),
        eintrag(Befehl::Monatskalender, QStringLiteral("Monatskalender"),
            QStringLiteral("Standard Monatskalender Seitenvorschau drucken")),
        eintrag(Befehl::Tagebuch, QStringLiteral("Tagebuch"), QStringLiteral("Standard Tagebuch")),
        trenner(),
        eintrag(Befehl::Feldgroesse, QStringLiteral("Feldgrösse"),
            QStringLiteral("Feldgrösse anpassen")),
        eintrag(Befehl::Seiteneinstellungen, QStringLiteral("Seite"),
            QStringLiteral("Seiteneinstellungen/Drucker f. Standardkalender")),
        eintrag(Befehl::Einstellungen, QStringLiteral("Einstellungen"),
            QStringLiteral("Einstellungen f. Standard-Kalender")),
    };
    return list;
}

const QList<BefehlEintrag> &jahreskalenderMenue()
{
    static const QList<BefehlEintrag> list = druckEintraege(Befehl::JahreskalenderDrucken, true);
    return list;
}

bool befehlVorhanden(Befehl)
{
    return true;
}

bool befehlAktiv(Befehl befehl, bool kalenderOffen, bool linkeLeiste)
{
    if (!befehlVorhanden(befehl))
        return false;
    if (linkeLeiste && (befehl == Befehl::Schliessen || befehl == Befehl::Passwort))
        return kalenderOffen;
    return true;
}

} // namespace kb
