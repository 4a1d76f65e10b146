#pragma once

#include "designer/FormKinds.h"

#include <QString>
#include <array>
#include <optional>

namespace kb::designer {

// Which sides of the page or of a band carry a frame line.
struct FrameSides {
    bool top = false, bottom = false, left = false, right = false;

    static FrameSides all() { return { true, true, true, true }; }
    friend bool operator==(const FrameSides &, const FrameSides &) = default;
};

// One record of a form file, decoded. A form file is a sequence of these, 1552 bytes each,
// little-endian, strings in Windows-1252 with a leading length byte. Every kind of record
// uses the same layout and some of its fields. A default-constructed record is the blank
// record: all zero but visible, font "Arial" 10 and stretch.
struct FormRecord {
    static constexpr qsizetype kSize = 1552;

    qint32 bandHeight = 0;
    // The kind's counter, in word A (texts, system fields, rectangles), B (data fields) or
    // C (pictures). Written for older readers; never read.
    qint32 countA = 0, countB = 0, countC = 0;
    QString name; // at most 255 characters
    QString caption; // at most 255; the week label's caption in the settings record
    qint32 color = 0; // background; the frame colour in the settings record
    qint32 height = 0, width = 0;
    bool visible = true; // the week label shown, in the settings record
    QString fontName = QStringLiteral("Arial"); // at most 20 characters
    qint32 fontSize = 10;
    qint32 fontColor = 0;
    quint8 fontStyle = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    quint8 fontPitch = 0; // 0 default, 1 variable, 2 fixed; never written other than 0
    bool transparent = false;
    quint8 alignment = 0; // 0 left, 1 right, 2 centred
    qint32 top = 0, left = 0;
    QString source; // data source: "KBHaupttabelle" or "KBDetailtabelle"
    QString dataField; // at most 30 characters
    QString picturePath;
    bool stretch = true;
    qint32 orientation = 0; // 0 portrait, 1 landscape
    QString shapeType; // "stRectangle" or "stCircle", at most 11 characters
    quint8 brushStyle = 0;
    qint32 brushColor = 0, penColor = 0;
    quint8 penStyle = 0;

    // The settings record only. Margins and spacing are decimal texts of at most four
    // characters, millimetres.
    QString marginTop, marginBottom, marginLeft, marginRight;
    // The frame switches are flag texts "1" or "0"; element records leave them empty.
    bool frameFlags = false;
    FrameSides pageFrame;
    qint32 columns = 0;
    QString columnSpacing;
    QString paperSize; // "A4", "A3" or "Custom"
    qint32 paperWidth = 0, paperHeight = 0; // "Custom" only, mm
    qint32 shadeSaturdays = 0, shadeSundays = 0, shadeHolidays = 0, shadeSchoolHolidays = 0;
    qint32 frameWidth = 0;
    std::array<FrameSides, kBandCount> bandFrames {};

    // Writes kSize bytes to `out`. Texts longer than their field are cut; unused bytes are
    // zero, so equal records give equal bytes.
    void writeTo(char *out) const;
    // Reads kSize bytes. A length byte beyond its field makes the record unreadable:
    // nullopt, and `fault` names the field and the length found.
    static std::optional<FormRecord> read(const char *in, QString *fault);
};

} // namespace kb::designer
