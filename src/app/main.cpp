#include "platform/AtomicFile.h"
#include "platform/QtUi.h"
#include "platform/Sprache.h"
#include "report/Fonts.h"
#include "report/PreviewWindow.h"
#include "shell/Startablauf.h"
#include "shell/Startfenster.h"
#include "shell/Symbole.h"
#include "shell/TForm1.h"
#include "shell/TKBForm.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace {

// Runs a function once, just after the window's first picture is on the screen: the window
// system exposed it and the expose has been painted.
class NachDemErstenBild : public QObject {
public:
    NachDemErstenBild(QWindow *window, std::function<void()> danach)
        : QObject(window)
        , m_danach(std::move(danach))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            window->removeEventFilter(this);
            // The expose is painted before the queued call runs.
            QTimer::singleShot(0, window, std::move(m_danach));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_danach;
};

void nachDemErstenBild(QWidget *fenster, std::function<void()> danach)
{
    fenster->winId(); // makes the window, so its first expose is seen
    if (QWindow *window = fenster->windowHandle())
        new NachDemErstenBild(window, std::move(danach));
    else
        QTimer::singleShot(0, fenster, std::move(danach));
}

// For measuring start-up: with KRONOBLATT_ENDE_NACH_START set, the program writes when the
// main window's first picture was on the screen ("gezeigt") and when the other windows were
// made ("fertig") to standard output, in milliseconds of CLOCK_MONOTONIC, and then ends.
void zeitMelden(const char *was)
{
    if (qEnvironmentVariableIsEmpty("KRONOBLATT_ENDE_NACH_START"))
        return;
    timespec jetzt {};
    clock_gettime(CLOCK_MONOTONIC, &jetzt);
    std::printf("%s %.3f\n", was, double(jetzt.tv_sec) * 1e3 + double(jetzt.tv_nsec) / 1e6);
    std::fflush(stdout);
}

// What the start-up reads from files before it shows them.
struct Bilder {
    QImage symbol;
    QImage logo;
    std::exception_ptr logoFehler;
};

} // namespace

int main(int argc, char **argv)
{
    // Answered before any window system is asked for, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs(kb::versionsAusgabe(QStringLiteral("kronoblatt")).toUtf8().constData(), stdout);
        return 0;
    }
    kb::dateigrenzeAlsFehler();
    QApplication app(argc, argv);
    // German in every window, the standard dialogs included, whatever the machine's locale.
    kb::deutschEinrichten();
    kb::windowsSchriftenErsetzen();
    // The windows' face, as on the system the program comes from: "MS Sans Serif" 8 points,
    // drawn with the installed face that stands in for it.
    QApplication::setFont(QFont(kb::report::installedFamily(QStringLiteral("MS Sans Serif")), 8));
    // The font list and the face of the windows are read on a second thread while the
    // start-up window is made: the first text the main window lays out finds them ready.
    std::thread schriften([f = QApplication::font()] {
        QFontDatabase::families();
        QFontMetrics(f).height();
    });
    // The icon and the start-up window's logo are read on a third thread while that window
    // is made.
    auto bilder = std::async(std::launch::async, [pfad = kb::logoPfad()] {
        Bilder b;
        b.symbol = kb::programmSymbolBild();
        try {
            b.logo = kb::logoLaden(pfad);
        } catch (...) {
            b.logoFehler = std::current_exception();
        }
        return b;
    });
    kb::installUi(std::make_unique<kb::QtUi>());
    // Layouts shown with "preview and wait" open the "Druck-Vorschau" window.
    kb::report::installWindowPreviewer();
    QApplication::setApplicationName(QStringLiteral("Kronoblatt"));

    // The start-up window shows at once and stays, above the main window, until the windows
    // made after the main window's first picture are there.
    auto start = std::make_unique<kb::TKBForm>();
    start->zeigen();
    const Bilder b = bilder.get();
    QApplication::setWindowIcon(kb::programmSymbol(b.symbol));
    kb::fehlerZeigen([&] {
        if (b.logoFehler)
            std::rethrow_exception(b.logoFehler);
        start->setLogo(b.logo);
    });

    kb::TForm1::Optionen optionen;
    optionen.dateitypRegistrieren = true;
    kb::TForm1 hauptfenster(optionen);

    // The work panels and the other windows are made once the main window shows, so it
    // shows sooner. A calendar given on the command line (a double click in the file
    // manager) opens after them, as if it had been chosen in the open dialog.
    const kb::StartDateien dateien = kb::startDateien(QCoreApplication::arguments());
    nachDemErstenBild(&hauptfenster, [&hauptfenster, &start, dateien] {
        zeitMelden("gezeigt");
        hauptfenster.fensterErstellen();
        start.reset();
        zeitMelden("fertig");
        if (!qEnvironmentVariableIsEmpty("KRONOBLATT_ENDE_NACH_START")) {
            QCoreApplication::exit(0);
            return;
        }
        // A form file (a double click on it) opens in the designer, on the calendar given
        // with it or else on the one opened last.
        if (!dateien.formular.isEmpty())
            hauptfenster.formularArgumentOeffnen(dateien.kalender, dateien.formular);
        else if (!dateien.kalender.isEmpty())
            hauptfenster.kalenderArgumentOeffnen(dateien.kalender);
    });
    hauptfenster.zeigen();
    start->raise();
    const int ergebnis = app.exec();
    schriften.join();
    return ergebnis;
}
