#pragma once

#include <string>

namespace kelvor {

// Writes the content to a temporary file beside the target, flushes it to disk and renames it
// over the target, so a failed save never destroys the file that was there, nor does a crash
// just after it. The file keeps its mode; a symbolic link is saved through to the file it names.
// False on any failure, with the target untouched and no temporary left behind.
bool SaveAtomically(const std::string& path, const std::string& content);

}  // namespace kelvor
