#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace kelvor {

// The longest line a data file may hold; a longer one refuses the file.
constexpr std::size_t kMaxLineLength = 1 << 20;

// Thrown by LineSource::Next for a line longer than kMaxLineLength.
struct LineTooLong {};

// Lines of a file with their CR LF (or LF) removed, read in chunks: a batch of ten thousand
// panels must not cost a call per character.
class LineSource {
public:
    explicit LineSource(std::FILE* f) : file_(f) {}
    // Bytes in memory, read in place.
    explicit LineSource(std::string_view bytes)
        : data_(bytes.data()), size_(bytes.size()) {}

    // False at the end of the file. The line stays valid until the next call: it lies in the
    // read buffer itself unless it runs across the buffer's end. Throws LineTooLong
    // for a line of more than kMaxLineLength characters and sets Failed() on a read error.
    bool Next(std::string_view& line) {
        if (pos_ == size_ && !Fill()) {
            return false;
        }
        const char* start = data_ + pos_;
        if (const void* nl = std::memchr(start, '\n', size_ - pos_)) {
            const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
            pos_ += n + 1;
            line = WithoutCr(std::string_view(start, n));
            return true;
        }
        spill_.clear();
        for (;;) {
            if (pos_ == size_ && !Fill()) {
                break;
            }
            start = data_ + pos_;
            const void* nl = std::memchr(start, '\n', size_ - pos_);
            const std::size_t n =
                nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - start) : size_ - pos_;
            if (spill_.size() + n > kMaxLineLength) {
                throw LineTooLong{};
            }
            spill_.append(start, n);
            pos_ += n;
            if (nl) {
                ++pos_;
                break;
            }
        }
        line = WithoutCr(spill_);
        return true;
    }

    bool Failed() const { return failed_; }

private:
    static std::string_view WithoutCr(std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line;
    }

    bool Fill() {
        if (file_ == nullptr) {
            return false;
        }
        data_ = buffer_;
        size_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        pos_ = 0;
        if (size_ == 0 && std::ferror(file_)) {
            failed_ = true;
        }
        return size_ > 0;
    }

    std::FILE* file_ = nullptr;
    char buffer_[1 << 16];
    const char* data_ = buffer_;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::string spill_;  // a line that runs across the end of the buffer
    bool failed_ = false;
};

}  // namespace kelvor
