#include "printing/Tageszeile.h"

#include "printing/TextGruppen.h"
#include "report/Band.h"
#include "report/DataSet.h"
#include "report/Printables.h"

#include <cmath>

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

PictureFit symbolFit()
{
    const int seite = int(std::ceil(kSymbolGroesse * report::kPictureDetail));
    return { QSize(seite, seite), false };
}

QSizeF symbolGroesse(bool symbole, bool hatSymbol)
{
    if (symbole && hatSymbol)
        return { kSymbolGroesse, kSymbolGroesse };
    return { 0, 0 };
}

Regeln::Regeln(
    const report::DataSet &daten, const LayoutSettings &settings, const Teile &teile, bool symbole)
    : m_daten(daten)
    , m_settings(settings)
    , m_teile(teile)
    , m_symbole(symbole && teile.symbol)
{
}

Tag Regeln::tag() const
{
    Tag t;
    t.datum = m_daten.value(QStringLiteral("Datum")).toDate();
    t.tag = m_daten.value(QStringLiteral("Tag")).toString();
    t.text = m_daten.value(QStringLiteral("Text")).toString();
    t.woche = m_daten.value(QStringLiteral("Woche")).toInt();
    t.kennung = m_daten.value(QStringLiteral("Kennung")).toInt();
    // Decoding the symbol costs time: only when symbols show at all, and at the size it prints
    // at, so the symbol printed next finds it decoded.
    t.hatSymbol = m_symbole && !m_daten.picture(QStringLiteral("SymbolBild"), symbolFit()).isNull();
    return t;
}

void Regeln::vorDruck(report::Band &zeile)
{
    const Tag t = tag();
    if (const auto farbe = textFarbe(t.text, m_settings); farbe && m_teile.text)
        m_teile.text->setColor(druckFarbe(*farbe));
    if (m_teile.nummer)
        m_teile.nummer->setCaption(tagesNummer(t.datum));
    const QString woche = m_wochenLabel.text(t.tag, t.woche);
    if (m_teile.woche)
        m_teile.woche->setCaption(woche);
    zeile.setBackground(druckFarbe(hintergrund(t, m_settings), Qt::white));
    if (m_teile.symbol) {
        const QSizeF groesse = symbolGroesse(m_symbole, t.hatSymbol);
        m_teile.symbol->setSize(groesse.width(), groesse.height());
    }
}

void Regeln::nachDruck()
{
    if (m_teile.text && textFarbeZuruecksetzen(m_daten.value(QStringLiteral("Text")).toString()))
        m_teile.text->setColor(druckFarbe(kSchwarz));
}

} // namespace kb::Tageszeile
