#include "platform/QtUi.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QUrl>

namespace kb {
namespace {

QWidget *activeWindow()
{
    return QApplication::activeWindow();
}

QString title()
{
    return QStringLiteral("Kronoblatt");
}

} // namespace

QString standardEndung(const QString &filter)
{
    const QString erster = filter.section(QStringLiteral(";;"), 0, 0);
    const qsizetype auf = erster.lastIndexOf(QLatin1Char('('));
    const qsizetype zu = erster.lastIndexOf(QLatin1Char(')'));
    const QString muster = auf >= 0 && zu > auf ? erster.mid(auf + 1, zu - auf - 1) : erster;
    const QStringList teile = muster.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (teile.size() != 1 || !teile.first().startsWith(QStringLiteral("*.")))
        return {};
    const QString endung = teile.first().mid(2);
    for (const QChar c : endung) {
        if (!c.isLetterOrNumber())
            return {};
    }
    return endung;
}

void QtUi::message(const QString &text)
{
    QMessageBox::information(activeWindow(), title(), text, QMessageBox::Ok);
}

bool QtUi::question(const QString &text)
{
    return QMessageBox::question(activeWindow(), title(), text, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

std::optional<QString> QtUi::inputQuery(
    const QString &caption, const QString &prompt, const QString &value, bool password)
{
    bool ok = false;
    const QString text = QInputDialog::getText(activeWindow(), caption, prompt,
        password ? QLineEdit::Password : QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtUi::openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    QFileDialog dialog(activeWindow(), caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // "januar" typed where "januar.txt" lies opens that file instead of "Datei nicht gefunden".
    dialog.setDefaultSuffix(standardEndung(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUi::saveFileName(
    const QString &caption, const QString &dir, const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(activeWindow(), caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUi::directory(const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(activeWindow(), caption, dir);
}

std::optional<QFont> QtUi::font(const QFont &initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, activeWindow());
    if (!ok)
        return std::nullopt;
    return chosen;
}

std::optional<QColor> QtUi::color(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

namespace {

// Ends a local event loop when the watched window is hidden (closed).
class BisVerborgen : public QObject {
public:
    BisVerborgen(QWidget *fenster, QEventLoop *schleife)
        : m_schleife(schleife)
    {
        fenster->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            m_schleife->quit();
        return false;
    }

private:
    QEventLoop *m_schleife;
};

} // namespace

int QtUi::runModal(QWidget *dialog)
{
    if (auto *d = qobject_cast<QDialog *>(dialog))
        return d->exec();
    if (!dialog)
        return 0;
    QEventLoop schleife;
    BisVerborgen waechter(dialog, &schleife);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    if (dialog->isVisible())
        schleife.exec(QEventLoop::DialogExec);
    dialog->removeEventFilter(&waechter);
    return 0;
}

bool QtUi::printDialog(QPrinter *printer, QWidget *parent)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::pageSetupDialog(QPrinter *printer, QWidget *parent)
{
    QPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::beep()
{
    QApplication::beep();
}

void QtUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool QtUi::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

QImage QtUi::clipboardImage()
{
    return QApplication::clipboard()->image();
}

void QtUi::setClipboardImage(const QImage &image)
{
    QApplication::clipboard()->setImage(image);
}

} // namespace kb
