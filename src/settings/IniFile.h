#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace kb {

namespace detail {
struct IniData;
struct IniShared;
} // namespace detail

// An INI file on disk, read and written key by key.
//
// - Section and key names compare without regard to letter case: "User"/"USER" and
//   "KBright"/"KBRight" address the same entry.
// - The file is Windows-1252 with CR LF line ends; LF-only and CR-only files read as well.
//   A file that is valid UTF-8 and holds non-ASCII characters (saved by an editor that
//   writes UTF-8) is read as UTF-8 and written back as UTF-8, with its byte-order mark if it
//   had one.
// - Reading a key that occurs twice yields the first occurrence; writing replaces that one.
// - Blanks around names and values are ignored. The value is everything after the first "=".
// - Every read sees the file's current content, also after another process changed it. The
//   parsed content is kept and parsed again only when the file's identity, size or
//   modification time changed, so a read costs a stat and a hash look-up.
// - Every write goes to the disk before it returns and is atomic (a temporary file beside
//   it, then rename; permissions kept). Comments, blank lines and unknown entries survive.
// - A missing file reads as empty (every read yields its default); the first write creates it.
// - All IniFile objects on one path in this process share one parsed copy. Like the rest of
//   the program, they are used from the user-interface thread only.
class IniFile {
public:
    explicit IniFile(const QString &path);
    ~IniFile();
    IniFile(const IniFile &) = default;
    IniFile &operator=(const IniFile &) = default;

    const QString &path() const { return m_path; }
    // True when a regular file has the name.
    bool exists() const;
    // Why the file is not read, as a German message naming it: it is no regular file (a
    // device, FIFO or directory), larger than 10 MB or unreadable. Empty when it is read or
    // missing. Reads then yield their defaults and writes throw this message.
    QString problem() const;

    // The stored text, or `def` when the key is missing.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal with "0x", "0X" or "$"; a missing, empty or invalid value
    // yields `def`.
    qint32 readInteger(const QString &section, const QString &key, qint32 def) const;
    // Read as an integer: non-zero is true.
    bool readBool(const QString &section, const QString &key, bool def) const;
    bool hasKey(const QString &section, const QString &key) const;

    // Creates or replaces the entry. Line breaks in a value become blanks (a value is one
    // line). Throws kb::Error when the file cannot be written; the old file is then intact.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, qint32 value);
    void writeBool(const QString &section, const QString &key, bool value);

    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    // Creates or replaces all `entries` with one write of the file: afterwards the file holds
    // all of them, or (when it throws kb::Error) none. A key given twice gets the later value.
    void writeEntries(const std::vector<Entry> &entries);

    // The content as of now, for many reads in a row with a single look at the file.
    class Snapshot {
    public:
        QString readString(const QString &section, const QString &key, const QString &def) const;
        qint32 readInteger(const QString &section, const QString &key, qint32 def) const;
        bool readBool(const QString &section, const QString &key, bool def) const;
        bool hasKey(const QString &section, const QString &key) const;

    private:
        friend class IniFile;
        explicit Snapshot(std::shared_ptr<const detail::IniData> data);
        std::shared_ptr<const detail::IniData> m_data;
    };
    Snapshot snapshot() const;

    // Parses an integer the way reads do: `def` for empty or invalid text.
    static qint32 parseInteger(QStringView text, qint32 def);

private:
    void writeText(const QString &text);

    QString m_path;
    std::shared_ptr<detail::IniShared> m_shared;
};

} // namespace kb
