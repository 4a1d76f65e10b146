#include "days/Textbibliothek.h"

#include "storage/Table.h"

#include <QFileInfo>

namespace kb {

namespace {

const QString &textFeld()
{
    static const QString feld = QStringLiteral("Text");
    return feld;
}

} // namespace

QString texteDateiname()
{
    return QStringLiteral("Texte.db");
}

QString texteFehlenMeldung(const Table &texte)
{
    return QStringLiteral("Tabelle \"%1\" nicht vorhanden!").arg(texte.tableName());
}

bool texteVorhanden(const Table &texte)
{
    return !texte.tableName().isEmpty() && QFileInfo(texte.filePath()).isFile();
}

TexteModell::TexteModell(Table *texte, QObject *parent)
    : TableModel(texte, parent)
{
    setFields({ textFeld() });
}

} // namespace kb
