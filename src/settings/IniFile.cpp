#include "settings/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <map>
#include <unordered_map>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace kb {
namespace detail {

// Files from the original program are Windows-1252. A file that is valid UTF-8 and holds
// non-ASCII characters was saved by an editor that writes UTF-8 (a byte-order mark, if it
// has one, is kept); it is read and written back as UTF-8.
enum class TextEncoding { Cp1252, Utf8, Utf8WithBom };

// What identifies one version of the file on disk.
struct FileStamp {
    bool exists = false;
    bool other = false; // something that is no regular file has the name
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// Where names are looked up: an open-addressing table of positions in a vector, so that
// building it for a file of a million lines allocates a few blocks, not a node per name.
class NameIndex {
public:
    // The position whose item `same` accepts, among those stored under `hash`; -1 if none.
    template<typename Same> qsizetype find(size_t hash, Same &&same) const
    {
        if (m_slots.empty())
            return -1;
        const quint32 h = shortHash(hash);
        for (std::size_t i = h & mask();; i = (i + 1) & mask()) {
            const Slot &slot = m_slots[i];
            if (slot.position == kEmpty)
                return -1;
            if (slot.hash == h && same(qsizetype(slot.position)))
                return qsizetype(slot.position);
        }
    }
    // Room for `count` names without growing.
    void reserve(std::size_t count)
    {
        std::size_t size = 64;
        while (size < 2 * count)
            size *= 2;
        if (size > m_slots.size())
            rehash(size);
    }
    void insert(size_t hash, qsizetype position)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        place(Slot { shortHash(hash), quint32(position) });
        ++m_count;
    }

private:
    struct Slot {
        quint32 hash = 0;
        quint32 position = kEmpty;
    };
    static constexpr quint32 kEmpty = 0xFFFFFFFFu;

