#pragma once

#include <string>

namespace kelvor {

// Writes the content to a temporary file beside the target and renames it over the target, so
// a failed save never destroys the file that was there. False on any failure, with the target
// untouched and no temporary left behind.
bool SaveAtomically(const std::string& path, const std::string& content);

}  // namespace kelvor
