// The recent-file rules, as operations on an in-memory store: tests/data/recentfiles.tsv.
#include <gtest/gtest.h>

#include "filecases.h"
#include "files/recentfiles.h"

namespace kelvor {
namespace {

TEST(RecentFiles, OperationsGiveTheListOfTheTable) {
    for (const testdata::Row& row : testdata::ReadTable("recentfiles.tsv")) {
        SCOPED_TRACE(row.where);
        const std::string &op = row[0], &arg = row[2];
        MemoryRecentStore store;
        const std::vector<std::string> before = filecases::Split(row[1], "|");
        for (std::size_t i = 0; i < before.size() && !row[1].empty(); ++i) {
            if (before[i] != "-") {
                store.Set(RecentKey(static_cast<int>(i) + 1), before[i] == "''" ? "" : before[i]);
            }
        }
        std::string after;
        if (op == "entries" || op == "caption") {
            after = op == "caption" ? RecentCaptionPath(arg)
                                    : filecases::Join(RecentEntries(store), "|");
        } else {
            const std::vector<std::string> entries = RecentEntries(store);
            if (op == "open") {
                RememberOpenedFile(store, arg,
                                   row[3].empty() ? entries : filecases::Split(row[3], "|"));
            } else if (op == "save") {
                RememberSavedFile(store, arg);
            } else {
                const int k = std::atoi(arg.c_str());
                PromoteRecentFile(store, k >= 1 && k <= 4 ? RecentCaptionPath(entries[k - 1]) : "z",
                                  k);
            }
            std::vector<std::string> keys;
            for (int i = 1; i <= kRecentFileCount; ++i) {
                keys.push_back(store.keys.count(RecentKey(i)) ? store.keys[RecentKey(i)] : "-");
            }
            after = filecases::Join(keys, "|");
        }
        EXPECT_EQ(after, row[4]);
    }
}

}  // namespace
}  // namespace kelvor
