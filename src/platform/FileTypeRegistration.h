#pragma once

#include <QByteArray>
#include <QString>

namespace kb::FileType {

// The calendar file type ".qvk" and the form file type ".qvf" made known to the desktop, so
// that both show the program's icon and open in the program on a double click.
//
// Freedesktop systems: below `dataHome` (the user's data directory, ~/.local/share) the MIME
// types "application/x-kronoblatt" for *.qvk and "application/x-kronoblatt-formular" for
// *.qvf with the program's icon, the icon itself and a
// desktop entry that starts `executable` with the chosen file. A file is written only when it
// is missing or says something else (the program moved); then the desktop's caches are
// refreshed in the background. Nothing is written when an installed package already brings
// the MIME type and the desktop entry below one of the system's data folders. Windows: the registry
// keys ".qvk" = "Kronoblatt" and "Kronoblatt\DefaultIcon" = executable + ",0" (`dataHome` and
// `icon` unused); when a key cannot be written, ".qvk" is removed again.
//
// Failures are silent: the program works the same without the registration. Returns true
// when something was written.
bool registrieren(const QString &dataHome, const QString &executable, const QString &icon);

// The MIME type: "application/x-kronoblatt".
QString mimeType();
// The form files' MIME type "application/x-kronoblatt-formular" (*.qvf), which the desktop
// entry opens as well: the program shows the form in its designer.
QString formularMimeType();
// The shared-mime-info package file.
QByteArray mimeXml();
// The desktop entry starting `executable` with a calendar file.
QByteArray desktopEntry(const QString &executable);
// `executable` quoted for the Exec key of a desktop entry.
QString execQuoted(const QString &executable);

} // namespace kb::FileType
