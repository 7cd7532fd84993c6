#include "engine/utf8.h"

#include <algorithm>

namespace engine::detail {

namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// Byte offset of the character at position start (1-based), or text.size().
std::size_t OffsetOf(std::string_view text, std::size_t start) {
  std::size_t at = 0;
  for (std::size_t position = 1; position < start && at < text.size(); ++position) {
    at += CharLength(text, at);
  }
  return at;
}

}  // namespace

std::size_t MultiByteLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) -> unsigned char {
    return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
  };
  const unsigned char lead = byte(0);
  // The ranges of well-formed UTF-8: no overlong forms, no surrogates, nothing
  // above U+10FFFF. The second byte's range depends on the lead byte.
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (!InRange(byte(1), low, high)) return 1;
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(byte(i), 0x80, 0xBF)) return 1;
  }
  return length;
}

std::size_t CountChars(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += CharLength(text, at)) ++count;
  return count;
}

std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
  const std::size_t begin = OffsetOf(text, start);
  const std::string_view rest = text.substr(begin);
  return rest.substr(0, OffsetOf(rest, count + 1));
}

std::string_view Right(std::string_view text, std::size_t count) {
  // In ASCII text, which every convertible number is, characters are bytes.
  const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return c >= 0; });
  if (ascii) return text.substr(text.size() - std::min(count, text.size()));
  const std::size_t length = CountChars(text);
  return length <= count ? text : text.substr(OffsetOf(text, length - count + 1));
}

}  // namespace engine::detail
