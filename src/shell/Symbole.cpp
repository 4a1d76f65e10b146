#include "shell/Symbole.h"

#include "widgets/Symbolbild.h"

#include <QPixmap>

namespace kb {

namespace {

// The picture file of a command's button; empty for commands shown as text only.
QString symbolName(Befehl befehl)
{
    switch (befehl) {
    case Befehl::Anlegen:
    case Befehl::NavNeu:
        return QStringLiteral("anlegen");
    case Befehl::Oeffnen:
    case Befehl::NavOeffnen:
        return QStringLiteral("oeffnen");
    case Befehl::Schliessen:
    case Befehl::NavSchliessen:
        return QStringLiteral("schliessen");
    case Befehl::Passwort:
    case Befehl::NavPasswort:
        return QStringLiteral("passwort");
    case Befehl::Beenden:
        return QStringLiteral("beenden");
    case Befehl::NavOrganizer:
        return QStringLiteral("organizer");
    case Befehl::NavBilderTexte:
        return QStringLiteral("bilder-texte");
    case Befehl::NavDesigner:
        return QStringLiteral("designer");
    case Befehl::NavKronoblattDrucken:
        return QStringLiteral("drucker");
    case Befehl::NavStammNeu:
        return QStringLiteral("person-neu");
    case Befehl::NavStammOeffnen:
        return QStringLiteral("person");
    case Befehl::TagErster:
        return QStringLiteral("erster");
    case Befehl::TagVoriger:
        return QStringLiteral("voriger");
    case Befehl::TagNaechster:
        return QStringLiteral("naechster");
    case Befehl::TagLetzter:
        return QStringLiteral("letzter");
    case Befehl::TagBearbeiten:
        return QStringLiteral("bearbeiten");
    case Befehl::TagSpeichern:
        return QStringLiteral("speichern");
    case Befehl::TagVerwerfen:
        return QStringLiteral("verwerfen");
    case Befehl::TagAktualisieren:
        return QStringLiteral("aktualisieren");
    case Befehl::Jahreskalender:
        return QStringLiteral("jahreskalender");
    case Befehl::Wochenkalender:
        return QStringLiteral("wochenkalender");
    case Befehl::Monatskalender:
        return QStringLiteral("monatskalender");
    case Befehl::Tagebuch:
        return QStringLiteral("tagebuch");
    case Befehl::Feldgroesse:
        return QStringLiteral("feldgroesse");
    case Befehl::Seiteneinstellungen:
        return QStringLiteral("seiteneinstellungen");
    case Befehl::Einstellungen:
        return QStringLiteral("einstellungen");
    default:
        return {};
    }
}

} // namespace

QIcon symbol(Befehl befehl)
{
    const QString name = symbolName(befehl);
    return name.isEmpty() ? QIcon() : widgets::symbolbild(name);
}

QImage programmSymbolBild()
{
    return QImage(QStringLiteral(":/kronoblatt/kronoblatt-48.png"));
}

QIcon programmSymbol(const QImage &bild)
{
    // The window system gets the icon with each window: a few small sizes, not the 256-pixel
    // picture the desktop shows for the program.
    if (bild.isNull())
        return widgets::symbolbild(QStringLiteral("programm"));
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(bild));
    for (const int kante : { 16, 32 }) {
        icon.addPixmap(QPixmap::fromImage(
            bild.scaled(kante, kante, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return icon;
}

} // namespace kb
