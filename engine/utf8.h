// Character positions in UTF-8 text.
//
// A character is a whole, valid UTF-8 sequence; a byte that does not begin one
// is a character of its own. Cutting by position never fails: a cut that runs
// past the end yields only the characters that exist.
#pragma once

#include <cstddef>
#include <string_view>

namespace engine::detail {

// Bytes taken by a character that starts with a byte of 0x80 or above.
std::size_t MultiByteLength(std::string_view text, std::size_t at);

// Bytes taken by the character that starts at text[at]; at < text.size().
inline std::size_t CharLength(std::string_view text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) < 0x80 ? 1 : MultiByteLength(text, at);
}

std::size_t CountChars(std::string_view text);

// The characters from position start (1-based), at most count of them.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count);

// The last count characters, or all of text when it holds fewer.
std::string_view Right(std::string_view text, std::size_t count);

}  // namespace engine::detail
