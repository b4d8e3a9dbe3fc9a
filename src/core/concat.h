#pragma once

#include <string>
#include <string_view>

namespace kelvor {

// Joins the pieces of a result text in one allocation: the texts are built on every run, and a
// chain of + reallocates as the text grows.
template <typename... Pieces>
std::string Concat(const Pieces&... pieces) {
    const std::string_view views[] = {std::string_view(pieces)...};
    std::size_t size = 0;
    for (const std::string_view view : views) {
        size += view.size();
    }
    std::string text(size, '\0');
    char* out = text.data();
    // Byte by byte: the pieces are a few characters each, shorter than a call to memcpy.
    for (const std::string_view view : views) {
        for (const char c : view) {
            *out++ = c;
        }
    }
    return text;
}

}  // namespace kelvor
