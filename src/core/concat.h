#pragma once

#include <cassert>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/numformat.h"

namespace kelvor {

namespace concat_detail {

// Every piece is copied with a fixed-size move where its length allows: literal texts by their
// compile-time length, numbers by their whole buffer. The text is built with this much room
// past its end, for the last number's buffer, and cut back afterwards.
constexpr std::size_t kSlack = NumberText::kCapacity;

// A char array is a literal: its size less the terminator, known when the program is built.
template <std::size_t N>
[[gnu::always_inline]] inline std::size_t Length([[maybe_unused]] const char (&piece)[N]) {
    assert(std::char_traits<char>::length(piece) == N - 1);
    return N - 1;
}
// A pointer is measured; a template, so that an array does not decay to it.
template <typename Pointer>
requires std::is_same_v<Pointer, const char*> || std::is_same_v<Pointer, char*>
[[gnu::always_inline]] inline std::size_t Length(const Pointer& piece) {
    return std::char_traits<char>::length(piece);
}
[[gnu::always_inline]] inline std::size_t Length(std::string_view piece) {
    return piece.size();
}
[[gnu::always_inline]] inline std::size_t Length(const std::string& piece) {
    return piece.size();
}
[[gnu::always_inline]] inline std::size_t Length(const NumberText& piece) {
    return std::string_view(piece).size();
}

template <std::size_t N>
[[gnu::always_inline]] inline char* Copy(char* out, const char (&piece)[N]) {
    std::memcpy(out, piece, N - 1);
    return out + (N - 1);
}
template <typename Pointer>
requires std::is_same_v<Pointer, const char*> || std::is_same_v<Pointer, char*>
[[gnu::always_inline]] inline char* Copy(char* out, const Pointer& piece) {
    const std::size_t length = Length(piece);
    std::memcpy(out, piece, length);
    return out + length;
}
[[gnu::always_inline]] inline char* Copy(char* out, std::string_view piece) {
    std::memcpy(out, piece.data(), piece.size());
    return out + piece.size();
}
[[gnu::always_inline]] inline char* Copy(char* out, const std::string& piece) {
    return Copy(out, std::string_view(piece));
}
[[gnu::always_inline]] inline char* Copy(char* out, const NumberText& piece) {
    const std::string_view text = piece;
    if (text.data() == piece.Buffer()) {
        std::memcpy(out, piece.Buffer(), NumberText::kCapacity);
        return out + text.size();
    }
    return Copy(out, text);
}

}  // namespace concat_detail

// Joins the pieces into `text`, keeping its storage: a run writes much the same texts as the
// run before, which then need no allocation. No piece may be `text` itself. Each piece is
// copied without a call: the texts are built on every run, each of a dozen short literals and
// numbers.
template <typename... Pieces>
void AssignConcat(std::string& text, const Pieces&... pieces) {
    const std::size_t size = (concat_detail::Length(pieces) + ... + 0);
    text.resize(size + concat_detail::kSlack);
    char* out = text.data();
    ((out = concat_detail::Copy(out, pieces)), ...);
    text.resize(size);
}

// The pieces joined into a new text.
template <typename... Pieces>
std::string Concat(const Pieces&... pieces) {
    std::string text;
    AssignConcat(text, pieces...);
    return text;
}

}  // namespace kelvor
