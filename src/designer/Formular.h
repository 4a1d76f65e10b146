#pragma once

#include "designer/FormKinds.h"
#include "designer/FormRecord.h"

#include <QString>
#include <array>
#include <vector>

namespace kb::designer {

// Header, group, day, summary and footer band of a new form, in designer pixels.
inline constexpr std::array<int, kBandCount> kDefaultBandHeights = { 72, 79, 86, 63, 79 };

// A kind holds at most this many elements, numbered 1 to 100.
inline constexpr int kMaxElementsPerKind = 100;

// Colours as form files store them: $00BBGGRR, or a system colour with the top byte $80.
inline constexpr qint32 kWhite = 0x00FFFFFF;
inline constexpr qint32 kBlack = 0x00000000;
inline constexpr qint32 kWindowText = qint32(0x80000008);

// Text alignment and rectangle styles as stored.
inline constexpr quint8 kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2;
inline constexpr quint8 kBrushSolid = 0, kBrushClear = 1;
inline constexpr quint8 kPenSolid = 0;

// The data sources a data field or data picture can name.
inline constexpr char kMainTable[] = "KBHaupttabelle";
inline constexpr char kDetailTable[] = "KBDetailtabelle";

struct FormFont {
    QString name = QStringLiteral("MS Sans Serif");
    qint32 size = 8;
    qint32 color = kWindowText;
    quint8 style = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    quint8 pitch = 0; // 0 default, 1 variable, 2 fixed

    friend bool operator==(const FormFont &, const FormFont &) = default;
};

// One element on a band. Positions are designer pixels relative to the band; every band
// but the header starts with its 50-pixel ruler.
struct FormElement {
    int kind = 0; // index into formKinds()
    int number = 0; // 1 to kMaxElementsPerKind
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;

    // Free texts, system fields (whose caption names the system value) and data fields.
    QString caption;
    qint32 color = kWhite; // background
    bool transparent = false;
    FormFont font;
    quint8 alignment = kAlignLeft;

    // Data fields and data pictures.
    QString source;
    QString dataField;

    // Pictures. `placeholder`: the file was not found, the built-in picture stands in; the
    // path is kept and saved as it was.
    QString picturePath;
    bool stretch = false;
    bool placeholder = false;

    // Rectangles: stored, but printing always draws an unfilled outline.
    QString shapeType = QStringLiteral("stRectangle");
    quint8 brushStyle = kBrushClear;
    qint32 brushColor = kWhite;
    qint32 penColor = kBlack;
    quint8 penStyle = kPenSolid;

    ElementType type() const { return formKind(kind).type; }
    FormBand band() const { return formKind(kind).band; }
    QString name() const { return elementName(kind, number); }

    friend bool operator==(const FormElement &, const FormElement &) = default;
};

enum class Paper { A4, A3, Custom };

// The page of the designer's report: what a preview prints with.
struct FormPage {
    Paper paper = Paper::A3;
    double widthMm = 420, lengthMm = 297;
    bool landscape = true;
    int columns = 6;
    double columnSpacingMm = 3;
    double marginTop = 10, marginBottom = 10, marginLeft = 10, marginRight = 10;
    FrameSides pageFrame = FrameSides::all();
    std::array<FrameSides, kBandCount> bandFrames { FrameSides {}, FrameSides {}, FrameSides {},
        FrameSides {}, FrameSides::all() };
    qint32 frameColor = kBlack; // of the page frame and every band frame
    qint32 frameWidth = 1;

    friend bool operator==(const FormPage &, const FormPage &) = default;
};

// The page-settings panel at the left of the designer.
enum class OrientationBox { Empty, Portrait, Landscape }; // "", "Hochformat", "Querformat"
enum class PaperItem { A4, A3, Custom }; // "DIN A4", "DIN A3", "freie Grösse"

struct PagePanel {
    OrientationBox orientation = OrientationBox::Empty;
    bool showWeeks = false; // " Wochen anzeigen  ": "ja" or "nein"
    int columns = 1; // 1 to 12
    int columnSpacing = 0; // 0 to 50 mm
    PaperItem paper = PaperItem::A4;
    int paperWidth = 60, paperHeight = 60; // 60 to 1500 mm, shown for "freie Grösse"
    bool shadeSaturdays = false, shadeSundays = false, shadeHolidays = false,
         shadeSchoolHolidays = false;

