#include "platform/QtUi.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kronoblatt"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    kb::installUi(std::make_unique<kb::QtUi>());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kronoblatt"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
