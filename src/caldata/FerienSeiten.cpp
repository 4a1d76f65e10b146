#include "caldata/FerienSeiten.h"

#include "caldata/KalenderAnlage.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace kb {

namespace {

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString seitenName(const QString &land)
{
    return QStringLiteral("Schulferien %1.htm").arg(land);
}

// "Mo 27.10.2025"
QString tagText(const QDate &tag)
{
    return wochentagKuerzel().at(tag.dayOfWeek() - 1) + QLatin1Char(' ')
        + tag.toString(QStringLiteral("dd.MM.yyyy"));
}

QString schuljahrText(int schuljahr)
{
    return QStringLiteral("%1/%2").arg(schuljahr).arg(
        (schuljahr + 1) % 100, 2, 10, QLatin1Char('0'));
}

QString kopf(const QString &titel)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<title>%1</title>\n<style>\n"
                          "body { font-family: Arial, sans-serif; font-size: 10pt; }\n"
                          "h1 { font-size: 14pt; color: #000080; }\n"
                          "h2 { font-size: 11pt; color: #000080; margin-top: 14pt; }\n"
                          "table { border-collapse: collapse; }\n"
                          "th { background-color: #dde4f0; text-align: left; }\n"
                          "th, td { border: 1px solid #a0a0a0; padding: 2px 6px; }\n"
                          "td.zahl { text-align: right; }\n"
                          ".hinweis { color: #a00000; }\n"
                          ".quelle { font-size: 8pt; color: #404040; }\n"
                          "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
        .arg(esc(titel));
}

QString quelle(const SchulferienTabelle &tabelle)
{
    QString html = QStringLiteral("<p class=\"quelle\">Quelle der Termine (Datei "
                                  "schulferien.csv im Programmverzeichnis):<br>\n");
    for (const QString &zeile : tabelle.kopf)
        html += esc(zeile) + QStringLiteral("<br>\n");
    return html + QStringLiteral("</p>\n");
}

QString fuss()
{
    return QStringLiteral("</body>\n</html>\n");
}

QString hinweis(const SchulferienEintrag &e)
{
    QStringList teile;
    if (!e.bestaetigt)
        teile.append(QStringLiteral("nicht bestätigt"));
    if (e.umstritten)
        teile.append(QStringLiteral("andere Quelle nennt abweichende Tage"));
    if (teile.isEmpty())
        return {};
    return QStringLiteral("<span class=\"hinweis\">vorläufig: %1</span>")
        .arg(esc(teile.join(QStringLiteral(", "))));
}

QList<int> schuljahreVon(const SchulferienTabelle &tabelle, const QString &land)
{
    QList<int> jahre;
    for (const SchulferienEintrag &e : tabelle.eintraege) {
        if (e.land == land && !jahre.contains(e.schuljahr))
            jahre.append(e.schuljahr);
    }
    std::sort(jahre.begin(), jahre.end());
    return jahre;
}

QString landSeite(const SchulferienTabelle &tabelle, const QString &land)
{
    QString html = kopf(QStringLiteral("Schulferien %1").arg(land));
    html += QStringLiteral("<p><a href=\"Schulferien.htm\">Übersicht aller Länder</a></p>\n"
                           "<p>Alle Ferientage einschließlich Beginn und Ende. In den "
                           "Einstellungen (Seite „Ferien-Termine“) übernimmt die Schaltfläche "
                           "„Ferien für Bundesland übernehmen“ die Termine des geöffneten "
                           "Kalenderjahres.</p>\n");
    for (int schuljahr : schuljahreVon(tabelle, land)) {
        QList<SchulferienEintrag> zeilen;
        for (const SchulferienEintrag &e : tabelle.eintraege) {
            if (e.land == land && e.schuljahr == schuljahr)
                zeilen.append(e);
        }
        std::stable_sort(zeilen.begin(), zeilen.end(),
            [](const SchulferienEintrag &a, const SchulferienEintrag &b) {
                return a.beginn < b.beginn;
            });
        html += QStringLiteral("<h2>Schuljahr %1</h2>\n<table>\n<tr><th>Ferien</th><th>Beginn</th>"
                               "<th>Ende</th><th>Tage</th><th>Hinweis</th></tr>\n")
                    .arg(schuljahrText(schuljahr));
        for (const SchulferienEintrag &e : zeilen) {
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td class=\"zahl\">%4</td>"
                                   "<td>%5</td></tr>\n")
                        .arg(esc(e.art), tagText(e.beginn), tagText(e.ende))
                        .arg(e.beginn.daysTo(e.ende) + 1)
                        .arg(hinweis(e));
        }
        html += QStringLiteral("</table>\n");
    }
    return html + quelle(tabelle) + fuss();
}

