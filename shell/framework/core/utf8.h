#pragma once
// How the text functions step through UTF-8: a character is one well-formed UTF-8
// sequence or, where the bytes are not one, a single byte. Every byte string splits into
// characters this way, so invalid text never stops a loop and keeps its bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace utf8 {
// Bytes (1 to 4) of the character that starts at byte `at` < text.size().
std::size_t CharLength(std::string_view text, std::size_t at);
// Whether a character starts at byte `at`, or `at` is the end of the text.
bool IsBoundary(std::string_view text, std::size_t at);
// The byte just past `count` characters from byte `at`, or the end of the text.
std::size_t Skip(std::string_view text, std::size_t at, int64_t count);
// The number of characters between two boundaries.
int64_t Count(std::string_view text, std::size_t from, std::size_t to);
// The first occurrence of `find` at or after byte `from` that begins and ends on
// character boundaries; npos when there is none or `find` is empty.
std::size_t Find(std::string_view text, std::string_view find, std::size_t from);
} // namespace utf8
