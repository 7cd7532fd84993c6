#include <array>
#include <string>
#include <string_view>

#include "engine/digits.h"
#include "engine/isbn.h"
#include "engine/utf8.h"

namespace engine {

namespace {

// What cleaning does with a byte: 1 keeps it, 0 drops it (tabs and
// hyphen-minus).
constexpr std::array<unsigned char, 256> kKept = [] {
  std::array<unsigned char, 256> kept{};
  kept.fill(1);
  kept['\t'] = 0;
  kept['-'] = 0;
  return kept;
}();

// Trims U+0020 at both ends. A space is a single byte that never occurs inside
// a multi-byte character, so trimming bytes trims characters.
std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

namespace detail {

bool Normalise(std::string_view isbn, Isbn13Digits& result) {
  // Clean: spaces off the ends first, then every tab and hyphen-minus out. The
  // order matters: a space next to a tab at an end is not at the end when the
  // trimming runs, so it stays. Fourteen characters are enough to tell every
  // length that can give a result. A multi-byte character is never a digit,
  // so one placeholder byte stands for each.
  constexpr std::size_t kLongest = 13;
  std::array<char, kLongest + 1> chars;
  std::size_t n = 0;
  const std::string_view trimmed = TrimSpaces(isbn);
  for (std::size_t at = 0; at < trimmed.size();) {
    char c = trimmed[at];
    if (static_cast<unsigned char>(c) < 0x80) {
      ++at;
    } else {
      at += detail::MultiByteLength(trimmed, at);
      c = '\x80';
    }
    // Without a branch on where the tabs and hyphens stand: a dropped
    // character is written and then overwritten by the next one.
    chars[n] = c;
    n += kKept[static_cast<unsigned char>(c)];
    if (n > kLongest) return false;
  }
  const bool has978 = n >= 3 && chars[0] == '9' && chars[1] == '7' && chars[2] == '8';

  // Pick the nine body characters. The check character a number carries is
  // dropped unread; "978" numbers of 12 or 13 characters already hold the prefix.
  std::size_t bodyStart = 0;
  if ((n == 13 || n == 12) && has978) {
    bodyStart = 3;  // 978 + body (+ check digit)
  } else if (n == 10 || n == 9) {
    bodyStart = 0;  // an ISBN-10 (its check character dropped) or a bare body
  } else {
    // Shorter than 9 characters, or a length no ISBN has (11, 14 or more, or a
    // 12- or 13-digit barcode of another prefix such as 979): not convertible.
    return false;
  }

  // "978" and the body; the EAN-13 check digit weighs the characters 1 and 3
  // in turn, so "978" adds 9 + 3 * 7 + 8 and the body's first digit weighs 3.
  result[0] = '9';
  result[1] = '7';
  result[2] = '8';
  unsigned sum = 9 + 3 * 7 + 8;
  bool allDigits = true;
  for (std::size_t i = 0; i < 9; ++i) {
    const char c = chars[bodyStart + i];
    const unsigned digit = static_cast<unsigned char>(c - '0');
    allDigits &= digit <= 9;
    sum += i % 2 == 0 ? 3 * digit : digit;
    result[3 + i] = c;
  }
  if (!allDigits) return false;
  result[12] = static_cast<char>('0' + (10 - sum % 10) % 10);
  return true;
}

}  // namespace detail

std::string ConVertIsbnNo(std::string_view isbn) {
  detail::Isbn13Digits digits;
  return detail::Normalise(isbn, digits) ? std::string(digits.data(), digits.size())
                                         : std::string();
}

}  // namespace engine
