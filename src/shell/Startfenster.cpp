#include "shell/Startfenster.h"

#include "platform/Error.h"
#include "platform/ProgramDir.h"

#include <QDir>

namespace kb {

QColor startfensterFarbe(int y)
{
    return QColor(0, 0, ((255 - y) % 256 + 256) % 256);
}

QString logoPfad()
{
    return ProgramDir::path() + QStringLiteral("KBLogo.bmp");
}

QImage logoLaden(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        throw Error(QStringLiteral("Das Bild „%1“ kann nicht geladen werden.")
                        .arg(QDir::toNativeSeparators(path)));
    // A transparent picture shows the window's background where its bottom-left colour is.
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace kb
