#pragma once

#include <QSettings>

#include "files/recentfiles.h"

namespace kelvor {

// The recent-file list in the per-user settings: application "kelvo" with no organization (on
// Linux ~/.config/kelvo.conf), group "Recent Files". Each Set reaches the file at once, so two
// windows never keep different lists in memory.
class QtRecentStore : public RecentStore {
public:
    QtRecentStore();

    std::string Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& value) override;
    std::vector<std::string> Values() override;

    QString FileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
};

}  // namespace kelvor
