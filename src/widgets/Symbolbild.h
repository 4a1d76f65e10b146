#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace kb::widgets {

// The pictures of the program's buttons: SVG files compiled into the program (":/symbole/"),
// so they look the same with every style and icon theme. `name` is the file's name without
// ".svg" ("anlegen", "bild-kopieren" ...).

// The picture at every size it is asked for, drawn once per size; a disabled button's
// picture is grey and faint.
QIcon symbolbild(const QString &name);
// The picture drawn once at `kante` × `kante` pixels.
QPixmap symbolPixmap(const QString &name, int kante);

} // namespace kb::widgets
