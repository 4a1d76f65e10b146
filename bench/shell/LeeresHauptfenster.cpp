// The yardstick for start-up: a minimal Qt program that shows an empty QMainWindow. Once the
// window's first expose has been painted it writes the time ("gezeigt", milliseconds of
// CLOCK_MONOTONIC) to standard output and ends, as kronoblatt does with
// KRONOBLATT_ENDE_NACH_START. With the argument --vollbild the window takes the whole
// screen, as kronoblatt's maximised main window does without a window manager.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace {

class EndeNachStart : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            window->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] {
                timespec jetzt {};
                clock_gettime(CLOCK_MONOTONIC, &jetzt);
                std::printf(
                    "gezeigt %.3f\n", double(jetzt.tv_sec) * 1e3 + double(jetzt.tv_nsec) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.winId();
    window.windowHandle()->installEventFilter(new EndeNachStart(&window));
    if (QCoreApplication::arguments().contains(QStringLiteral("--vollbild"))) {
        window.setGeometry(window.screen()->availableGeometry());
        window.showMaximized();
    } else {
        window.show();
    }
    return app.exec();
}
