// The recent-file list rules on an in-memory store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/recentfiles.h"

namespace kelvor {
namespace {

// The store holding the paths as entries 1, 2, ...; an empty text leaves that key out.
MemoryRecentStore StoreOf(const std::vector<std::string>& paths) {
    MemoryRecentStore store;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!paths[i].empty()) {
            store.Set(RecentKey(static_cast<int>(i) + 1), paths[i]);
        }
    }
    return store;
}

// RecentFile1..4 as they stand, "-" for a key the store does not hold.
std::string Keys(const MemoryRecentStore& store) {
    std::string out;
    for (int i = 1; i <= 4; ++i) {
        const auto it = store.keys.find(RecentKey(i));
        out += (i > 1 ? " " : "") + (it == store.keys.end() ? std::string("-") : it->second);
    }
    return out;
}

TEST(RecentFiles, OpenRuleMovesAShownPathToTheTopOrPushesANewOne) {
    struct Row {
        const char* name;
        std::vector<std::string> before;
        const char* path;
        const char* after;
    };
    const Row rows[] = {
        {"entry 1 changes nothing", {"a", "b", "c", "d"}, "a", "a b c d"},
        {"entry 2", {"a", "b", "c", "d"}, "b", "b a c d"},
        {"entry 3, entry 4 stays", {"a", "b", "c", "d"}, "c", "c a b d"},
        {"entry 4", {"a", "b", "c", "d"}, "d", "d a b c"},
        {"new path, the fourth falls off", {"a", "b", "c", "d"}, "n", "n a b c"},
        {"new path, short list", {"a", "b"}, "n", "n a b -"},
        {"empty list", {}, "n", "n - - -"},
        {"same text in another case is another path", {"a", "b"}, "A", "A a b -"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryRecentStore store = StoreOf(row.before);
        RememberOpenedFile(store, row.path, RecentEntries(store));
        EXPECT_EQ(Keys(store), row.after);
    }
}

TEST(RecentFiles, OpenRuleComparesWithTheShownEntriesNotTheStore) {
    // The menu shows c as entry 2 while the store has it as entry 3: entry 2's rule applies.
    MemoryRecentStore store = StoreOf({"a", "b", "c"});
    RememberOpenedFile(store, "c", {"1. x", "2. c"});
    EXPECT_EQ(Keys(store), "c a c -");
    // A path listed twice is found at its first place.
    store = StoreOf({"a", "b", "a"});
    RememberOpenedFile(store, "a", RecentEntries(store));
    EXPECT_EQ(Keys(store), "a b a -");
}

TEST(RecentFiles, SaveRulePushesWithoutLooking) {
    struct Row {
        const char* name;
        std::vector<std::string> before;
        const char* path;
        const char* after;
    };
    const Row rows[] = {
        {"path at entry 2 is listed as 1 and 3", {"a", "b", "c", "d"}, "b", "b a b c"},
        {"path at entry 1 twice", {"a"}, "a", "a a - -"},
        {"empty list", {}, "n", "n - - -"},
        // A hand-edited store with a hole: an empty entry is not moved, so entry 3 stays too.
        {"hole at entry 2", {"a", "", "c"}, "n", "n a c c"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryRecentStore store = StoreOf(row.before);
        RememberSavedFile(store, row.path);
        EXPECT_EQ(Keys(store), row.after);
    }
}

TEST(RecentFiles, ClickRuleMovesEntryKToTheTop) {
    const std::pair<int, const char*> rows[] = {
        {1, "a b c d"}, {2, "b a c d"}, {3, "c a b d"}, {4, "d a b c"}, {0, "a b c d"},
        {5, "a b c d"},
    };
    for (const auto& [k, after] : rows) {
        SCOPED_TRACE(k);
        MemoryRecentStore store = StoreOf({"a", "b", "c", "d"});
        const std::vector<std::string> entries = RecentEntries(store);
        const std::string path =
            k >= 1 && k <= 4 ? RecentCaptionPath(entries[static_cast<std::size_t>(k - 1)]) : "z";
        PromoteRecentFile(store, path, k);
        EXPECT_EQ(Keys(store), after);
    }
}

TEST(RecentFiles, EntriesAreNumberedCaptionsInKeyOrder) {
    MemoryRecentStore store = StoreOf({"/home/u/a.kelvo", "/home/u/b c.kelvo"});
    EXPECT_EQ(RecentEntries(store),
              (std::vector<std::string>{"1. /home/u/a.kelvo", "2. /home/u/b c.kelvo"}));
    EXPECT_EQ(RecentCaptionPath("2. /home/u/b c.kelvo"), "/home/u/b c.kelvo");
    EXPECT_EQ(RecentCaptionPath("1. "), "");

    // Without a first entry the menu is left as it stands.
    store = StoreOf({"", "b"});
    EXPECT_TRUE(RecentEntries(store).empty());
    store = StoreOf({"a"});
    store.Set(RecentKey(1), "");
    EXPECT_TRUE(RecentEntries(store).empty());

    // A store with more keys than the menu has entries shows the first four it lists.
    store = StoreOf({"a", "b", "c", "d"});
    store.Set("RecentFile5", "e");
    EXPECT_EQ(RecentEntries(store),
              (std::vector<std::string>{"1. a", "2. b", "3. c", "4. d"}));
}

}  // namespace
}  // namespace kelvor
