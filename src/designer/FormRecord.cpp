#include "designer/FormRecord.h"

#include "platform/Cp1252.h"

#include <QtEndian>
#include <cstring>

namespace kb::designer {

namespace {

// Field offsets of the record layout.
enum Offset : int {
    kBandHeight = 0,
    kCountA = 4,
    kCountB = 8,
    kCountC = 12,
    kName = 20,
    kCaption = 276,
    kColor = 532,
    kHeight = 536,
    kWidth = 540,
    kVisible = 544,
    kFontName = 545,
    kFontSize = 568,
    kFontColor = 572,
    kFontStyle = 576,
    kFontPitch = 577,
    kTransparent = 578,
    kAlignment = 579,
    kTop = 580,
    kLeft = 584,
    kSource = 592,
    kDataField = 848,
    kPicturePath = 879,
    kStretch = 1135,
    kOrientation = 1136,
    kShapeType = 1140,
    kBrushStyle = 1152,
    kBrushColor = 1156,
    kPenColor = 1160,
    kPenStyle = 1165,
    kMarginTop = 1172,
    kMarginBottom = 1177,
    kMarginLeft = 1182,
    kMarginRight = 1187,
    kPageFrame = 1192,
    kColumns = 1200,
    kColumnSpacing = 1204,
    kPaperSize = 1209,
    kPaperWidth = 1480,
    kPaperHeight = 1484,
    kShadeSaturdays = 1492,
    kShadeSundays = 1496,
    kShadeHolidays = 1500,
    kShadeSchoolHolidays = 1504,
    kFrameWidth = 1508,
    kBandFrames = 1512,
};

// The text fields shorter than 255 characters, whose length byte can lie beyond the field.
struct ShortText {
    int offset;
    int capacity;
    const char *label;
};
constexpr ShortText kShortTexts[] = {
    { kFontName, 20, "Schriftname" },
    { kDataField, 30, "Datenfeld" },
    { kShapeType, 11, "Form" },
    { kMarginTop, 4, "Rand oben" },
    { kMarginBottom, 4, "Rand unten" },
    { kMarginLeft, 4, "Rand links" },
    { kMarginRight, 4, "Rand rechts" },
    { kColumnSpacing, 4, "Spaltenabstand" },
};
constexpr int kFlagCount = 4 + 4 * kBandCount; // page frame, then the band frames

int flagOffset(int i)
{
    return i < 4 ? kPageFrame + 2 * i : kBandFrames + 2 * (i - 4);
}

void putInt(char *out, int offset, qint32 value)
{
    qToLittleEndian(value, out + offset);
}

qint32 getInt(const char *in, int offset)
{
    return qFromLittleEndian<qint32>(in + offset);
}

quint8 getByte(const char *in, int offset)
{
    return static_cast<quint8>(in[offset]);
}

void putText(char *out, int offset, int capacity, const QString &text)
{
    const QByteArray bytes = toCp1252(text).left(capacity);
    out[offset] = static_cast<char>(bytes.size());
    std::memcpy(out + offset + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The length byte has been checked against the field.
QString getText(const char *in, int offset)
{
    return fromCp1252(QByteArray(in + offset + 1, getByte(in, offset)));
}

// A flag text is the one-character text "1" (on) or "0" (off).
void putFlag(char *out, int offset, bool on)
{
    out[offset] = 1;
    out[offset + 1] = on ? '1' : '0';
}

bool getFlag(const char *in, int offset)
{
    return getByte(in, offset) == 1 && in[offset + 1] == '1';
}

// Flag i is side i % 4 (top, bottom, left, right) of frame i / 4 (the page, then the bands).
template<class Record> auto &flag(Record &r, int i)
{
    auto &frame = i < 4 ? r.pageFrame : r.bandFrames[static_cast<std::size_t>(i / 4 - 1)];
    switch (i % 4) {
    case 0:
        return frame.top;
    case 1:
        return frame.bottom;
    case 2:
        return frame.left;
    default:
        return frame.right;
    }
}

} // namespace

void FormRecord::writeTo(char *out) const
{
    std::memset(out, 0, kSize);
    putInt(out, kBandHeight, bandHeight);
    putInt(out, kCountA, countA);
    putInt(out, kCountB, countB);
    putInt(out, kCountC, countC);
    putText(out, kName, 255, name);
    putText(out, kCaption, 255, caption);
    putInt(out, kColor, color);
    putInt(out, kHeight, height);
    putInt(out, kWidth, width);
    out[kVisible] = visible ? 1 : 0;
    putText(out, kFontName, 20, fontName);
    putInt(out, kFontSize, fontSize);
    putInt(out, kFontColor, fontColor);
    out[kFontStyle] = static_cast<char>(fontStyle);
    out[kFontPitch] = static_cast<char>(fontPitch);
    out[kTransparent] = transparent ? 1 : 0;
    out[kAlignment] = static_cast<char>(alignment);
    putInt(out, kTop, top);
    putInt(out, kLeft, left);
    putText(out, kSource, 255, source);
    putText(out, kDataField, 30, dataField);
    putText(out, kPicturePath, 255, picturePath);
    out[kStretch] = stretch ? 1 : 0;
    putInt(out, kOrientation, orientation);
    putText(out, kShapeType, 11, shapeType);
    out[kBrushStyle] = static_cast<char>(brushStyle);
    putInt(out, kBrushColor, brushColor);
    putInt(out, kPenColor, penColor);
    out[kPenStyle] = static_cast<char>(penStyle);

    putText(out, kMarginTop, 4, marginTop);
    putText(out, kMarginBottom, 4, marginBottom);
    putText(out, kMarginLeft, 4, marginLeft);
    putText(out, kMarginRight, 4, marginRight);
    putInt(out, kColumns, columns);
    putText(out, kColumnSpacing, 4, columnSpacing);
    putText(out, kPaperSize, 255, paperSize);
    putInt(out, kPaperWidth, paperWidth);
    putInt(out, kPaperHeight, paperHeight);
    putInt(out, kShadeSaturdays, shadeSaturdays);
    putInt(out, kShadeSundays, shadeSundays);
    putInt(out, kShadeHolidays, shadeHolidays);
    putInt(out, kShadeSchoolHolidays, shadeSchoolHolidays);
    putInt(out, kFrameWidth, frameWidth);
    if (frameFlags) {
        for (int i = 0; i < kFlagCount; ++i)
            putFlag(out, flagOffset(i), flag(*this, i));
    }
}

std::optional<FormRecord> FormRecord::read(const char *in, QString *fault)
{
    for (const ShortText &t : kShortTexts) {
        const int length = getByte(in, t.offset);
        if (length > t.capacity) {
            if (fault) {
                *fault = QStringLiteral("Das Feld „%1“ gibt %2 Zeichen an, es fasst höchstens %3.")
                             .arg(QString::fromUtf8(t.label))
                             .arg(length)
                             .arg(t.capacity);
            }
            return std::nullopt;
        }
    }
    for (int i = 0; i < kFlagCount; ++i) {
        if (getByte(in, flagOffset(i)) > 1) {
            if (fault) {
                *fault = QStringLiteral("Ein Rahmenschalter gibt %1 Zeichen an, er fasst "
                                        "höchstens 1.")
                             .arg(getByte(in, flagOffset(i)));
            }
            return std::nullopt;
        }
    }

    FormRecord r;
    r.bandHeight = getInt(in, kBandHeight);
    r.countA = getInt(in, kCountA);
    r.countB = getInt(in, kCountB);
    r.countC = getInt(in, kCountC);
    r.name = getText(in, kName);
    r.caption = getText(in, kCaption);
    r.color = getInt(in, kColor);
    r.height = getInt(in, kHeight);
    r.width = getInt(in, kWidth);
    r.visible = getByte(in, kVisible) != 0;
    r.fontName = getText(in, kFontName);
    r.fontSize = getInt(in, kFontSize);
    r.fontColor = getInt(in, kFontColor);
    r.fontStyle = getByte(in, kFontStyle);
    r.fontPitch = getByte(in, kFontPitch);
    r.transparent = getByte(in, kTransparent) != 0;
    r.alignment = getByte(in, kAlignment);
    r.top = getInt(in, kTop);
    r.left = getInt(in, kLeft);
    r.source = getText(in, kSource);
    r.dataField = getText(in, kDataField);
    r.picturePath = getText(in, kPicturePath);
    r.stretch = getByte(in, kStretch) != 0;
    r.orientation = getInt(in, kOrientation);
    r.shapeType = getText(in, kShapeType);
    r.brushStyle = getByte(in, kBrushStyle);
    r.brushColor = getInt(in, kBrushColor);
    r.penColor = getInt(in, kPenColor);
    r.penStyle = getByte(in, kPenStyle);
    r.marginTop = getText(in, kMarginTop);
    r.marginBottom = getText(in, kMarginBottom);
    r.marginLeft = getText(in, kMarginLeft);
    r.marginRight = getText(in, kMarginRight);
    r.columns = getInt(in, kColumns);
    r.columnSpacing = getText(in, kColumnSpacing);
    r.paperSize = getText(in, kPaperSize);
    r.paperWidth = getInt(in, kPaperWidth);
    r.paperHeight = getInt(in, kPaperHeight);
    r.shadeSaturdays = getInt(in, kShadeSaturdays);
    r.shadeSundays = getInt(in, kShadeSundays);
    r.shadeHolidays = getInt(in, kShadeHolidays);
    r.shadeSchoolHolidays = getInt(in, kShadeSchoolHolidays);
    r.frameWidth = getInt(in, kFrameWidth);
    for (int i = 0; i < kFlagCount; ++i) {
        flag(r, i) = getFlag(in, flagOffset(i));
        r.frameFlags = r.frameFlags || getByte(in, flagOffset(i)) == 1;
    }
    return r;
}

} // namespace kb::designer
