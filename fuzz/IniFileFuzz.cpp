// Arbitrary bytes as a settings file on disk, read through IniFile and the settings loader.
// Reading never fails. Writing a new key keeps every entry that could be read before as it
// was and reads back as written; so does replacing an entry that exists.

#include "FuzzSupport.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <cstdlib>
#include <utility>

namespace {

using Name = std::pair<QString, QString>; // section, key

const QString kNewKey = QStringLiteral("KbFuzzNeu");

// The text as the reader decodes it: UTF-8 when the bytes are, else Windows-1252.
QString textOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : kb::fromCp1252(bytes);
}

// Section and key names as the file seems to spell them: enough to look up the entries a
// reader can find, without being a second parser. The key the test writes is left out.
QList<Name> namesIn(const QByteArray &bytes)
{
    QList<Name> names;
    QString section;
    const QString text = textOf(bytes);
    for (const QString &raw : text.split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            section = line.mid(1).section(QLatin1Char(']'), 0, 0);
        } else if (line.contains(QLatin1Char('='))) {
            const QString key = line.section(QLatin1Char('='), 0, 0);
            if (key.trimmed().compare(kNewKey, Qt::CaseInsensitive) != 0)
                names.append({ section, key });
            if (names.size() >= 64)
                break;
        }
    }
    names.append({ QStringLiteral("Ferien"), QStringLiteral("Sommerbeginn") });
    return names;
}

QStringList valuesOf(const kb::IniFile &ini, const QList<Name> &names)
{
    const kb::IniFile::Snapshot snap = ini.snapshot();
    QStringList values;
    for (const Name &n : names) {
        values.append(snap.readString(n.first, n.second, QStringLiteral("<fehlt>")));
        snap.readInteger(n.first, n.second, 7);
    }
    return values;
}

// The loader reads every key the windows and layouts use; school-holiday bounds that are
// not dates are refused with a message.
void loadSettings(const kb::IniFile &ini)
{
    kb::LayoutSettings settings;
    settings.loadStartup(ini);
    settings.loadAll(ini);
    try {
        settings.inFerien(QDate(2024, 2, 29));
    } catch (const kb::Error &) {
    }
}

void expect(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = kb::fuzz::writeScratch(QStringLiteral("fuzz.ini"), data, size);
    kb::IniFile ini(path);
    loadSettings(ini);
    const QList<Name> names = namesIn(kb::fuzz::bytes(data, size));
    const QStringList before = valuesOf(ini, names);

    const QString section
        = names.first().first.trimmed().isEmpty() ? QStringLiteral("KbFuzz") : names.first().first;
    try {
        ini.writeString(section, kNewKey, QStringLiteral("Wert 1"));
    } catch (const kb::Error &) {
        return 0; // a section name the writer refuses
    }
    expect(ini.readString(section, kNewKey, QString()) == QStringLiteral("Wert 1"));
    expect(valuesOf(ini, names) == before);

    const Name &first = names.first();
    try {
        ini.writeString(first.first, first.second, QStringLiteral("neu"));
    } catch (const kb::Error &) {
        return 0;
    }
    expect(ini.readString(first.first, first.second, QString()) == QStringLiteral("neu"));
    loadSettings(ini);
    return 0;
}
