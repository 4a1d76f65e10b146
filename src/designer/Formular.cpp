#include "designer/Formular.h"

#include "designer/FormFile.h"
#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace kb::designer {

namespace {

using enum ElementType;
using enum FormBand;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString missingFileMessage(const QString &path)
{
    return QStringLiteral("Datei ") + shown(path)
        + QStringLiteral("\r\n             existiert nicht, neu anlegen ");
}

// Margins and spacing are written the German way ("12,5"); files written under another
// locale carry a point, which is read as well, and older writers cut "100,75" to "100,".
std::optional<double> parseDecimal(const QString &text)
{
    QString t = text.trimmed();
    if (t.size() > 1 && (t.endsWith(QLatin1Char(',')) || t.endsWith(QLatin1Char('.'))))
        t.chop(1);
    for (QLocale locale : { QLocale(QLocale::German), QLocale::c() }) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(t, &ok);
        if (ok && std::isfinite(value))
            return value;
    }
    return std::nullopt;
}

// A margin of 0 to 1000 mm as decimal text of at most four characters: as many decimals
// as fit ("12,5", "7,25", "101" for 100.75), never a cut-off text.
QString decimalText(double mm)
{
    const double value = mm > 0 ? std::min(mm, 1000.0) : 0.0;
    QLocale german(QLocale::German);
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    for (int decimals = 2; decimals > 0; --decimals) {
        QString text = german.toString(value, 'f', decimals);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(german.decimalPoint()))
            text.chop(german.decimalPoint().size());
        if (text.size() <= 4)
            return text;
    }
    return QString::number(std::lround(value));
}

double margin(double mm)
{
    return std::clamp(mm, 0.0, 1000.0);
}

bool pictureExists(const QString &path)
{
    if (QFileInfo(path).isFile())
        return true;
    // Paths written on Windows separate with '\'.
    return path.contains(QLatin1Char('\\'))
        && QFileInfo(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'))).isFile();
}

QString kindDescription(int kind)
{
    const FormKind &k = formKind(kind);
    return QStringLiteral("%1 im Band „%2“").arg(typeName(k.type, 2), bandCaption(k.band));
}

using SettingsNumbers = std::array<double, 5>; // margins top, bottom, left, right; spacing

// The decimal texts of a settings record, or kb::Error naming the first that is no number.
SettingsNumbers settingsNumbers(const FormRecord &r, const QString &path)
{
    const std::pair<const QString *, const char *> texts[] = {
        { &r.marginTop, "Rand oben" },
        { &r.marginBottom, "Rand unten" },
        { &r.marginLeft, "Rand links" },
        { &r.marginRight, "Rand rechts" },
        { &r.columnSpacing, "Spaltenabstand" },
    };
    SettingsNumbers values {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<double> v = parseDecimal(*texts[i].first);
        if (!v) {
            throw Error(QStringLiteral("Die Formulardatei %1 ist beschädigt: „%2“ im Feld "
                                       "„%3“ der Seiteneinstellungen ist keine Zahl.")
                            .arg(shown(path), *texts[i].first, QString::fromUtf8(texts[i].second)));
        }
        values[i] = *v;
    }
    return values;
}

// Position, size and the further defaults of a new element, as the designer places it.
void setDefaults(FormElement &e)
{
    const bool header = e.band() == Header;
    e.left = 45;
    switch (e.type()) {
    case FreeText:
        e.top = header ? 10 : 50;
        e.width = 44;
        e.height = 12;
        e.caption = QStringLiteral("freies Textfeld");
        break;
    case SystemField:
        e.top = header ? 3 : 50;
        e.width = 44;
        e.height = 12;
        e.caption = QStringLiteral("System-Tools");
        break;
    case DataField:
        e.top = header ? 2 : 50;
        e.width = 120;
        e.height = 12;
        break;
    case Picture:
        e.top = header ? 2 : 50;
        e.width = 50;
        e.height = 35;
        e.picturePath = ProgramDir::path() + QStringLiteral("leer.bmp");
        e.placeholder = true;
        e.stretch = true;
        break;
    case Rectangle:
        e.top = header ? 2 : 50;
        e.width = 40;
        e.height = 20;
        break;
    case DataPicture:
        if (e.band() == Group) {
            e.left = 27;
            e.top = 52;
            e.width = 100;
            e.height = 25;
        } else {
            e.left = 10;
            e.top = 50;
            e.width = 20;
            e.height = 20;
        }
        e.stretch = true;
        break;
    }
}

// The fields of a record that the designer applies to a loaded element of each type.
void applyRecord(FormElement &e, const FormRecord &r)
{
    const FormFont font { r.fontName, r.fontSize, r.fontColor, r.fontStyle, r.fontPitch };
    switch (e.type()) {
    case FreeText:
    case SystemField:
        e.caption = r.caption;
        e.font = font;
        e.color = r.color;
        e.alignment = r.alignment;
        // A system field always loads opaque.
        e.transparent = e.type() == FreeText && r.transparent;
        e.visible = r.visible;
        break;
    case DataField:
        e.font = font;
        e.color = r.color;
        e.alignment = r.alignment;
        e.source = r.source;
        e.dataField = r.dataField;
        e.visible = r.visible;
        e.transparent = r.transparent;
        break;
    case Picture:
        e.picturePath = r.picturePath;
        if (!pictureExists(r.picturePath)) {
            ui().beep();
            ui().message(
                QStringLiteral("Bild ") + r.picturePath + QStringLiteral(" nicht gefunden !"));
            e.placeholder = true;
            e.stretch = true;
        }
        if (e.band() == Header) {
            e.visible = true;
            e.stretch = true;
        } else {
            e.visible = r.visible;
            e.stretch = r.stretch;
        }
        break;
    case Rectangle:
        e.brushStyle = kBrushClear;
        e.visible = r.visible;
        break;
    case DataPicture:
        e.stretch = true;
        e.source = r.source;
        e.dataField = r.dataField;
        break;
    }
}

} // namespace

