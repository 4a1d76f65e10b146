#include "platform/QtUi.h"
#include "report/Fonts.h"
#include "report/PreviewWindow.h"
#include "shell/Startablauf.h"
#include "shell/Symbole.h"
#include "shell/TForm1.h"
#include "shell/TKBForm.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace {

// For measuring start-up: with KRONOBLATT_ENDE_NACH_START set, the program ends as soon as
// the main window is on the screen (its first expose has been painted).
class EndeNachStart : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed())
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return false;
    }
};

void endeNachStartWennVerlangt(QWidget *fenster)
{
    if (qEnvironmentVariableIsEmpty("KRONOBLATT_ENDE_NACH_START"))
        return;
    fenster->winId(); // makes the window, so its first expose is seen
    if (QWindow *window = fenster->windowHandle())
        window->installEventFilter(new EndeNachStart(fenster));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    kb::windowsSchriftenErsetzen();
    // The windows' face, as on the system the program comes from: "MS Sans Serif" 8 points,
    // drawn with the installed face that stands in for it.
    QApplication::setFont(QFont(kb::report::installedFamily(QStringLiteral("MS Sans Serif")), 8));
    kb::installUi(std::make_unique<kb::QtUi>());
    // Layouts shown with "preview and wait" open the "Druck-Vorschau" window.
    kb::report::installWindowPreviewer();

    // The start-up window shows at once, while the rest is made.
    auto start = std::make_unique<kb::TKBForm>();
    kb::fehlerZeigen([&] { start->logoLaden(); });
    start->zeigen();

    QApplication::setApplicationName(QStringLiteral("Kronoblatt"));
    QApplication::setWindowIcon(kb::programmSymbol());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    kb::TForm1::Optionen optionen;
    optionen.dateitypRegistrieren = true;
    kb::TForm1 hauptfenster(optionen);
    hauptfenster.fensterErstellen();

    start.reset();
    endeNachStartWennVerlangt(&hauptfenster);
    hauptfenster.zeigen();

    // A calendar given on the command line (a double click in the file manager) opens once
    // the main window is there, as if it had been chosen in the open dialog.
    const QString kalender = kb::kalenderArgument(QCoreApplication::arguments());
    if (!kalender.isEmpty())
        QTimer::singleShot(0, &hauptfenster,
            [&hauptfenster, kalender] { hauptfenster.kalenderArgumentOeffnen(kalender); });
    return app.exec();
}
