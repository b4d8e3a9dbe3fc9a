#include "files/recentfiles.h"

#include "core/numformat.h"

namespace kelvor {

namespace {

// Entries 2..k take the values of the entries above them, then the path goes to the top.
void MoveToTop(RecentStore& store, const std::string& path, int k) {
    for (int i = k; i >= 2; --i) {
        store.Set(RecentKey(i), store.Get(RecentKey(i - 1)));
    }
    store.Set(RecentKey(1), path);
}

}  // namespace

std::string MemoryRecentStore::Get(const std::string& key) {
    const auto it = keys.find(key);
    return it == keys.end() ? std::string() : it->second;
}

void MemoryRecentStore::Set(const std::string& key, const std::string& value) {
    keys[key] = value;
}

std::vector<std::string> MemoryRecentStore::Values() {
    std::vector<std::string> values;
    for (const auto& [key, value] : keys) {
        values.push_back(value);
    }
    return values;
}

std::string RecentKey(int i) { return "RecentFile" + std::to_string(i); }

std::vector<std::string> RecentEntries(RecentStore& store) {
    std::vector<std::string> captions;
    if (store.Get(RecentKey(1)).empty()) {
        return captions;
    }
    // A hand-edited store may hold more keys than the menu has entries.
    for (const std::string& value : store.Values()) {
        if (static_cast<int>(captions.size()) == kRecentFileCount) {
            break;
        }
        captions.push_back(Format(static_cast<int>(captions.size()) + 1, "#") + ". " + value);
    }
    return captions;
}

std::string RecentCaptionPath(const std::string& caption) {
    return caption.size() > 3 ? caption.substr(3) : std::string();
}

void RememberOpenedFile(RecentStore& store, const std::string& path,
                        const std::vector<std::string>& shownCaptions) {
    for (int k = 1; k <= kRecentFileCount && k <= static_cast<int>(shownCaptions.size()); ++k) {
        if (RecentCaptionPath(shownCaptions[static_cast<std::size_t>(k - 1)]) == path) {
            MoveToTop(store, path, k);
            return;
        }
    }
    RememberSavedFile(store, path);
}

void RememberSavedFile(RecentStore& store, const std::string& path) {
    // A file already listed moves to the top: listed twice, it would push another one out.
    for (int k = 1; k <= kRecentFileCount; ++k) {
        if (store.Get(RecentKey(k)) == path) {
            MoveToTop(store, path, k);
            return;
        }
    }
    for (int i = kRecentFileCount - 1; i >= 1; --i) {
        const std::string value = store.Get(RecentKey(i));
        if (!value.empty()) {
            store.Set(RecentKey(i + 1), value);
        }
    }
    store.Set(RecentKey(1), path);
}

void PromoteRecentFile(RecentStore& store, const std::string& path, int k) {
    if (k >= 1 && k <= kRecentFileCount) {
        MoveToTop(store, path, k);
    }
}

}  // namespace kelvor