    static quint32 shortHash(size_t hash) { return quint32(hash ^ (quint64(hash) >> 32)); }
    std::size_t mask() const { return m_slots.size() - 1; }
    void place(const Slot &slot)
    {
        std::size_t i = slot.hash & mask();
        while (m_slots[i].position != kEmpty)
            i = (i + 1) & mask();
        m_slots[i] = slot;
    }
    void grow() { rehash(std::max<std::size_t>(64, 2 * m_slots.size())); }
    void rehash(std::size_t size)
    {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        for (const Slot &slot : old) {
            if (slot.position != kEmpty)
                place(slot);
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

struct IniData {
    static constexpr quint32 kNone = 0xFFFFFFFFu;
    // Lines, names and values are views into `text`, which never changes after parsing.
    struct Entry {
        qsizetype line = 0;
        QStringView key;
        QStringView value;
        quint32 section = 0; // index into sections
        quint32 next = kNone; // the section's next entry in the file
    };
    struct Section {
        QStringView name;
        qsizetype header = 0; // line of the first header with this name
        qsizetype lastEntry = 0; // last entry line below that header
        quint32 first = kNone; // the section's entries in the file's order (under all its
        quint32 last = kNone; // headers), a key given twice included
        quint32 count = 0;
    };

    QString text;
    std::vector<QStringView> lines;
    std::vector<Entry> entries;
    std::vector<Section> sections; // the first occurrence of each section
    NameIndex sectionIndex; // folded name -> sections
    // The keys of the larger sections looked up so far, made at their first look-up: a
    // parse hashes the section names only.
    mutable std::unordered_map<quint32, NameIndex> keyIndexes;

    // Names given trimmed.
    qsizetype findSection(QStringView name, size_t hash) const;
    // Names as the caller gives them. The first occurrence of the key in the section.
    const Entry *findEntry(QStringView section, QStringView key) const;
    const Section *findSection(QStringView name) const;

private:
    const NameIndex &keyIndex(quint32 section) const;
};

struct IniShared {
    QString path;
    QByteArray nativePath;
    FileStamp stamp;
    std::shared_ptr<const IniData> data;
    QByteArray raw; // the bytes `data` was parsed from
    bool settled = false; // the stamp alone tells a later change apart
    TextEncoding encoding = TextEncoding::Cp1252; // how the file on disk is written
};

} // namespace detail

namespace {

using detail::FileStamp;
using detail::IniData;
using detail::IniShared;
using detail::TextEncoding;

// Hashes section and key, both trimmed, as the case-insensitive comparison sees them, without
// allocating: the loader looks up some ninety names on every paint.
size_t nameHash(QStringView section, QStringView key)
{
    constexpr size_t prime = 1099511628211ull;
    size_t h = 1469598103934665603ull;
    auto mix = [&h](QStringView name) {
        for (const QChar c : name) {
            char32_t u = c.unicode();
            if (u < 128)
                u = (u >= 'A' && u <= 'Z') ? u + 32 : u;
            else
                u = QChar::toCaseFolded(u);
            h = (h ^ u) * prime;
        }
    };
    mix(section);
    h = (h ^ 0x1FFFF) * prime;
    mix(key);
    return h;
}

size_t sectionHash(QStringView section)
{
    return nameHash(section, QStringView());
}

// Both names trimmed.
bool sameName(QStringView a, QStringView b)
{
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

FileStamp stampOf(const IniShared &s)
{
    FileStamp st;
#ifdef Q_OS_LINUX
    struct stat sb;
    if (::stat(s.nativePath.constData(), &sb) != 0)
        return st;
    if (!S_ISREG(sb.st_mode)) {
        st.other = true;
        return st;
    }
    st.exists = true;
    st.device = static_cast<quint64>(sb.st_dev);
    st.inode = static_cast<quint64>(sb.st_ino);
    st.size = static_cast<qint64>(sb.st_size);
    st.mtimeNs = qint64(sb.st_mtim.tv_sec) * 1000000000 + sb.st_mtim.tv_nsec;
    st.ctimeNs = qint64(sb.st_ctim.tv_sec) * 1000000000 + sb.st_ctim.tv_nsec;
#else
    const QFileInfo fi(s.path);
    if (!fi.isFile()) {
        st.other = fi.exists();
        return st;
    }
    st.exists = true;
    st.size = fi.size();
    st.mtimeNs = fi.lastModified().toMSecsSinceEpoch() * 1000000;
    st.ctimeNs = fi.birthTime().toMSecsSinceEpoch() * 1000000;
#endif
    return st;
}

// Lines end with CR LF, LF or CR; a last line without its end counts too.
std::vector<QStringView> splitLines(QStringView text)
{
    std::vector<QStringView> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    const QChar *d = text.data();
    // Room for the most lines there can be; what is not used is never touched.
    lines.reserve(std::size_t(std::count_if(d, d + n, [](QChar c) {
        return c == QLatin1Char('\r') || c == QLatin1Char('\n');
    })) + 1);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.push_back(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < n && d[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.push_back(text.sliced(start));
    return lines;
}

std::shared_ptr<IniData> parse(QString text)
{
    auto data = std::make_shared<IniData>();
    data->text = std::move(text);
    data->lines = splitLines(data->text);
    const std::vector<QStringView> &all = data->lines;
    // The section index gets its size first: growing it on the way costs as much again.
    std::size_t headers = 0;
    std::size_t assignments = 0;
    for (const QStringView line : all) {
        const QStringView t = line.trimmed();
        if (!t.isEmpty() && t.front() == QLatin1Char('['))
            ++headers;
        else if (!t.isEmpty() && t.front() != QLatin1Char(';'))
            ++assignments;
    }
    data->sections.reserve(headers);
    data->sectionIndex.reserve(headers);
    data->entries.reserve(assignments);
    qsizetype current = -1; // the section of the last header
    qsizetype firstOccurrence = -1; // index into sections while under a section's first header
    for (qsizetype i = 0; i < qsizetype(all.size()); ++i) {
        const QStringView t = all[std::size_t(i)].trimmed();
        if (t.isEmpty() || t.front() == QLatin1Char(';'))
            continue;
        if (t.front() == QLatin1Char('[')) {
            // A header without its closing bracket names the rest of the line.
            QStringView name = t.mid(1);
            const qsizetype close = name.indexOf(QLatin1Char(']'));
            if (close >= 0)
                name = name.left(close);
            const QStringView section = name.trimmed();
            const size_t h = sectionHash(section);
            current = data->findSection(section, h);
            firstOccurrence = -1;
            if (current < 0) {
                current = firstOccurrence = qsizetype(data->sections.size());
                data->sectionIndex.insert(h, current);
                data->sections.push_back(IniData::Section { section, i, i });
            }
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0 || current < 0)
            continue;
        const auto index = quint32(data->entries.size());
        data->entries.push_back(
            IniData::Entry { i, t.left(eq).trimmed(), t.mid(eq + 1).trimmed(), quint32(current) });
        IniData::Section &sec = data->sections[std::size_t(current)];
        if (sec.last == IniData::kNone)
            sec.first = index;
        else
            data->entries[sec.last].next = index;
        sec.last = index;
        ++sec.count;
        if (firstOccurrence >= 0)
            sec.lastEntry = i;
    }
    return data;
}

const std::shared_ptr<const IniData> &emptyData()
{
    static const std::shared_ptr<const IniData> empty = std::make_shared<IniData>();
    return empty;
}

// A larger settings file is neither read nor written.
constexpr qint64 kMaxIniFileSize = qint64(10) * 1024 * 1024;

QString shownPath(const IniShared &s)
{
    return QDir::toNativeSeparators(s.path);
}

// Why the file is not read, in German; empty when it is read.
QString problemText(const IniShared &s, const InputFile &f)
{
    switch (f.problem) {
    case InputFile::Problem::None:
        break;
    case InputFile::Problem::NotAFile:
        return QStringLiteral("Die Datei %1 ist keine gewöhnliche Datei (etwa ein Gerät, eine "
                              "Pipe oder ein Verzeichnis) und wird nicht gelesen.")
            .arg(shownPath(s));
    case InputFile::Problem::TooLarge:
        return QStringLiteral("Die Datei %1 ist größer als %2 MB; sie wird weder gelesen noch "
                              "geändert.")
            .arg(shownPath(s))
            .arg(kMaxIniFileSize / (1024 * 1024));
    case InputFile::Problem::Unreadable:
        return QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
            .arg(shownPath(s), f.reason);
    }
    return {};
}

// A change within this time of the last modification may keep the modification time, as
// file systems store it coarsely; until the file is older, reads compare the bytes too.
constexpr qint64 kRacyWindowNs = qint64(2) * 1000 * 1000 * 1000;

qint64 nowNs()
{
    return QDateTime::currentMSecsSinceEpoch() * 1000 * 1000;
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isAsciiText(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

TextEncoding encodingOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8WithBom;
    if (isAscii(bytes))
        return TextEncoding::Cp1252;
    // Invalid, overlong or cut-off sequences decode to U+FFFD and so do not survive the
    // round trip.
    return QString::fromUtf8(bytes).toUtf8() == bytes ? TextEncoding::Utf8 : TextEncoding::Cp1252;
}

QString decode(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithBom:
        return QString::fromUtf8(bytes.mid(3));
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Cp1252:
        break;
    }
    return fromCp1252(bytes);
}

QByteArray encode(const QString &text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithBom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Cp1252:
        break;
    }
    return toCp1252(text);
}

void adopt(IniShared &s, const FileStamp &st, QByteArray bytes, qint64 readAt)
{
    if (!s.data || bytes != s.raw) {
        s.encoding = encodingOf(bytes);
        s.data = parse(decode(bytes, s.encoding));
    }
    s.raw = std::move(bytes);
    s.stamp = st;
    s.settled = readAt - st.mtimeNs > kRacyWindowNs;
}

// Reads the file again when it changed since the last look. `forWrite` refuses a file that
// exists but cannot be read, because writing then would lose its content.
std::shared_ptr<const IniData> current(IniShared &s, bool forWrite)
{
    const qint64 readAt = nowNs();
    const FileStamp st = stampOf(s);
    if (st.other && forWrite) {
        InputFile refused;
        refused.problem = InputFile::Problem::NotAFile;
        throw Error(problemText(s, refused));
    }
    if (s.data && s.settled && st == s.stamp)
        return s.data;
    if (!st.exists) {
        s.stamp = st;
        s.data = emptyData();
        s.raw.clear();
        s.encoding = TextEncoding::Cp1252;
        s.settled = true;
        return s.data;
    }
    InputFile f = readInputFile(s.path, kMaxIniFileSize);
    if (f.problem != InputFile::Problem::None) {
        if (forWrite)
            throw Error(problemText(s, f));
        s.data.reset();
        return emptyData();
    }
    adopt(s, st, std::move(f.bytes), readAt);
    return s.data;
}

std::shared_ptr<IniShared> sharedFor(const QString &path)
{
    static QHash<QString, std::weak_ptr<IniShared>> registry;
    const QString abs = QFileInfo(path).absoluteFilePath();
    if (auto existing = registry.value(abs).lock())
        return existing;
    if (registry.size() > 64)
        registry.removeIf([](const auto &it) { return it.value().expired(); });
    auto s = std::make_shared<IniShared>();
    s->path = abs;
    s->nativePath = QFile::encodeName(abs);
    registry.insert(abs, s);
    return s;
}

void checkName(const QString &name)
{
    const QString t = name.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char('[')) || t.startsWith(QLatin1Char(';'))
        || t.contains(QLatin1Char('=')) || t.contains(QLatin1Char(']'))
        || t.contains(QLatin1Char('\r')) || t.contains(QLatin1Char('\n')))
        throw Error(QStringLiteral("Ungültiger Name in einer INI-Datei: \"%1\"").arg(name));
}

// A name as the case-insensitive comparison sees it.
QString folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

// A value is one line: line breaks become blanks.
QString oneLine(const QString &value)
{
    QString line = value;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

bool isHexDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (!isxdigit(c.unicode() < 128 ? c.unicode() : 'g'))
            return false;
    }
    return true;
}

} // namespace

qsizetype IniData::findSection(QStringView name, size_t hash) const
{
    return sectionIndex.find(
        hash, [&](qsizetype i) { return sameName(sections[std::size_t(i)].name, name); });
}

// A section of this many entries at most is searched from its start.
constexpr quint32 kSearchedSection = 16;

const detail::NameIndex &IniData::keyIndex(quint32 section) const
{
    const auto known = keyIndexes.find(section);
    if (known != keyIndexes.end())
        return known->second;
    NameIndex &index = keyIndexes[section];
    const Section &sec = sections[section];
    index.reserve(sec.count);
    for (quint32 i = sec.first; i != kNone; i = entries[i].next) {
        const QStringView key = entries[i].key;
        const size_t h = nameHash(QStringView(), key);
        // A key given twice is found at its first occurrence.
        if (index.find(h, [&](qsizetype e) { return sameName(entries[std::size_t(e)].key, key); })
            < 0)
            index.insert(h, i);
    }
    return index;
}

const IniData::Entry *IniData::findEntry(QStringView section, QStringView key) const
{
    section = section.trimmed();
    key = key.trimmed();
    const qsizetype s = findSection(section, sectionHash(section));
    if (s < 0)
        return nullptr;
    const Section &sec = sections[std::size_t(s)];
    if (sec.count <= kSearchedSection) {
        for (quint32 i = sec.first; i != kNone; i = entries[i].next) {
            if (sameName(entries[i].key, key))
                return &entries[i];
        }
        return nullptr;
    }
    const qsizetype i = keyIndex(quint32(s)).find(nameHash(QStringView(), key), [&](qsizetype e) {
        return sameName(entries[std::size_t(e)].key, key);
    });
    return i < 0 ? nullptr : &entries[std::size_t(i)];
}

const IniData::Section *IniData::findSection(QStringView name) const
{
    name = name.trimmed();
    const qsizetype i = findSection(name, sectionHash(name));
    return i < 0 ? nullptr : &sections[std::size_t(i)];
}

qint32 IniFile::parseInteger(QStringView text, qint32 def)
{
    QStringView t = text.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == QLatin1Char('-') || t.front() == QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    QStringView hex;
    bool isHex = true;
    if (t.startsWith(QLatin1Char('$')))
        hex = t.mid(1);
    else if (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))
        hex = t.mid(2);
    else
        isHex = false;
    if (isHex) {
        // Hexadecimal fills the 32 bits: $8000000F is a negative number.
        while (hex.size() > 1 && hex.front() == QLatin1Char('0'))
            hex = hex.mid(1);
        if (!isHexDigits(hex) || hex.size() > 8)
            return def;
        const auto bits = static_cast<quint32>(hex.toULongLong(nullptr, 16));
        const auto value = static_cast<qint32>(bits);
        return negative ? static_cast<qint32>(0u - bits) : value;
    }
    if (t.isEmpty())
        return def;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return def;
    }
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    const qlonglong signedValue = negative ? -v : v;
    if (!ok || signedValue < std::numeric_limits<qint32>::min()
        || signedValue > std::numeric_limits<qint32>::max())
        return def;
    return static_cast<qint32>(signedValue);
}

