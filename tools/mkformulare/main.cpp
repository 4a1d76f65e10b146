// Makes the ready-made calendar forms installed with the program from their descriptions: each
// description file BESCHREIBUNG.txt becomes ZIELVERZEICHNIS/Kalenderdaten/BESCHREIBUNG.qvf,
// built through the same form model and writer as the designer's forms, so it loads like
// them and comes out byte for byte the same on every build.
//
//   kb_mkformulare ZIELVERZEICHNIS BESCHREIBUNG.txt ...
//
// A description is a list of blocks. A line at the left margin opens a block ("seite",
// "baender", "wochen", or an element type and its band, "text kopf"); the indented lines
// below it give its values ("platz 30 50 200 14"). '#' starts a comment line.
//
//   seite:    papier (DIN A4 | DIN A3 | frei B H), ausrichtung (Hochformat | Querformat),
//             spalten N, abstand MM, raender OBEN UNTEN LINKS RECHTS, wochen (ja | nein),
//             schattieren Samstag Sonntag Feiertage Ferien, rahmen (seite | kopf | gruppe |
//             tag | fuss) [oben] [unten] [links] [rechts], rahmenfarbe #RRGGBB, rahmenbreite N
//   baender:  kopf H, gruppe H, tag H, fuss H (designer pixels, rulers included)
//   wochen:   platz, schrift, ausrichtung: the week label of the day band
//   elements: text, system, feld, rechteck, datenbild; bands kopf, gruppe, tag, summen, fuss.
//             platz LINKS OBEN BREITE HOEHE (designer pixels), text TEXT, wert SYSTEMWERT,
//             quelle KBHaupttabelle | KBDetailtabelle, feld NAME, schrift NAME GROESSE
//             [fett] [kursiv] [#RRGGBB], ausrichtung links | rechts | mitte,
//             hintergrund transparent | #RRGGBB

#include "designer/Formular.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <map>
#include <optional>

namespace {

using kb::Error;
using namespace kb::designer;

[[noreturn]] void fehler(const QString &datei, int zeile, const QString &was)
{
    throw Error(QStringLiteral("%1, Zeile %2: %3").arg(datei).arg(zeile).arg(was));
}

struct Zeile {
    int nummer = 0;
    QString schluessel;
    QStringList werte;
    QString rest; // everything after the key, blanks kept
};

struct Leser {
    QString datei;

    int zahl(const Zeile &z, int i) const
    {
        bool ok = false;
        const int v = z.werte.value(i).toInt(&ok);
        if (!ok)
            fehler(datei, z.nummer, QStringLiteral("Zahl erwartet: %1").arg(z.werte.value(i)));
        return v;
    }

