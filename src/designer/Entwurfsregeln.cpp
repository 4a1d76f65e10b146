#include "designer/Entwurfsregeln.h"

#include "settings/ColorValue.h"

#include <QLocale>
#include <cmath>

namespace kb::designer {

using enum FormBand;

int roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return int(floor) + 1;
    if (fraction < 0.5)
        return int(floor);
    return std::fmod(floor, 2.0) == 0 ? int(floor) : int(floor) + 1;
}

int resizedBandHeight(FormBand band, int height)
{
    if (band == Header)
        return std::max(height, 0);
    return height <= kRulerHeight ? kRulerHeight + 1 : height;
}

std::array<BandStrip, kBandCount> bandLayout(const Formular &form)
{
    std::array<BandStrip, kBandCount> strips {};
    int y = kRulerHeight; // the header's ruler strip
    for (int i = 0; i < kBandCount; ++i) {
        const auto band = static_cast<FormBand>(i);
        BandStrip &s = strips[std::size_t(i)];
        s.band = band;
        s.height = form.bandHeight(band);
        s.shown = band != Summary;
        s.top = y;
        s.separatorTop = y + s.height;
        if (s.shown)
            y += s.height + kSeparatorHeight;
    }
    return strips;
}

ColumnGuides columnGuides(double pageWidthMm, double columns, double spacingMm)
{
    const int c = std::max(roundHalfEven(columns), 1);
    const int s = roundHalfEven(spacingMm);
    ColumnGuides g;
    g.column = roundHalfEven(pageWidthMm / c * kPixelsPerMm);
    g.spacing = g.column + roundHalfEven(s * kPixelsPerMm);
    return g;
}

double guideWidthMm(const FormPage &page)
{
    // A4 paper prints across its long side in landscape; custom paper as given.
    if (page.paper == Paper::A4 && page.landscape)
        return std::max(page.widthMm, page.lengthMm);
    if (page.paper == Paper::A4)
        return std::min(page.widthMm, page.lengthMm);
    return page.widthMm;
}

ColumnGuides redrawGuides(Formular &form)
{
    FormPage &page = form.page();
    const PagePanel &panel = form.panel();
    if (panel.orientation != OrientationBox::Empty)
        page.landscape = panel.orientation == OrientationBox::Landscape;
    if (panel.paper == PaperItem::Custom) {
        page.widthMm = panel.paperWidth;
        page.lengthMm = panel.paperHeight;
    }
    return columnGuides(guideWidthMm(page), panel.columns, panel.columnSpacing);
}

void choosePaper(Formular &form, PaperItem item)
{
    FormPage &page = form.page();
    PagePanel &panel = form.panel();
    panel.paper = item;
    switch (item) {
    case PaperItem::A4:
        // The sheet the preview prints on, as a form file's "A4" gives it.
        page.paper = Paper::A4;
        page.widthMm = 210;
        page.lengthMm = 297;
        break;
    case PaperItem::A3:
        page.paper = Paper::Custom;
        page.widthMm = 420;
        page.lengthMm = 300;
        panel.orientation = OrientationBox::Portrait;
        break;
    case PaperItem::Custom:
        page.paper = Paper::Custom;
        page.widthMm = panel.paperWidth;
        page.lengthMm = panel.paperHeight;
        break;
    }
}

void chooseWeeks(Formular &form, bool show)
{
    form.panel().showWeeks = show;
    form.weekLabel().top = kRulerHeight;
}

QString activeBandText(FormBand band)
{
    switch (band) {
    case Header:
        return QStringLiteral(" Formular-Kopfzeile aktiv ");
    case Group:
        return QStringLiteral(" Formular-Detail aktiv ");
    case Day:
        return QStringLiteral(" Formular-Subdetail aktiv ");
    case Summary:
        return QStringLiteral(" Formular-Summen aktiv ");
    case Footer:
        return QString::fromUtf8(" Formular-Fußzeile aktiv ");
    }
    return {};
}

QString bandHint(FormBand band)
{
    switch (band) {
    case Header:
        return QStringLiteral("Dieses Band wird auf allen Seiten des Kalenders gedruckt.");
    case Group:
        return QStringLiteral("Nach diesem Band wird der Kalender gruppiert");
    case Day:
        return QStringLiteral("druckt alle Tage des Jahres");
    case Summary:
        return QStringLiteral("wird als Resultat der Subdetail-Daten nach diesen gedruckt");
    case Footer:
        return QStringLiteral("wird auf jeder Seite des Kalenders gedruckt");
    }
    return {};
}

QString orientationText(OrientationBox box)
{
    switch (box) {
    case OrientationBox::Empty:
        return {};
    case OrientationBox::Portrait:
        return QStringLiteral("Hochformat");
    case OrientationBox::Landscape:
        return QStringLiteral("Querformat");
    }
    return {};
}

QString paperText(PaperItem item)
{
    switch (item) {
    case PaperItem::A4:
        return QStringLiteral("DIN A4");
    case PaperItem::A3:
        return QStringLiteral("DIN A3");
    case PaperItem::Custom:
        return QString::fromUtf8("freie Grösse");
    }
    return {};
}

namespace {

// "##0.00": no group separator, two decimals, the German comma.
QString zweiStellen(double wert)
{
    QLocale german(QLocale::German);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    return german.toString(wert, 'f', 2);
}

} // namespace

std::optional<double> randWert(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QLocale german(QLocale::German);
    german.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double wert = german.toDouble(t, &ok);
    if (!ok || !std::isfinite(wert) || wert < 0)
        return std::nullopt;
    return wert;
}

std::optional<QString> randText(const QString &eingabe, QString *fehler)
{
    if (eingabe.trimmed().isEmpty())
        return QString();
    const std::optional<double> wert = randWert(eingabe);
    if (!wert)
        return std::nullopt;
    if (*wert > kMaxMargin) {
        if (fehler)
            *fehler = QString::fromUtf8("Wert zu groß !");
        return std::nullopt;
    }
    return zweiStellen(*wert);
}

QString randSchritt(const QString &text, int schritt)
{
    const double wert = randWert(text).value_or(0) + schritt;
    if (wert < 0 || wert > kMaxMargin)
        return text;
    return zweiStellen(wert);
}

QColor formColor(qint32 stored)
{
    // One palette for the whole program: system colours and "none" as the settings' colour
    // pickers show them.
    const QColor c = toQColor(stored);
    return c.isValid() ? c : QColor(Qt::black);
}

qint32 storedColor(const QColor &color)
{
    return qint32(quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16);
}

} // namespace kb::designer