QString uebersicht(const SchulferienTabelle &tabelle)
{
    const QStringList laender = tabelle.laender();
    QList<int> jahre;
    for (const QString &land : laender) {
        for (int s : schuljahreVon(tabelle, land)) {
            if (!jahre.contains(s))
                jahre.append(s);
        }
    }
    std::sort(jahre.begin(), jahre.end());

    QString html = kopf(QStringLiteral("Schulferien in Deutschland"));
    if (!jahre.isEmpty())
        html += QStringLiteral("<p>Die Schulferien der Länder für die Schuljahre %1 bis %2. "
                               "Ein Klick auf ein Land zeigt alle seine Ferien.</p>\n")
                    .arg(schuljahrText(jahre.first()), schuljahrText(jahre.last()));
    html += QStringLiteral("<p>Die Termine lassen sich in die Einstellungen übernehmen: Seite "
                           "„Ferien-Termine“, Schaltfläche „Ferien für Bundesland übernehmen“ "
                           "(oder <code>kronoblatt-cli ferien LAND JAHR --einstellungen "
                           "INI</code>). Weihnachtsferien werden dabei am Jahreswechsel geteilt, "
                           "einzelne freie Tage kommen in die Zeilen „Zusätzlich“. Als vorläufig "
                           "markierte Termine bitte prüfen.</p>\n");
    html += QStringLiteral("<h2>Sommerferien</h2>\n<table>\n<tr><th>Land</th>");
    for (int s : jahre)
        html += QStringLiteral("<th>%1</th>").arg(s + 1);
    html += QStringLiteral("</tr>\n");
    for (const QString &land : laender) {
        html += QStringLiteral("<tr><td><a href=\"%1\">%2</a></td>")
                    .arg(esc(seitenName(land)), esc(land));
        for (int s : jahre) {
            QString zelle;
            for (const SchulferienEintrag &e : tabelle.eintraege) {
                if (e.land == land && e.schuljahr == s
                    && e.art.startsWith(QLatin1String("Sommer"))) {
                    zelle = e.beginn.toString(QStringLiteral("dd.MM.")) + QStringLiteral(" – ")
                        + e.ende.toString(QStringLiteral("dd.MM."));
                    if (e.vorlaeufig())
                        zelle += QStringLiteral(" <span class=\"hinweis\">*</span>");
                }
            }
            html += QStringLiteral("<td>%1</td>").arg(zelle);
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n<p><span class=\"hinweis\">*</span> vorläufiger "
                           "Termin</p>\n");
    return html + quelle(tabelle) + fuss();
}

} // namespace

QList<std::pair<QString, QByteArray>> ferienSeiten(const SchulferienTabelle &tabelle)
{
    QList<std::pair<QString, QByteArray>> seiten;
    seiten.append({ QStringLiteral("Schulferien.htm"), uebersicht(tabelle).toUtf8() });
    for (const QString &land : tabelle.laender())
        seiten.append({ seitenName(land), landSeite(tabelle, land).toUtf8() });
    return seiten;
}

QString ferienSeitenOrdner()
{
    return ProgramDir::path() + QStringLiteral("QVFerien/");
}

int ferienSeitenAktualisieren(const QString &csvPfad, const QString &ordner)
{
    const SchulferienTabelle tabelle = SchulferienTabelle::lesen(csvPfad);
    if (!QDir().mkpath(ordner))
        throw Error(QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(ordner)));
    int geschrieben = 0;
    for (const auto &[name, inhalt] : ferienSeiten(tabelle)) {
        const QString pfad = QDir(ordner).filePath(name);
        QFile alt(pfad);
        if (alt.open(QIODevice::ReadOnly) && alt.readAll() == inhalt)
            continue;
        writeFileAtomically(pfad, inhalt);
        ++geschrieben;
    }
    return geschrieben;
}

} // namespace kb
