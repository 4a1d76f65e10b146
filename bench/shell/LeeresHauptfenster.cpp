// The yardstick for start-up: a minimal Qt program that shows an empty QMainWindow and ends
// as soon as the window is on the screen, as kronoblatt does with KRONOBLATT_ENDE_NACH_START.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

namespace {

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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.winId();
    window.windowHandle()->installEventFilter(new EndeNachStart(&window));
    window.show();
    return app.exec();
}
