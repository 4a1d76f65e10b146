#include "CliProzess.h"

#include "storage/KeyDerivation.h"

#include "caldata/KalenderAnlage.h"
#include "storage/KeyDerivation.h"
#include "storage/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

namespace kb::test {

std::unique_ptr<QProcess> cliStarten(const QStringList &args, const Umgebung &umgebung)
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const auto &[name, wert] : umgebung)
        env.insert(name, wert);
    p->setProcessEnvironment(env);
    // KRONOBLATT_TEST_CLI runs these tests against another build (e.g. an older one).
    p->start(
        qEnvironmentVariable("KRONOBLATT_TEST_CLI", QStringLiteral(KB_BIN_DIR "/kronoblatt-cli")),
        args);
    return p;
}

Lauf cliWarten(QProcess &p)
{
    Lauf l;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    }
    l.getoetet = p.exitStatus() == QProcess::CrashExit;
    l.code = l.getoetet ? -1 : p.exitCode();
    l.out = QString::fromUtf8(p.readAllStandardOutput());
    l.err = QString::fromUtf8(p.readAllStandardError());
    return l;
}

Lauf cli(const QStringList &args, const Umgebung &umgebung)
{
    return cliWarten(*cliStarten(args, umgebung));
}

QStringList anlegenArgs(const QString &dir, const QString &name)
{
    return { QStringLiteral("anlegen"), QStringLiteral("--verzeichnis"), dir,
        QStringLiteral("--datei"), name, QStringLiteral("--jahr"), QStringLiteral("2024"),
        QStringLiteral("--land"), QStringLiteral("Bayern"), QStringLiteral("--name"),
        QStringLiteral("Muster") };
}

KalenderDatei kalenderAnlegen(const QString &dir, const QString &name, int jahr)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir;
    e.datei = name;
    e.jahr = jahr;
    return kb::kalenderAnlegen(e).dateien;
}

namespace {

// Problem with one table: opens, passes the integrity check and holds `records` rows.
QString tabelleFehler(const QString &path, const QString &passwort, int records)
{
    if (!QFile::exists(path))
        return QStringLiteral("%1 fehlt").arg(path);
    try {
        // Read-write, as the next run opens it: a writer killed inside a transaction leaves
        // its journal, which the next connection rolls back.
        sql::DbHandle db = sql::openFile(path, false, false);
        sql::key(db.get(), passwort);
        // New protections derive their key with more iterations than the cipher's default.
        if (!passwort.isEmpty())
            sql::Stmt(db.get(), QStringLiteral("PRAGMA kdf_iter = %1").arg(cipher::kKdfIterations))
                .step();
        sql::Stmt check(db.get(), QStringLiteral("PRAGMA integrity_check"));
        if (!check.step() || check.columnText(0) != QLatin1String("ok"))
            return QStringLiteral("%1: integrity_check %2").arg(path, check.columnText(0));
        sql::Stmt count(db.get(), QStringLiteral("SELECT count(*) FROM records"));
        count.step();
        if (count.columnInt(0) != records)
            return QStringLiteral("%1: %2 statt %3 Datensätze")
                .arg(path)
                .arg(count.columnInt(0))
                .arg(records);
    } catch (const sql::SqlError &e) {
        return QStringLiteral("%1: %2").arg(path, e.detail);
    }
    return {};
}

} // namespace

QString kalenderFehler(const KalenderDatei &k, const QString &passwort, int tage)
{
    if (!QFile::exists(k.qvkPfad()))
        return QStringLiteral("fehlt");
    if (QFile(k.qvkPfad()).size() == 0)
        return QStringLiteral("leere Kalenderdatei");
    const QString jahr = tabelleFehler(k.jahrPfad(), passwort, tage);
    // The picture table carries the same password as the year table.
    return jahr.isEmpty() ? tabelleFehler(k.bildPfad(), passwort, 12) : jahr;
}

bool klartext(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

QStringList reste(const QString &dir)
{
    QStringList found;
    const QStringList all = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : all) {
        if (f.startsWith(QLatin1String(".kbneu-")) || f.endsWith(QLatin1String(".kbtmp"))
            || f.contains(QLatin1String(".kbtmp-")) || f.startsWith(QLatin1String(".ferien-"))
            || f.endsWith(QLatin1String(".kbtmp-journal")) || f.endsWith(QLatin1String(".kbalt"))
            || f.endsWith(QLatin1String(".kbnew")) || f.endsWith(QLatin1String(".kbneu"))
            || f.endsWith(QLatin1String(".kbanlage")))
            found.append(f);
    }
    return found;
}

} // namespace kb::test
