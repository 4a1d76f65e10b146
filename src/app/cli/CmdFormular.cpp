#include "app/cli/Cli.h"
#include "designer/FormSummary.h"
#include "designer/Formular.h"
#include "platform/Ui.h"

#include <QDir>
#include <QFileInfo>

namespace kb::cli {

namespace {

// While a form loads, its messages ("Bild ... nicht gefunden !") go to the error stream;
// the command line asks nothing and opens no dialog.
class StreamUi final : public Ui {
public:
    explicit StreamUi(QTextStream &err)
        : m_err(err)
    {
    }
    void message(const QString &text) override { m_err << text << '\n'; }
    bool question(const QString &text) override
    {
        m_err << text << '\n';
        return false;
    }
    std::optional<QString> inputQuery(
        const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(
        const QString &, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString directory(const QString &, const QString &) override { return {}; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }
    std::optional<QColor> color(const QColor &) override { return std::nullopt; }
    int runModal(QWidget *) override { return 0; }
    bool printDialog(QPrinter *, QWidget *) override { return false; }
    bool pageSetupDialog(QPrinter *, QWidget *) override { return false; }
    void beep() override { }
    void setBusy(bool) override { }
    bool openUrl(const QString &) override { return false; }
    QImage clipboardImage() override { return {}; }
    void setClipboardImage(const QImage &) override { }

private:
    QTextStream &m_err;
};

class ScopedStreamUi {
public:
    explicit ScopedStreamUi(QTextStream &err)
        : m_previous(installUi(std::make_unique<StreamUi>(err)))
    {
    }
    ~ScopedStreamUi() { installUi(std::move(m_previous)); }
    ScopedStreamUi(const ScopedStreamUi &) = delete;
    ScopedStreamUi &operator=(const ScopedStreamUi &) = delete;

private:
    std::unique_ptr<Ui> m_previous;
};

// A form file's overview, or the form loaded as the designer loads it and saved again.
int formular(Call &call)
{
    const QString source = call.argument(0);
    // The designer offers to start a new form here; a command line reports the missing file,
    // so that a mistyped name never turns into an empty form.
    if (!QFileInfo::exists(source)) {
        throw Error(QStringLiteral("Die Formulardatei %1 existiert nicht.")
                        .arg(QDir::toNativeSeparators(source)));
    }

    designer::Formular form;
    {
        ScopedStreamUi messages(call.err);
        form.load(source);
    }
    if (const std::optional<QString> target = call.option(QStringLiteral("speichern"))) {
        form.save(*target);
        call.out << "Gespeichert: " << QDir::toNativeSeparators(*target) << " ("
                 << form.records().size() << " Sätze)\n";
        return 0;
    }
    call.out << "Formular: " << QDir::toNativeSeparators(source) << '\n';
    for (const QString &line : designer::formSummary(form))
        call.out << line << '\n';
    return 0;
}

} // namespace

Command formularBefehl()
{
    return {
        .name = QStringLiteral("formular"),
        .summary = QStringLiteral("Zeigt eine Übersicht eines Kalenderformulars: Elemente je "
                                  "Band, Seite, Papier und Spalten."),
        .arguments = { { QStringLiteral("EIN.qvf"), QStringLiteral("die Formulardatei") } },
        .options = { { { QStringLiteral("speichern") }, QStringLiteral("AUS.qvf"),
            QStringLiteral("lädt das Formular wie der Formular-Editor und speichert es als "
                           "AUS.qvf, statt die Übersicht zu zeigen"),
            false } },
        .details = QStringLiteral("Fehlende Bilder des Formulars werden gemeldet; sie bleiben "
                                  "mit ihrem Pfad im Formular. Eine beschädigte Formulardatei "
                                  "wird abgelehnt, es wird nichts geschrieben."),
        .run = formular,
    };
}

} // namespace kb::cli
