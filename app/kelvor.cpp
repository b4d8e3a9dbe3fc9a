#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "ui/mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvo"));
    // Ties the windows to the installed desktop entry and icon (taskbar, Wayland window icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvor"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kelvor")));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kelvor: checks of a stiffened plate panel"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A project file (.kelvo) to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    kelvor::MainWindow window;
    window.show();
    window.StartUp();
    if (!parser.positionalArguments().isEmpty()) {
        window.OpenFile(parser.positionalArguments().constFirst());
    }
    return QApplication::exec();
}