    qint32 farbe(const Zeile &z, const QString &text) const
    {
        static const QRegularExpression hex(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
        const auto m = hex.match(text);
        if (!m.hasMatch())
            fehler(datei, z.nummer, QStringLiteral("Farbe #RRGGBB erwartet: %1").arg(text));
        const uint rgb = m.captured(1).toUInt(nullptr, 16);
        // Stored as $00BBGGRR.
        return qint32(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
    }

    FormBand band(int nummer, const QString &text) const
    {
        static const std::map<QString, FormBand> baender {
            { QStringLiteral("kopf"), FormBand::Header },
            { QStringLiteral("gruppe"), FormBand::Group },
            { QStringLiteral("tag"), FormBand::Day },
            { QStringLiteral("summen"), FormBand::Summary },
            { QStringLiteral("fuss"), FormBand::Footer },
        };
        const auto it = baender.find(text);
        if (it == baender.end())
            fehler(datei, nummer, QStringLiteral("unbekanntes Band: %1").arg(text));
        return it->second;
    }

    quint8 ausrichtung(const Zeile &z) const
    {
        const QString a = z.werte.value(0);
        if (a == QLatin1String("links"))
            return kAlignLeft;
        if (a == QLatin1String("rechts"))
            return kAlignRight;
        if (a == QLatin1String("mitte"))
            return kAlignCenter;
        fehler(datei, z.nummer, QStringLiteral("Ausrichtung links, rechts oder mitte: %1").arg(a));
    }

    FormFont schrift(const Zeile &z) const
    {
        // The face name may hold blanks ("Small Fonts"): it runs up to the size.
        FormFont f;
        const auto istZahl = [](const QString &w) {
            bool ok = false;
            w.toInt(&ok);
            return ok;
        };
        int i = 0;
        QStringList name;
        while (i < z.werte.size() && !istZahl(z.werte.at(i)))
            name.append(z.werte.at(i++));
        if (name.isEmpty() || i >= z.werte.size())
            fehler(datei, z.nummer, QStringLiteral("Schrift NAME GROESSE erwartet"));
        f.name = name.join(QLatin1Char(' '));
        f.size = zahl(z, i++);
        f.color = kBlack;
        for (; i < z.werte.size(); ++i) {
            const QString w = z.werte.at(i);
            if (w == QLatin1String("fett"))
                f.style |= 1;
            else if (w == QLatin1String("kursiv"))
                f.style |= 2;
            else
                f.color = farbe(z, w);
        }
        return f;
    }

    FrameSides seiten(const Zeile &z) const
    {
        FrameSides s;
        for (int i = 1; i < z.werte.size(); ++i) {
            const QString w = z.werte.at(i);
            if (w == QLatin1String("oben"))
                s.top = true;
            else if (w == QLatin1String("unten"))
                s.bottom = true;
            else if (w == QLatin1String("links"))
                s.left = true;
            else if (w == QLatin1String("rechts"))
                s.right = true;
            else if (w != QLatin1String("keiner"))
                fehler(datei, z.nummer, QStringLiteral("Rahmenseite erwartet: %1").arg(w));
        }
        return s;
    }

    void seite(Formular &form, const Zeile &z) const
    {
        PagePanel &p = form.panel();
        FormPage &page = form.page();
        const QString &k = z.schluessel;
        if (k == QLatin1String("papier")) {
            if (z.rest == QLatin1String("DIN A4")) {
                p.paper = PaperItem::A4;
            } else if (z.rest == QLatin1String("DIN A3")) {
                p.paper = PaperItem::A3;
            } else if (z.werte.value(0) == QLatin1String("frei")) {
                p.paper = PaperItem::Custom;
                p.paperWidth = zahl(z, 1);
                p.paperHeight = zahl(z, 2);
            } else {
                fehler(datei, z.nummer, QStringLiteral("Papier DIN A4, DIN A3 oder frei B H"));
            }
        } else if (k == QLatin1String("ausrichtung")) {
            p.orientation = z.rest == QLatin1String("Querformat") ? OrientationBox::Landscape
                                                                  : OrientationBox::Portrait;
        } else if (k == QLatin1String("spalten")) {
            p.columns = zahl(z, 0);
            page.columns = p.columns;
        } else if (k == QLatin1String("abstand")) {
            p.columnSpacing = zahl(z, 0);
            page.columnSpacingMm = p.columnSpacing;
        } else if (k == QLatin1String("raender")) {
            page.marginTop = zahl(z, 0);
            page.marginBottom = zahl(z, 1);
            page.marginLeft = zahl(z, 2);
            page.marginRight = zahl(z, 3);
        } else if (k == QLatin1String("wochen")) {
            p.showWeeks = z.rest == QLatin1String("ja");
        } else if (k == QLatin1String("schattieren")) {
            p.shadeSaturdays = z.werte.contains(QStringLiteral("Samstag"));
            p.shadeSundays = z.werte.contains(QStringLiteral("Sonntag"));
            p.shadeHolidays = z.werte.contains(QStringLiteral("Feiertage"));
            p.shadeSchoolHolidays = z.werte.contains(QStringLiteral("Ferien"));
        } else if (k == QLatin1String("rahmen")) {
            const QString wo = z.werte.value(0);
            if (wo == QLatin1String("seite"))
                page.pageFrame = seiten(z);
            else
                page.bandFrames[std::size_t(band(z.nummer, wo))] = seiten(z);
        } else if (k == QLatin1String("rahmenfarbe")) {
            page.frameColor = farbe(z, z.rest);
        } else if (k == QLatin1String("rahmenbreite")) {
            page.frameWidth = zahl(z, 0);
        } else {
            fehler(datei, z.nummer, QStringLiteral("unbekannte Seiteneinstellung: %1").arg(k));
        }
    }

    void baender(Formular &form, const Zeile &z) const
    {
        form.setBandHeight(band(z.nummer, z.schluessel), zahl(z, 0));
    }

    void woche(Formular &form, const Zeile &z) const
    {
        WeekLabel &w = form.weekLabel();
        if (z.schluessel == QLatin1String("platz")) {
            w.left = zahl(z, 0);
            w.top = zahl(z, 1);
            w.width = zahl(z, 2);
            w.height = zahl(z, 3);
        } else if (z.schluessel == QLatin1String("schrift")) {
            w.font = schrift(z);
        } else if (z.schluessel == QLatin1String("ausrichtung")) {
            w.alignment = ausrichtung(z);
        } else {
            fehler(datei, z.nummer, QStringLiteral("unbekannter Wert: %1").arg(z.schluessel));
        }
    }

    void element(FormElement &e, const Zeile &z) const
    {
        const QString &k = z.schluessel;
        if (k == QLatin1String("platz")) {
            e.left = zahl(z, 0);
            e.top = zahl(z, 1);
            e.width = zahl(z, 2);
            e.height = zahl(z, 3);
        } else if (k == QLatin1String("text") || k == QLatin1String("wert")) {
            e.caption = z.rest;
        } else if (k == QLatin1String("quelle")) {
            e.source = z.rest;
        } else if (k == QLatin1String("feld")) {
            e.dataField = z.rest;
        } else if (k == QLatin1String("schrift")) {
            e.font = schrift(z);
        } else if (k == QLatin1String("ausrichtung")) {
            e.alignment = ausrichtung(z);
        } else if (k == QLatin1String("hintergrund")) {
            e.transparent = z.rest == QLatin1String("transparent");
            if (!e.transparent)
                e.color = farbe(z, z.rest);
        } else {
            fehler(datei, z.nummer, QStringLiteral("unbekannter Wert: %1").arg(k));
        }
    }
};

std::optional<ElementType> elementTyp(const QString &wort)
{
    static const std::map<QString, ElementType> typen {
        { QStringLiteral("text"), ElementType::FreeText },
        { QStringLiteral("system"), ElementType::SystemField },
        { QStringLiteral("feld"), ElementType::DataField },
        { QStringLiteral("rechteck"), ElementType::Rectangle },
        { QStringLiteral("datenbild"), ElementType::DataPicture },
    };
    const auto it = typen.find(wort);
    return it == typen.end() ? std::nullopt : std::optional(it->second);
}

Formular formular(const QString &pfad)
{
    QFile file(pfad);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Error(QStringLiteral("%1 lässt sich nicht lesen: %2").arg(pfad, file.errorString()));
    const Leser leser { QFileInfo(pfad).fileName() };
    Formular form;
    QString block;
    FormElement *element = nullptr;
    int nummer = 0;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        ++nummer;
        const QString line = QString::fromUtf8(raw);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const QStringList woerter = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!line.at(0).isSpace()) {
            block = woerter.value(0);
            element = nullptr;
            if (const std::optional<ElementType> typ = elementTyp(block)) {
                element = form.create(*typ, leser.band(nummer, woerter.value(1)));
                if (!element)
                    fehler(leser.datei, nummer, QStringLiteral("Element nicht angelegt"));
            } else if (block != QLatin1String("seite") && block != QLatin1String("baender")
                && block != QLatin1String("wochen")) {
                fehler(leser.datei, nummer, QStringLiteral("unbekannter Block: %1").arg(block));
            }
            continue;
        }
        Zeile z;
        z.nummer = nummer;
        z.schluessel = woerter.value(0);
        z.werte = woerter.mid(1);
        z.rest = trimmed.mid(z.schluessel.size()).trimmed();
        if (element)
            leser.element(*element, z);
        else if (block == QLatin1String("seite"))
            leser.seite(form, z);
        else if (block == QLatin1String("baender"))
            leser.baender(form, z);
        else if (block == QLatin1String("wochen"))
            leser.woche(form, z);
        else
            fehler(leser.datei, nummer, QStringLiteral("Wert außerhalb eines Blocks"));
    }
    return form;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fputs("Aufruf: kb_mkformulare ZIELVERZEICHNIS BESCHREIBUNG.txt ...\n", stderr);
        return 2;
    }
    try {
        const QString ziel = args.at(1) + QStringLiteral("/Kalenderdaten");
        if (!QDir().mkpath(ziel))
            throw Error(QStringLiteral("Das Verzeichnis %1 lässt sich nicht anlegen.").arg(ziel));
        for (const QString &beschreibung : args.mid(2)) {
            const QString name = QFileInfo(beschreibung).completeBaseName();
            formular(beschreibung).save(ziel + QLatin1Char('/') + name + QStringLiteral(".qvf"));
        }
    } catch (const Error &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
