#include "files/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kelvor {

namespace {

namespace fs = std::filesystem;

// A symbolic link is saved through: the file it names is replaced, the link stays a link.
fs::path FollowLinks(fs::path target) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The folder's entry of the renamed file reaches the disk only when the folder is flushed too.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The mode of the file being replaced; a new file gets the mode any new file of the user's
// gets (0666 less the umask), not mkstemp's private 0600.
mode_t ModeFor(const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

bool AtomicFile::Open(const std::string& path) {
    Discard();
    failed_ = false;
    const fs::path given(path);
    if (!given.has_filename()) {
        failed_ = true;
        return false;
    }
    target_ = FollowLinks(given).string();
    // A unique name per write (mkstemp), so that temporaries left by a killed save never
    // stand in the way of the next one.
    std::string temp = target_ + ".~XXXXXX";
    fd_ = ::mkstemp(temp.data());
    if (fd_ < 0) {
        failed_ = true;
        return false;
    }
    temp_ = temp;
    if (::fchmod(fd_, ModeFor(target_)) != 0) {
        failed_ = true;
    }
    return !failed_;
}

bool AtomicFile::Write(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t n = fd_ < 0 ? -1 : ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            failed_ = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return !failed_;
}

bool AtomicFile::Commit() {
    if (fd_ < 0 || failed_) {
        Discard();
        return false;
    }
    bool ok = ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    temp_.clear();
    SyncFolder(fs::path(target_).parent_path());
    return true;
}

bool SaveAtomically(const std::string& path, const std::string& content) {
    AtomicFile file;
    return file.Open(path) && file.Write(content) && file.Commit();
}

}  // namespace kelvor
