#include "platform/QtUi.h"
#include "report/PreviewWindow.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kronoblatt"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    kb::installUi(std::make_unique<kb::QtUi>());
    // Layouts shown with "preview and wait" open the "Druck-Vorschau" window.
    kb::report::installWindowPreviewer();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kronoblatt"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