int Formular::defaultBandHeight(FormBand band)
{
    return kDefaultBandHeights[index(band)];
}

FormElement *Formular::find(const QString &name)
{
    for (FormElement &e : m_elements) {
        if (e.name() == name)
            return &e;
    }
    return nullptr;
}

const FormElement *Formular::find(const QString &name) const
{
    return const_cast<Formular *>(this)->find(name);
}

FormElement &Formular::add(int kind, int number)
{
    FormElement &e = m_elements.emplace_back();
    e.kind = kind;
    e.number = number;
    return e;
}

FormElement *Formular::create(ElementType type, FormBand band)
{
    if (type == DataPicture && (band == Header || band == Footer)) {
        ui().message(QStringLiteral("Datenbank-Bilder können nur im Gruppenband (Detailband) "
                                    "und\rTage im Jahr (Subdetailband) eingefügt werden !"));
        return nullptr;
    }
    const std::optional<int> kind = kindOf(type, band);
    if (!kind)
        return nullptr; // no data pictures in the summary band
    int &counter = m_counters[static_cast<std::size_t>(*kind)];
    if (counter >= kMaxElementsPerKind) {
        ui().message(QStringLiteral("Es können keine weiteren %1 angelegt werden: Ein Formular "
                                    "fasst höchstens %2 Elemente einer Art je Band. Gelöschte "
                                    "Elemente zählen mit, bis das Formular gespeichert und "
                                    "wieder geöffnet ist.")
                         .arg(kindDescription(*kind))
                         .arg(kMaxElementsPerKind));
        return nullptr;
    }
    const int number = ++counter;
    if (find(elementName(*kind, number)))
        return nullptr;

    FormElement &e = add(*kind, number);
    setDefaults(e);
    if (type == SystemField)
        e.font = m_systemFieldFont;
    return &e;
}

bool Formular::remove(const QString &name)
{
    const auto it = std::find_if(m_elements.begin(), m_elements.end(),
        [&](const FormElement &e) { return e.name() == name; });
    if (it == m_elements.end())
        return false;
    m_elements.erase(it);
    return true;
}

void Formular::removeAll()
{
    m_elements.clear();
    m_counters.fill(0);
}

bool Formular::load(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        Formular fresh;
        fresh.m_systemFieldFont = m_systemFieldFont;
        *this = std::move(fresh);
        ui().message(missingFileMessage(path));
        return false;
    }
    loadRecords(readFormFile(path), path);
    return true;
}

void Formular::loadRecords(const std::vector<FormRecord> &records, const QString &path)
{
    // Everything that can refuse the file is checked before anything is applied, so a
    // refused file changes nothing and shows no other message.
    std::array<std::vector<const FormRecord *>, kKindCount> byKind;
    std::vector<std::pair<const FormRecord *, SettingsNumbers>> settings;
    for (const FormRecord &r : records) {
        if (const std::optional<int> kind = matchKind(r.name))
            byKind[static_cast<std::size_t>(*kind)].push_back(&r);
        else if (isSettingsName(r.name))
            settings.emplace_back(&r, settingsNumbers(r, path));
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        const std::size_t count = byKind[static_cast<std::size_t>(kind)].size();
        if (count > std::size_t(kMaxElementsPerKind)) {
            throw Error(QStringLiteral("Die Formulardatei %1 enthält %2 %3; ein Formular fasst "
                                       "höchstens %4 Elemente einer Art je Band.")
                            .arg(shown(path))
                            .arg(count)
                            .arg(kindDescription(kind))
                            .arg(kMaxElementsPerKind));
        }
    }

    // Every kind's records in file order, the kinds in the reader's pass order: elements are
    // numbered densely from 1, and the pass order is the stacking order.
    Formular form;
    form.m_systemFieldFont = m_systemFieldFont;
    for (int pass = 0; pass < kKindCount; ++pass) {
        if (pass == kPassesBeforeSettings) {
            for (const auto &[r, numbers] : settings)
                form.applySettings(*r, numbers);
        }
        const int kind = passOrder()[static_cast<std::size_t>(pass)];
        for (const FormRecord *r : byKind[static_cast<std::size_t>(kind)])
            form.applyElement(kind, *r);
    }
    *this = std::move(form);
}

