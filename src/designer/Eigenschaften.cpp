#include "designer/Eigenschaften.h"

#include "designer/Entwurfsregeln.h"
#include "settings/ColorValue.h"

#include <QLocale>
#include <cmath>

namespace kb::designer {

namespace {

using enum ElementType;

// Positions stay on the 5000-pixel workspace; an element is at least one pixel.
constexpr int kMaxPixel = kWorkspaceSize;
constexpr int kMaxSchrift = 200;

bool mitSchrift(const FormElement &e)
{
    return e.type() == FreeText || e.type() == SystemField;
}

} // namespace

QString farbText(qint32 wert)
{
    for (const FarbEintrag &f : farbEintraege(true)) {
        if (f.wert == wert)
            return f.name;
    }
    return QStringLiteral("$%1").arg(quint32(wert), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<qint32> farbWert(const QString &text)
{
    const QString t = text.trimmed();
    for (const FarbEintrag &f : farbEintraege(true)) {
        if (f.name.compare(t, Qt::CaseInsensitive) == 0)
            return f.wert;
    }
    bool ok = false;
    if (t.startsWith(QLatin1Char('$')) && t.size() <= 9) {
        const quint32 n = t.mid(1).toUInt(&ok, 16);
        if (ok)
            return qint32(n);
    }
    if (t.startsWith(QLatin1Char('#')) && t.size() == 7) {
        const quint32 rgb = t.mid(1).toUInt(&ok, 16);
        if (ok) // #RRGGBB to $00BBGGRR
            return qint32(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));
    }
    return std::nullopt;
}

QString farbText(const QColor &f)
{
    return farbText(storedColor(f));
}

std::optional<QColor> farbe(const QString &text)
{
    const std::optional<qint32> wert = farbWert(text);
    if (!wert)
        return std::nullopt;
    return formColor(*wert);
}

std::optional<QString> zahlSetzen(int &ziel, const QString &text, int von, int bis)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < von || n > bis)
        return QStringLiteral("Bitte eine ganze Zahl von %1 bis %2 eingeben.").arg(von).arg(bis);
    ziel = n;
    return std::nullopt;
}

std::optional<QString> zahlSetzen(double &ziel, const QString &text, double von, double bis)
{
    bool ok = false;
    // Both the German decimal comma and the point are taken.
    const double n
        = QString(text.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(n) || n < von || n > bis)
        return QStringLiteral("Bitte eine Zahl von %1 bis %2 eingeben.")
            .arg(QLocale(QLocale::German).toString(von), QLocale(QLocale::German).toString(bis));
    ziel = n;
    return std::nullopt;
}

std::optional<QString> farbeSetzen(qint32 &ziel, const QString &text)
{
    const std::optional<qint32> f = farbWert(text);
    if (!f)
        return QStringLiteral("„%1“ ist keine Farbe. Bitte einen Farbnamen wie „Rot“ oder "
                              "einen Wert wie „$000000FF“ eingeben.")
            .arg(text.trimmed());
    ziel = *f;
    return std::nullopt;
}

std::optional<QString> farbeSetzen(QColor &ziel, const QString &text)
{
    qint32 wert = 0;
    if (std::optional<QString> fehler = farbeSetzen(wert, text))
        return fehler;
    ziel = formColor(wert);
    return std::nullopt;
}

std::optional<QString> jaNeinSetzen(bool &ziel, const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == u"ja" || t == u"j" || t == u"1" || t == u"wahr") {
        ziel = true;
        return std::nullopt;
    }
    if (t == u"nein" || t == u"n" || t == u"0" || t == u"falsch") {
        ziel = false;
        return std::nullopt;
    }
    return QStringLiteral("Bitte „ja“ oder „nein“ eingeben.");
}

QString jaNein(bool wert)
{
    return wert ? QStringLiteral("ja") : QStringLiteral("nein");
}

std::vector<Listenzeile> listenzeilen(const FormElement &e)
{
    std::vector<Listenzeile> zeilen;
    for (const EigenschaftZeile &z : eigenschaften(e)) {
        const bool istFarbe
            = z.was == Eigenschaft::Hintergrundfarbe || z.was == Eigenschaft::Schriftfarbe;
        zeilen.push_back({ .id = int(z.was),
            .titel = z.titel,
            .wert = z.wert,
            .aenderbar = z.aenderbar,
            .art = istFarbe ? Werteart::Farbe : Werteart::Text,
            .auswahl = {} });
    }
    return zeilen;
}

std::vector<EigenschaftZeile> eigenschaften(const FormElement &e)
{
    std::vector<EigenschaftZeile> z = {
        { Eigenschaft::Name, QStringLiteral("Name"), e.name(), false },
        { Eigenschaft::Oben, QStringLiteral("Oben"), QString::number(e.top) },
        { Eigenschaft::Links, QStringLiteral("Links"), QString::number(e.left) },
        { Eigenschaft::Breite, QStringLiteral("Breite"), QString::number(e.width) },
        { Eigenschaft::Hoehe, QStringLiteral("Höhe"), QString::number(e.height) },
    };
    if (mitSchrift(e)) {
        z.push_back({ Eigenschaft::Text, QStringLiteral("Text"), e.caption });
        z.push_back({ Eigenschaft::Hintergrundfarbe, QStringLiteral("Hintergrundfarbe"),
            farbText(e.color) });
        z.push_back({ Eigenschaft::Schriftart, QStringLiteral("Schriftart"), e.font.name });
        z.push_back({ Eigenschaft::Schriftgroesse, QStringLiteral("Schriftgröße"),
            QString::number(e.font.size) });
        z.push_back(
            { Eigenschaft::Schriftfarbe, QStringLiteral("Schriftfarbe"), farbText(e.font.color) });
    }
    return z;
}

std::optional<QString> eigenschaftSetzen(FormElement &e, Eigenschaft was, const QString &text)
{
    const auto zahl = [&](int &ziel, int von, int bis) { return zahlSetzen(ziel, text, von, bis); };
    const auto farbe = [&](qint32 &ziel) { return farbeSetzen(ziel, text); };
    if (!mitSchrift(e) && int(was) > int(Eigenschaft::Hoehe))
        return QStringLiteral("Dieses Element hat keine solche Eigenschaft.");
    switch (was) {
    case Eigenschaft::Name:
        return QStringLiteral("Der Name eines Elements kann nicht geändert werden.");
    case Eigenschaft::Oben:
        return zahl(e.top, 0, kMaxPixel);
    case Eigenschaft::Links:
        return zahl(e.left, 0, kMaxPixel);
    case Eigenschaft::Breite:
        return zahl(e.width, 1, kMaxPixel);
    case Eigenschaft::Hoehe:
        return zahl(e.height, 1, kMaxPixel);
    case Eigenschaft::Text:
        e.caption = text;
        return std::nullopt;
    case Eigenschaft::Hintergrundfarbe:
        return farbe(e.color);
    case Eigenschaft::Schriftart:
        if (text.trimmed().isEmpty())
            return QStringLiteral("Bitte den Namen einer Schriftart eingeben.");
        // Form files keep at most 20 characters of a font name.
        e.font.name = text.trimmed().left(20);
        return std::nullopt;
    case Eigenschaft::Schriftgroesse:
        return zahl(e.font.size, 1, kMaxSchrift);
    case Eigenschaft::Schriftfarbe:
        return farbe(e.font.color);
    }
    return std::nullopt;
}

} // namespace kb::designer
