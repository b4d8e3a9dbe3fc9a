// The recent-file list of the File menu: up to four full paths in the per-user settings store,
// "RecentFile1" the most recent. The rules below are the whole behaviour of the list; the menu
// only shows what RecentEntries gives.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kelvor {

inline constexpr int kRecentFileCount = 4;

// The section "Recent Files" of the settings store. Each Set writes one key at once.
class RecentStore {
public:
    virtual ~RecentStore() = default;
    // Empty for a key the store does not hold.
    virtual std::string Get(const std::string& key) = 0;
    virtual void Set(const std::string& key, const std::string& value) = 0;
    // Every value of the section, in the store's own listing of its keys.
    virtual std::vector<std::string> Values() = 0;
};

// A store in memory, listing its keys in byte order.
class MemoryRecentStore : public RecentStore {
public:
    std::string Get(const std::string& key) override;
    void Set(const std::string& key, const std::string& value) override;
    std::vector<std::string> Values() override;

    std::map<std::string, std::string> keys;
};

// "RecentFile" + i, for i from 1 to 4.
std::string RecentKey(int i);

// The captions of the menu entries 1 to 4, "1. " + path and so on. Empty when "RecentFile1" is
// missing or empty: the menu is then left as it stands.
std::vector<std::string> RecentEntries(RecentStore& store);

// The path a caption shows: the caption without its first three characters.
std::string RecentCaptionPath(const std::string& caption);

// After a file was opened through the dialog. A path that a shown entry (`shownCaptions`, the
// captions of entries 1 to 4 as the menu holds them) already names moves to the top; any other
// pushes the list down, the fourth falling off.
void RememberOpenedFile(RecentStore& store, const std::string& path,
                        const std::vector<std::string>& shownCaptions);

// After a file was saved under a new name: a path already listed moves to the top (never listed
// twice); any other pushes the list down, the fourth falling off.
void RememberSavedFile(RecentStore& store, const std::string& path);

// After a click on entry k (1 to 4): the entries above k move down by one and the path becomes
// entry 1. Entry 1 only writes itself again; any other k changes nothing.
void PromoteRecentFile(RecentStore& store, const std::string& path, int k);

}  // namespace kelvor