void Formular::applyElement(int kind, const FormRecord &r)
{
    FormElement &e = add(kind, ++m_counters[static_cast<std::size_t>(kind)]);
    // The last record of a band decides its height.
    setBandHeight(e.band(), r.bandHeight);
    e.left = r.left;
    e.top = r.top;
    e.width = r.width;
    e.height = r.height;
    applyRecord(e, r);
    // The orientation box follows the last element record; system fields leave it.
    if (e.type() != SystemField)
        m_panel.orientation
            = r.orientation != 0 ? OrientationBox::Landscape : OrientationBox::Portrait;
}

void Formular::applySettings(const FormRecord &r, const std::array<double, 5> &numbers)
{
    m_weekLabel.left = r.left;
    m_weekLabel.top = r.top;
    m_weekLabel.width = r.width;
    m_weekLabel.height = r.height;
    m_weekLabel.caption = r.caption;
    m_weekLabel.font = { r.fontName, r.fontSize, r.fontColor, r.fontStyle, r.fontPitch };
    m_weekLabel.alignment = r.alignment;

    m_panel.columns = std::clamp(r.columns, 1, 12);
    m_page.columns = m_panel.columns;
    m_panel.shadeSaturdays = r.shadeSaturdays == 1;
    m_panel.shadeSundays = r.shadeSundays == 1;
    m_panel.shadeHolidays = r.shadeHolidays == 1;
    m_panel.shadeSchoolHolidays = r.shadeSchoolHolidays == 1;
    m_page.columnSpacingMm = std::clamp(numbers[4], 0.0, 50.0);
    m_panel.columnSpacing = qRound(m_page.columnSpacingMm);
    m_panel.showWeeks = r.visible;

    if (r.paperSize == QLatin1String("A4")) {
        m_panel.paper = PaperItem::A4;
        m_page.paper = Paper::A4;
        m_page.widthMm = 210;
        m_page.lengthMm = 297;
    } else if (r.paperSize == QLatin1String("A3")) {
        m_panel.paper = PaperItem::A3;
        m_page.paper = Paper::Custom;
        m_page.widthMm = 420;
        m_page.lengthMm = 300;
        m_panel.orientation = OrientationBox::Portrait;
    } else if (r.paperSize == QLatin1String("Custom")) {
        m_panel.paper = PaperItem::Custom;
        m_panel.paperWidth = std::clamp(r.paperWidth, 60, 1500);
        m_panel.paperHeight = std::clamp(r.paperHeight, 60, 1500);
        m_page.paper = Paper::Custom;
        m_page.widthMm = m_panel.paperWidth;
        m_page.lengthMm = m_panel.paperHeight;
    }

    m_page.pageFrame = r.pageFrame;
    m_page.bandFrames = r.bandFrames;
    m_page.marginTop = margin(numbers[0]);
    m_page.marginBottom = margin(numbers[1]);
    m_page.marginLeft = margin(numbers[2]);
    m_page.marginRight = margin(numbers[3]);
    m_page.frameColor = r.color;
    m_page.frameWidth = std::max(r.frameWidth, 0);
}

std::vector<FormRecord> Formular::records() const
{
    // Every element needs a slot of its own within its kind's run, or it would be lost.
    std::array<std::array<const FormElement *, kMaxElementsPerKind + 1>, kKindCount> slots {};
    for (const FormElement &e : m_elements) {
        const bool inRun = e.kind >= 0 && e.kind < kKindCount && e.number >= 1
            && e.number <= std::min(counter(e.kind), kMaxElementsPerKind);
        const FormElement *&slot
            = slots[inRun ? std::size_t(e.kind) : 0][inRun ? std::size_t(e.number) : 0];
        if (!inRun || slot) {
            throw Error(QStringLiteral("Das Formular wird nicht gespeichert: Das Element %1 hat "
                                       "keine eigene Nummer von 1 bis %2.")
                            .arg(inRun ? e.name() : QStringLiteral("Nr. %1").arg(e.number))
                            .arg(kMaxElementsPerKind));
        }
        slot = &e;
    }

    std::vector<FormRecord> out;
    out.reserve(m_elements.size() + kKindCount + 5);
    const auto run = [&](int kind) {
        const int counter = std::min(this->counter(kind), kMaxElementsPerKind);
        out.emplace_back(); // record 0 is always blank
        for (int n = 1; n <= counter; ++n) {
            const FormElement *e
                = slots[static_cast<std::size_t>(kind)][static_cast<std::size_t>(n)];
            out.push_back(e ? elementRecord(*e) : FormRecord {});
        }
    };
    const auto &order = writeOrder();
    for (int i = 0; i < kWritesBeforeSettings; ++i)
        run(order[static_cast<std::size_t>(i)]);
    out.push_back(settingsRecord());
    for (int i = kWritesBeforeSettings; i < kWritesBeforeReserved; ++i)
        run(order[static_cast<std::size_t>(i)]);
    out.insert(out.end(), kReservedBlanks, FormRecord {});
    for (int i = kWritesBeforeReserved; i < kKindCount; ++i)
        run(order[static_cast<std::size_t>(i)]);
    return out;
}