// ---- Snapshot

IniFile::Snapshot::Snapshot(std::shared_ptr<const detail::IniData> data)
    : m_data(std::move(data))
{
}

QString IniFile::Snapshot::readString(
    const QString &section, const QString &key, const QString &def) const
{
    const IniData::Entry *e = m_data->findEntry(section, key);
    return e ? e->value.toString() : def;
}

qint32 IniFile::Snapshot::readInteger(const QString &section, const QString &key, qint32 def) const
{
    const IniData::Entry *e = m_data->findEntry(section, key);
    return e ? parseInteger(e->value, def) : def;
}

bool IniFile::Snapshot::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::Snapshot::hasKey(const QString &section, const QString &key) const
{
    return m_data->findEntry(section, key) != nullptr;
}

// ---- IniFile

IniFile::IniFile(const QString &path)
    : m_path(path)
    , m_shared(sharedFor(path))
{
}

IniFile::~IniFile() = default;

bool IniFile::exists() const
{
    return stampOf(*m_shared).exists;
}

QString IniFile::problem() const
{
    const FileStamp st = stampOf(*m_shared);
    if (!st.exists && !st.other)
        return {};
    return problemText(*m_shared, inspectInputFile(m_shared->path, kMaxIniFileSize));
}

IniFile::Snapshot IniFile::snapshot() const
{
    return Snapshot(current(*m_shared, false));
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    return snapshot().readString(section, key, def);
}

