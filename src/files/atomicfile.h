#pragma once

#include <string>
#include <string_view>

namespace kelvor {

// A file written whole or not at all: the content goes to a temporary file beside the target,
// is flushed to disk and renamed over the target on Commit, so a failed or interrupted write
// never destroys the file that was there, nor does a crash just after it. The file keeps its
// mode; a symbolic link is written through to the file it names (the link stays a link). A
// writer that is not committed removes its temporary file.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    bool Open(const std::string& path);
    bool Write(std::string_view bytes);
    // False when anything failed since Open; the target is then untouched.
    bool Commit();

private:
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
};

// The whole content through an AtomicFile. False on any failure, with the target untouched and
// no temporary left behind.
bool SaveAtomically(const std::string& path, const std::string& content);

}  // namespace kelvor