void Formular::save(const QString &path) const
{
    writeFormFile(path, records());
}

FormRecord Formular::elementRecord(const FormElement &e) const
{
    FormRecord r;
    r.bandHeight = bandHeight(e.band());
    r.name = e.name();
    r.height = e.height;
    r.width = e.width;
    r.visible = e.visible;
    r.top = e.top;
    r.left = e.left;
    r.orientation = m_panel.orientation == OrientationBox::Portrait ? 0 : 1;
    const auto setFont = [&] {
        r.color = e.color;
        r.fontName = e.font.name;
        r.fontSize = e.font.size;
        r.fontColor = e.font.color;
        r.fontStyle = e.font.style;
        r.transparent = e.transparent;
        r.alignment = e.alignment;
    };
    const int counter = this->counter(e.kind);
    switch (e.type()) {
    case FreeText:
    case SystemField:
        setFont();
        r.caption = e.caption;
        r.countA = counter;
        break;
    case DataField:
        setFont();
        r.source = e.source;
        r.dataField = e.dataField;
        r.countB = counter;
        break;
    case Picture:
        r.picturePath = e.picturePath;
        r.stretch = e.stretch;
        r.countC = counter;
        break;
    case Rectangle:
        r.shapeType = e.shapeType;
        r.brushStyle = e.brushStyle;
        r.brushColor = e.brushColor;
        r.penColor = e.penColor;
        r.penStyle = e.penStyle;
        r.countA = counter;
        break;
    case DataPicture:
        r.source = e.source;
        r.dataField = e.dataField;
        break;
    }
    return r;
}

FormRecord Formular::settingsRecord() const
{
    FormRecord r;
    r.bandHeight = bandHeight(Day);
    r.name = QLatin1StringView(kSettingsName);
    r.caption = m_weekLabel.caption;
    r.height = m_weekLabel.height;
    r.width = m_weekLabel.width;
    r.alignment = m_weekLabel.alignment;
    r.top = m_weekLabel.top;
    r.left = m_weekLabel.left;
    r.fontName = m_weekLabel.font.name;
    r.fontSize = m_weekLabel.font.size;
    r.fontColor = m_weekLabel.font.color;
    r.fontStyle = m_weekLabel.font.style;
    r.visible = m_panel.showWeeks;

    // The panel's ranges, so that every value fits its field.
    r.columns = std::clamp(m_panel.columns, 1, 12);
    r.columnSpacing = QString::number(std::clamp(m_panel.columnSpacing, 0, 50));
    r.shadeSaturdays = m_panel.shadeSaturdays ? 1 : 0;
    r.shadeSundays = m_panel.shadeSundays ? 1 : 0;
    r.shadeHolidays = m_panel.shadeHolidays ? 1 : 0;
    r.shadeSchoolHolidays = m_panel.shadeSchoolHolidays ? 1 : 0;
    switch (m_panel.paper) {
    case PaperItem::A4:
        r.paperSize = QStringLiteral("A4");
        break;
    case PaperItem::A3:
        r.paperSize = QStringLiteral("A3");
        break;
    case PaperItem::Custom:
        r.paperSize = QStringLiteral("Custom");
        r.paperWidth = std::clamp(m_panel.paperWidth, 60, 1500);
        r.paperHeight = std::clamp(m_panel.paperHeight, 60, 1500);
        break;
    }
    r.marginTop = decimalText(m_page.marginTop);
    r.marginBottom = decimalText(m_page.marginBottom);
    r.marginLeft = decimalText(m_page.marginLeft);
    r.marginRight = decimalText(m_page.marginRight);
    r.frameFlags = true;
    r.pageFrame = m_page.pageFrame;
    r.bandFrames = m_page.bandFrames;
    r.color = m_page.frameColor;
    r.frameWidth = m_page.frameWidth;
    return r;
}

} // namespace kb::designer
