#include "printing/Tageszeile.h"

namespace kb::Tageszeile {

namespace {
const QString &urlaub()
{
    static const QString text = QStringLiteral("Urlaub");
    return text;
}
const QString &krank()
{
    static const QString text = QStringLiteral("Krank");
    return text;
}
} // namespace

std::optional<qint32> textFarbe(const QString &text, const LayoutSettings &settings)
{
    if (text == urlaub())
        return settings.schriftFarbeUrlaub;
    if (text == krank())
        return settings.schriftFarbeKrank;
    return std::nullopt;
}

bool textFarbeZuruecksetzen(const QString &text)
{
    return text == urlaub() || text == krank();
}

bool istWochenende(const QString &tag)
{
    return tag == QLatin1String("Sa") || tag == QLatin1String("So");
}

qint32 hintergrund(int kennung, const QString &tag, bool inFerien, const LayoutSettings &settings)
{
    qint32 farbe = kennung > 0 ? settings.hintergrundFeiertag : kWeiss;
    if (tag == QLatin1String("Sa"))
        farbe = settings.hintergrundSamstag;
    if (tag == QLatin1String("So"))
        farbe = settings.hintergrundWochenende;
    if (inFerien && !istWochenende(tag) && kennung <= 0)
        farbe = settings.hintergrundFarbeFerien;
    if (kennung > 0)
        farbe = settings.hintergrundFeiertag;
    return farbe;
}

qint32 hintergrund(const Tag &tag, const LayoutSettings &settings)
{
    return hintergrund(tag.kennung, tag.tag, settings.inFerien(tag.datum), settings);
}

QString tagesNummer(const QDate &datum)
{
    return datum.isValid() ? QString::number(datum.day()) : QString();
}

QString WochenLabel::text(const QString &tag, int woche)
{
    QString label;
    if (tag == QLatin1String("Mo") && woche >= 2)
        label = QStringLiteral("Woche ") + QString::number(woche);
    if (woche == 1 && !m_woche1Gezeigt) {
        label = QStringLiteral("Woche") + QString::number(woche);
        m_woche1Gezeigt = true;
    }
    return label;
}

QSizeF symbolGroesse(bool symbole, bool hatSymbol)
{
    if (symbole && hatSymbol)
        return { kSymbolGroesse, kSymbolGroesse };
    return { 0, 0 };
}

} // namespace kb::Tageszeile