qint32 IniFile::readInteger(const QString &section, const QString &key, qint32 def) const
{
    return snapshot().readInteger(section, key, def);
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    return snapshot().readBool(section, key, def);
}

bool IniFile::hasKey(const QString &section, const QString &key) const
{
    return snapshot().hasKey(section, key);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    writeEntries({ Entry { section, key, value } });
}

void IniFile::writeEntries(const std::vector<Entry> &entries)
{
    for (const Entry &e : entries) {
        checkName(e.section);
        checkName(e.key);
    }
    const std::shared_ptr<const IniData> old = current(*m_shared, true);
    // Lines of the file this write replaces, by their number.
    std::map<qsizetype, QString> replaced;
    // New keys of sections the file has go below the section's last entry; new sections go
    // to the end, in the order of their first key.
    std::map<qsizetype, QStringList> insertedAfter;
    struct NewSection {
        QString name;
        QStringList lines;
    };
    std::vector<NewSection> newSections;
    QHash<QString, qsizetype> newSectionIndex;
    // Keys this write adds, so that a key given twice is added once: line below which it goes
    // (or -1 - the new section's index) and place in that list.
    QHash<QString, std::pair<qsizetype, qsizetype>> added;
    for (const Entry &e : entries) {
        const QString value = oneLine(e.value);
        if (const IniData::Entry *entry = old->findEntry(e.section, e.key)) {
            // Keep the key as the file spells it.
            replaced[entry->line] = entry->key.toString() + QLatin1Char('=') + value;
            continue;
        }
        const QString line = e.key.trimmed() + QLatin1Char('=') + value;
        const QString name = folded(e.section) + QChar(0) + folded(e.key);
        const auto listAt = [&](qsizetype where) -> QStringList & {
            return where >= 0 ? insertedAfter[where] : newSections[std::size_t(-1 - where)].lines;
        };
        if (const auto it = added.constFind(name); it != added.constEnd()) {
            // The key keeps the spelling it was added with.
            QString &addedLine = listAt(it->first)[it->second];
            addedLine = addedLine.left(addedLine.indexOf(QLatin1Char('=')) + 1) + value;
            continue;
        }
        qsizetype where = 0;
        if (const IniData::Section *sec = old->findSection(e.section)) {
            where = sec->lastEntry;
        } else {
            const QString sectionName = folded(e.section);
            auto n = newSectionIndex.constFind(sectionName);
            if (n == newSectionIndex.constEnd()) {
                n = newSectionIndex.insert(sectionName, qsizetype(newSections.size()));
                newSections.push_back(NewSection { e.section.trimmed(), {} });
            }
            where = -1 - *n;
        }
        QStringList &list = listAt(where);
        added.insert(name, { where, list.size() });
        list.append(line);
    }

    // The file's lines with the changes, each ended by CR LF.
    QString text;
    text.reserve(old->text.size() + old->text.size() / 16 + 64 * qsizetype(entries.size()));
    bool lastBlank = true; // no line yet, or the last one is blank
    const auto put = [&](QStringView line) {
        text.append(line);
        text.append(u"\r\n");
        lastBlank = line.trimmed().isEmpty();
    };
    auto nextReplaced = replaced.cbegin();
    auto nextInserted = insertedAfter.cbegin();
    for (qsizetype i = 0; i < qsizetype(old->lines.size()); ++i) {
        if (nextReplaced != replaced.cend() && nextReplaced->first == i) {
            put(nextReplaced->second);
            ++nextReplaced;
        } else {
            put(old->lines[std::size_t(i)]);
        }
        if (nextInserted != insertedAfter.cend() && nextInserted->first == i) {
            for (const QString &line : nextInserted->second)
                put(line);
            ++nextInserted;
        }
    }
    for (const NewSection &ns : newSections) {
        if (!text.isEmpty() && !lastBlank)
            put(QStringView());
        put(QString(QLatin1Char('[') + ns.name + QLatin1Char(']')));
        for (const QString &line : ns.lines)
            put(line);
    }
    if (text.isEmpty())
        text = QStringLiteral("\r\n");
    writeText(text);
}

void IniFile::writeText(const QString &text)
{
    QByteArray bytes = encode(text, m_shared->encoding);
    // Windows-1252 loses characters it cannot hold, and its bytes may happen to form UTF-8
    // that reads as other characters once the one byte that was no UTF-8 is gone; such a
    // file is written as UTF-8, which reads back as written. Plain ASCII text is safe.
    if (m_shared->encoding == TextEncoding::Cp1252 && !isAsciiText(text)
        && decode(bytes, encodingOf(bytes)) != text)
        bytes = encode(text, TextEncoding::Utf8);
    writeFileAtomically(m_shared->path, bytes);
    // The next read parses what is on disk then; a run that only writes (ferien) does not
    // pay for a second parse of a large file.
    m_shared->data.reset();
    m_shared->raw.clear();
    m_shared->settled = false;
}

void IniFile::writeInteger(const QString &section, const QString &key, qint32 value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace kb
