#pragma once

#include <streambuf>
#include <string_view>

namespace kelvor {

// Bytes in memory as a read-only stream buffer, so that a reader written for files reads them
// in place: the fuzz targets and tests feed the readers without touching the disk.
class MemoryBuf : public std::streambuf {
public:
    explicit MemoryBuf(std::string_view bytes) {
        char* begin = const_cast<char*>(bytes.data());  // never written through: get area only
        setg(begin, begin, begin + bytes.size());
    }
};

}  // namespace kelvor
