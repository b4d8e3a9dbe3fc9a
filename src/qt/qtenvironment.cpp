#include "qt/qtenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <cstdlib>

#include "files/datafolder.h"

namespace kelvor {

StartupEnvironment QtStartupEnvironment() {
    StartupEnvironment env;
    const QString point = QLocale::system().decimalPoint();
    env.decimalPoint = point.isEmpty() ? '.' : point.at(0).toLatin1();
    if (env.decimalPoint == 0) {
        env.decimalPoint = ',';  // a separator outside Latin-1 is still not a point
    }
    env.appFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    const char* fromEnv = std::getenv("KELVOR_DATA_DIR");
    env.dataFolder =
        ResolveDataFolder(fromEnv, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")).string();
    if (!fromEnv || !*fromEnv) {
        env.shippedDataFolder = ShippedFolder(env.appFolder, "data").string();
    }
    env.helpFolder = ShippedFolder(env.appFolder, "Help").string();
    return env;
}

}  // namespace kelvor
