#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace kb::designer {

// The five bands of a form, top to bottom in the designer.
enum class FormBand { Header, Group, Day, Summary, Footer };
inline constexpr int kBandCount = 5;

enum class ElementType { FreeText, SystemField, DataField, Picture, Rectangle, DataPicture };
inline constexpr int kElementTypeCount = 6;

// One kind of element: a type on a band. Every kind has its own name prefix, its own counter
// and its own run of records in a form file. There is no data picture in the summary band,
// so there are 29 kinds.
struct FormKind {
    ElementType type;
    FormBand band;
    // Written names are this prefix followed by the element number ("Label_3").
    const char *namePrefix;
    // A record belongs to the kind when its name starts with this, case-sensitively.
    const char *matchPrefix;
};

inline constexpr int kKindCount = 29;
// Kinds are numbered 0 to 28 in the order of this table.
const std::array<FormKind, kKindCount> &formKinds();
const FormKind &formKind(int kind);
std::optional<int> kindOf(ElementType type, FormBand band);

// The kind whose match prefix `name` starts with; no two match prefixes overlap.
std::optional<int> matchKind(QStringView name);
// The page settings record's name and match prefix.
inline constexpr char kSettingsName[] = "PositionsNummer";
bool isSettingsName(QStringView name);

QString elementName(int kind, int number);

// The writer's order of kind runs: the first kWritesBeforeSettings runs, the settings record,
// the runs up to kWritesBeforeReserved, kReservedBlanks blank records, the remaining runs.
const std::array<int, kKindCount> &writeOrder();
inline constexpr int kWritesBeforeSettings = 8;
inline constexpr int kWritesBeforeReserved = 20;
inline constexpr int kReservedBlanks = 4;

// The reader's pass order, which is the stacking order of a loaded form: the first
// kPassesBeforeSettings kinds, the settings record, the remaining kinds.
const std::array<int, kKindCount> &passOrder();
inline constexpr int kPassesBeforeSettings = 20;

// German names as the designer shows them.
QString bandCaption(FormBand band);
QString typeName(ElementType type, int count);

} // namespace kb::designer
