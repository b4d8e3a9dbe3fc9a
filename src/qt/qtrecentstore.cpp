#include "qt/qtrecentstore.h"

namespace kelvor {

namespace {

const QString kGroup = QStringLiteral("Recent Files");

QString Key(const std::string& key) { return kGroup + '/' + QString::fromStdString(key); }

}  // namespace

// An empty organization would make QSettings fall back to "Unknown Organization" and report an
// access error; the application name alone as "organization" gives the one file kelvo.conf.
QtRecentStore::QtRecentStore() : settings_(QSettings::UserScope, QStringLiteral("kelvo")) {}

std::string QtRecentStore::Get(const std::string& key) {
    return settings_.value(Key(key)).toString().toStdString();
}

void QtRecentStore::Set(const std::string& key, const std::string& value) {
    settings_.setValue(Key(key), QString::fromStdString(value));
    settings_.sync();
}

std::vector<std::string> QtRecentStore::Values() {
    std::vector<std::string> values;
    settings_.beginGroup(kGroup);
    for (const QString& key : settings_.childKeys()) {
        values.push_back(settings_.value(key).toString().toStdString());
    }
    settings_.endGroup();
    return values;
}

}  // namespace kelvor
