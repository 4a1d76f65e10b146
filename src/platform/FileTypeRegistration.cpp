#include "platform/FileTypeRegistration.h"

#include "platform/AtomicFile.h"
#include "platform/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace kb::FileType {

namespace {

// Writes `content` to `path` unless it holds exactly that already.
bool schreibenWennAnders(const QString &path, const QByteArray &content)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
        return false;
    current.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        writeFileAtomically(path, content);
    } catch (const Error &e) {
        qCDebug(lcPlatform) << "file type registration:" << e.message();
        return false;
    }
    return true;
}

bool kopierenWennAnders(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    return schreibenWennAnders(to, source.readAll());
}

void aktualisieren(const QString &program, const QString &dir)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty())
        QProcess::startDetached(path, { dir });
}

// An installed package brings the MIME types, the icons and the menu entry for every user
// (below one of XDG_DATA_DIRS); copies in the user's folders would only hide them.
bool installiert(const QString &dataHome)
{
    // The user's own data folders (the one given and the user's usual one) hold only what an
    // earlier start wrote there, never a package.
    const QString eigenes = QFileInfo(dataHome).canonicalFilePath();
    const QString benutzer
        = QFileInfo(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
              .canonicalFilePath();
    for (const QString &dir :
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString d = QDir::fromNativeSeparators(dir) + QLatin1Char('/');
        const QString kanonisch = QFileInfo(d).canonicalFilePath();
        if (!kanonisch.isEmpty() && (kanonisch == eigenes || kanonisch == benutzer))
            continue;
        if (QFileInfo::exists(d + QStringLiteral("mime/packages/kronoblatt.xml"))
            && QFileInfo::exists(d + QStringLiteral("applications/kronoblatt.desktop")))
            return true;
    }
    return false;
}

#ifdef Q_OS_WIN
bool registrierenWindows(const QString &executable)
{
    QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
    const QString icon = QDir::toNativeSeparators(executable) + QStringLiteral(",0");
    if (classes.value(QStringLiteral(".qvk/Default")).toString() == QStringLiteral("Kronoblatt")
        && classes.value(QStringLiteral("Kronoblatt/DefaultIcon/Default")).toString() == icon)
        return false;
    classes.setValue(QStringLiteral(".qvk/Default"), QStringLiteral("Kronoblatt"));
    classes.setValue(QStringLiteral("Kronoblatt/DefaultIcon/Default"), icon);
    classes.sync();
    if (classes.status() != QSettings::NoError) {
        classes.remove(QStringLiteral(".qvk"));
        classes.sync();
        return false;
    }
    return true;
}
#endif

} // namespace

QString mimeType()
{
    return QStringLiteral("application/x-kronoblatt");
}

QString formularMimeType()
{
    return QStringLiteral("application/x-kronoblatt-formular");
}

QByteArray mimeXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-kronoblatt\">\n"
        "    <comment>Kronoblatt calendar</comment>\n"
        "    <comment xml:lang=\"de\">Kronoblatt-Kalender</comment>\n"
        "    <icon name=\"kronoblatt\"/>\n"
        "    <glob pattern=\"*.qvk\"/>\n"
        "  </mime-type>\n"
        "  <mime-type type=\"application/x-kronoblatt-formular\">\n"
        "    <comment>Kronoblatt calendar form</comment>\n"
        "    <comment xml:lang=\"de\">Kronoblatt-Kalenderformular</comment>\n"
        "    <icon name=\"kronoblatt\"/>\n"
        "    <glob pattern=\"*.qvf\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QString execQuoted(const QString &executable)
{
    // Inside double quotes the Exec key escapes " ` $ and \ with a backslash; the key's
    // value is a string, whose own escaping doubles every backslash once more. A literal
    // percent sign is written twice.
    QString quoted;
    for (const QChar c : executable) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$'))
            quoted += QLatin1String("\\\\") + c;
        else if (c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\\\\\");
        else if (c == QLatin1Char('%'))
            quoted += QLatin1String("%%");
        else
            quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray desktopEntry(const QString &executable)
{
    const QString entry
        = QStringLiteral("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Kronoblatt\n"
                         "GenericName=Kalender und Organizer\n"
                         "Comment=Jahreskalender anlegen, führen und drucken\n"
                         "Exec=%1 %f\n"
                         "Icon=kronoblatt\n"
                         "Terminal=false\n"
                         "MimeType=application/x-kronoblatt;application/x-kronoblatt-formular;\n"
                         "Categories=Office;Calendar;\n")
              .arg(execQuoted(executable));
    return entry.toUtf8();
}

bool registrieren(const QString &dataHome, const QString &executable, const QString &icon)
{
#ifdef Q_OS_WIN
    Q_UNUSED(dataHome);
    Q_UNUSED(icon);
    return registrierenWindows(executable);
#else
    if (dataHome.isEmpty() || executable.isEmpty() || installiert(dataHome))
        return false;
    const QString home = QDir::fromNativeSeparators(dataHome) + QLatin1Char('/');
    const bool mime
        = schreibenWennAnders(home + QStringLiteral("mime/packages/kronoblatt.xml"), mimeXml());
    const bool bild = !icon.isEmpty()
        && kopierenWennAnders(icon,
            home
                + QStringLiteral("icons/hicolor/256x256/"
                                 "apps/kronoblatt.png"));
    const bool eintrag = schreibenWennAnders(
        home + QStringLiteral("applications/kronoblatt.desktop"), desktopEntry(executable));
    if (mime)
        aktualisieren(QStringLiteral("update-mime-database"), home + QStringLiteral("mime"));
    if (eintrag)
        aktualisieren(
            QStringLiteral("update-desktop-database"), home + QStringLiteral("applications"));
    return mime || bild || eintrag;
#endif
}

} // namespace kb::FileType
