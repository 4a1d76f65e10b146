#include "designer/FormSummary.h"

#include "designer/Formular.h"

#include <QLocale>

namespace kb::designer {

namespace {

QString mm(double value)
{
    QLocale german(QLocale::German);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    return german.toString(value, 'g', 6) + QStringLiteral(" mm");
}

QString bandLine(const Formular &form, FormBand band)
{
    std::array<int, kElementTypeCount> counts {};
    for (const FormElement &e : form.elements()) {
        if (e.band() == band)
            ++counts[static_cast<std::size_t>(e.type())];
    }
    QStringList parts;
    for (int t = 0; t < kElementTypeCount; ++t) {
        const int n = counts[static_cast<std::size_t>(t)];
        if (n > 0)
            parts.append(QStringLiteral("%1 %2").arg(n).arg(typeName(ElementType(t), n)));
    }
    return QStringLiteral("  %1 (Höhe %2): %3")
        .arg(bandCaption(band))
        .arg(form.bandHeight(band))
        .arg(parts.isEmpty() ? QStringLiteral("keine") : parts.join(QStringLiteral(", ")));
}

QString paperText(const PagePanel &panel)
{
    switch (panel.paper) {
    case PaperItem::A4:
        return QStringLiteral("DIN A4");
    case PaperItem::A3:
        return QStringLiteral("DIN A3");
    case PaperItem::Custom:
        break;
    }
    return QStringLiteral("freie Grösse %1 x %2 mm").arg(panel.paperWidth).arg(panel.paperHeight);
}

QString orientationText(OrientationBox box)
{
    switch (box) {
    case OrientationBox::Portrait:
        return QStringLiteral("Hochformat");
    case OrientationBox::Landscape:
        return QStringLiteral("Querformat");
    case OrientationBox::Empty:
        break;
    }
    return QStringLiteral("nicht gewählt");
}

QString sides(const FrameSides &f)
{
    QStringList on;
    if (f.top)
        on.append(QStringLiteral("oben"));
    if (f.bottom)
        on.append(QStringLiteral("unten"));
    if (f.left)
        on.append(QStringLiteral("links"));
    if (f.right)
        on.append(QStringLiteral("rechts"));
    return on.join(QStringLiteral(", "));
}

QString framesText(const FormPage &page)
{
    QStringList framed;
    if (page.pageFrame != FrameSides {})
        framed.append(QStringLiteral("Seite (%1)").arg(sides(page.pageFrame)));
    for (int b = 0; b < kBandCount; ++b) {
        const FrameSides &f = page.bandFrames[static_cast<std::size_t>(b)];
        if (f != FrameSides {})
            framed.append(QStringLiteral("%1 (%2)").arg(bandCaption(FormBand(b)), sides(f)));
    }
    if (framed.isEmpty())
        return QStringLiteral("keine");
    const QString color = QString::number(quint32(page.frameColor), 16)
                              .rightJustified(8, QLatin1Char('0'))
                              .toUpper();
    return framed.join(QStringLiteral(", "))
        + QStringLiteral("; Farbe $%1, Breite %2").arg(color).arg(page.frameWidth);
}

QString shadingText(const PagePanel &panel)
{
    QStringList days;
    if (panel.shadeSaturdays)
        days.append(QStringLiteral("Samstag"));
    if (panel.shadeSundays)
        days.append(QStringLiteral("Sonntag"));
    if (panel.shadeHolidays)
        days.append(QStringLiteral("Feiertage"));
    if (panel.shadeSchoolHolidays)
        days.append(QStringLiteral("Ferien"));
    return days.isEmpty() ? QStringLiteral("keine") : days.join(QStringLiteral(", "));
}

} // namespace

QStringList formSummary(const Formular &form)
{
    const FormPage &page = form.page();
    const PagePanel &panel = form.panel();
    QStringList lines;
    lines.append(QStringLiteral("Elemente: %1").arg(form.elements().size()));
    for (int b = 0; b < kBandCount; ++b)
        lines.append(bandLine(form, FormBand(b)));
    lines.append(
        QStringLiteral("Papier: %1, %2").arg(paperText(panel), orientationText(panel.orientation)));
    lines.append(
        QStringLiteral("Spalten: %1, Abstand %2 mm").arg(panel.columns).arg(panel.columnSpacing));
    lines.append(QStringLiteral("Ränder: oben %1, unten %2, links %3, rechts %4")
                     .arg(mm(page.marginTop), mm(page.marginBottom), mm(page.marginLeft),
                         mm(page.marginRight)));
    lines.append(QStringLiteral("Rahmen: %1").arg(framesText(page)));
    lines.append(QStringLiteral("Wochen anzeigen: %1")
                     .arg(panel.showWeeks ? QStringLiteral("ja") : QStringLiteral("nein")));
    lines.append(QStringLiteral("Hintergrundfarbe für: %1").arg(shadingText(panel)));
    return lines;
}

} // namespace kb::designer
