// Makes the tables installed with the program: the text library "Texte.db" from a text list
// and the report table "designer.db" with the ready reports, written by the report stream's
// own writer.
//
//   kb_mkdata TEXTLISTE ZIELVERZEICHNIS
//
// writes ZIELVERZEICHNIS/Kalenderdaten/Texte.db and ZIELVERZEICHNIS/Designer/designer.db.
// Each table is built under a temporary name and renamed into place, so a failed run never
// leaves a half-filled table behind.

#include "caldata/Schemas.h"
#include "designer/BerichtsStrom.h"
#include "designer/FertigeBerichte.h"
#include "platform/Error.h"
#include "storage/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <functional>

namespace {

QStringList texte(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw kb::Error(QStringLiteral("Die Textliste %1 lässt sich nicht lesen: %2")
                            .arg(path, file.errorString()));
    QStringList result;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            result.append(line);
    }
    return result;
}

using Fuellen = std::function<void(kb::Table &)>;

void tabelleSchreiben(
    const QString &directory, const QString &name, const kb::TableSchema &schema, Fuellen fuellen)
{
    if (!QDir().mkpath(directory))
        throw kb::Error(
            QStringLiteral("Das Verzeichnis %1 lässt sich nicht anlegen.").arg(directory));
    const QString temp = QStringLiteral(".neu-") + name;
    {
        kb::Table table;
        table.setDirectory(directory);
        table.setTableName(temp);
        kb::Schemas::anlegen(table, schema);
        table.open();
        fuellen(table);
        table.close();
    }
    const QString target = QDir(directory).filePath(name);
    QFile::remove(target);
    if (!QFile::rename(QDir(directory).filePath(temp), target))
        throw kb::Error(QStringLiteral("%1 lässt sich nicht anlegen.").arg(target));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fputs("Aufruf: kb_mkdata TEXTLISTE ZIELVERZEICHNIS\n", stderr);
        return 2;
    }
    try {
        const QString bin = args.at(2);
        const QStringList zeilen = texte(args.at(1));
        tabelleSchreiben(bin + QStringLiteral("/Kalenderdaten"), QStringLiteral("Texte.db"),
            kb::Schemas::texteTabelle(), [&zeilen](kb::Table &table) {
                for (const QString &text : zeilen) {
                    table.append();
                    table.setString(QStringLiteral("Text"), text);
                    table.post();
                }
            });
        tabelleSchreiben(bin + QStringLiteral("/Designer"), QStringLiteral("designer.db"),
            kb::Schemas::designerTabelle(), [](kb::Table &table) {
                for (const kb::bericht::FertigerBericht &f : kb::bericht::fertigeBerichte()) {
                    table.append();
                    table.setString(QStringLiteral("Reportname"), f.name);
                    table.setBytes(
                        QStringLiteral("Reportdata"), kb::bericht::berichtSchreiben(f.bericht));
                    table.post();
                }
            });
    } catch (const kb::Error &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
