#include <QApplication>

#include "ui/mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvo"));
    kelvor::MainWindow window;
    window.show();
    window.StartUp();
    return QApplication::exec();
}