    friend bool operator==(const PagePanel &, const PagePanel &) = default;
};

// The label in the day band that stands for the week number; shown when the panel's week
// box reads "ja".
struct WeekLabel {
    int left = 10, top = 50, width = 27, height = 17;
    QString caption = QStringLiteral("Woche");
    FormFont font { QStringLiteral("Small Fonts"), 7, kWindowText, 0, 0 };
    quint8 alignment = kAlignRight;

    friend bool operator==(const WeekLabel &, const WeekLabel &) = default;
};

// A calendar form as the designer shows and changes it, without any window: five bands,
// their elements, the page and the panel. Loads from and saves to form files.
class Formular {
public:
    static int defaultBandHeight(FormBand band);

    int bandHeight(FormBand band) const { return m_bandHeights[index(band)]; }
    void setBandHeight(FormBand band, int height) { m_bandHeights[index(band)] = height; }

    // In stacking order: an element lies above those before it.
    const std::vector<FormElement> &elements() const { return m_elements; }
    FormElement *find(const QString &name);
    const FormElement *find(const QString &name) const;
    // The highest number given to an element of the kind since the form was emptied.
    int counter(int kind) const { return m_counters[static_cast<std::size_t>(kind)]; }

    // Creates an element of `type` on `band` with the designer's defaults and the kind's
    // next number; nullptr when the form refuses it (a message says why, except for a data
    // picture in the summary band, which the designer ignores silently).
    FormElement *create(ElementType type, FormBand band);
    // Removes the element; its number is not given again until the form is emptied.
    bool remove(const QString &name);
    // Removes every element and sets every counter to 0.
    void removeAll();

    FormPage &page() { return m_page; }
    const FormPage &page() const { return m_page; }
    PagePanel &panel() { return m_panel; }
    const PagePanel &panel() const { return m_panel; }
    WeekLabel &weekLabel() { return m_weekLabel; }
    const WeekLabel &weekLabel() const { return m_weekLabel; }
    // The font new system fields get.
    FormFont &systemFieldFont() { return m_systemFieldFont; }

    // Loads the form file at `path` into a fresh form, as the designer does when it opens.
    // A missing file shows "Datei <path> existiert nicht, neu anlegen" and leaves the form
    // fresh (false). A file that is no valid form file throws kb::Error and leaves this form
    // unchanged. A picture whose file is missing gets the placeholder and a message.
    bool load(const QString &path);
    // The same from records already read; `path` names the file in messages.
    void loadRecords(const std::vector<FormRecord> &records, const QString &path);

    // The records of a form file, in the writer's order.
    std::vector<FormRecord> records() const;
    // Writes the form file; the old file survives a failed save (kb::Error).
    void save(const QString &path) const;

    friend bool operator==(const Formular &, const Formular &) = default;

private:
    static std::size_t index(FormBand band) { return static_cast<std::size_t>(band); }
    FormElement &add(int kind, int number);
    void applyElement(int kind, const FormRecord &r);
    // Margins top, bottom, left, right and the column spacing, parsed beforehand.
    void applySettings(const FormRecord &r, const std::array<double, 5> &numbers);
    FormRecord elementRecord(const FormElement &e) const;
    FormRecord settingsRecord() const;

    std::array<int, kBandCount> m_bandHeights = kDefaultBandHeights;
    std::vector<FormElement> m_elements;
    std::array<int, kKindCount> m_counters {};
    FormPage m_page;
    PagePanel m_panel;
    WeekLabel m_weekLabel;
    FormFont m_systemFieldFont;
};

} // namespace kb::designer
