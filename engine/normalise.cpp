#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
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

// Nine body characters: whether all are ASCII digits, and the sum of their
// values weighed 3, 1, 3, 1, ... The first eight are read as one 64-bit word,
// a character a byte, the first in the lowest, so that the test and the sum
// take a few operations for all eight together.
struct Body {
  bool digits;
  unsigned weightedSum;
};

Body ReadBody(const char* body) {
  static_assert(std::endian::native == std::endian::little);
  std::uint64_t word;
  std::memcpy(&word, body, sizeof word);
  // Each byte minus '0'. A byte below '0' borrows and gets its top bit set; a
  // borrow can spoil the bytes above it, but never hides that it happened.
  const std::uint64_t values = word - 0x3030303030303030;
  // Adding 0x76 sets the top bit of every value above 9. A byte whose value
  // has its top bit set already fails through the first operand.
  const bool eightDigits = ((values | (values + 0x7676767676767676)) & 0x8080808080808080) == 0;
  // For eight digits, the top byte of this product is 3 * value 0 + value 1 +
  // 3 * value 2 + ... + value 7; no partial sum reaches 256 and carries.
  const auto eightSum = static_cast<unsigned>((values * 0x0301030103010301) >> 56);
  const unsigned ninth = static_cast<unsigned char>(body[8] - '0');
  return {eightDigits && ninth <= 9, eightSum + 3 * ninth};
}

// Where the nine body characters of a cleaned number start, or nullptr for a
// length no ISBN has (11, 14 or more, or a 12- or 13-digit barcode of another
// prefix such as 979) or fewer than 9 characters. The check character a
// number carries is dropped unread; "978" numbers of 12 or 13 characters
// already hold the prefix. The body itself is not checked here.
const char* BodyOf(std::string_view cleaned) {
  const std::size_t n = cleaned.size();
  // Compared character by character: with starts_with, gcc keeps this
  // function out of line, and every line pays for a call or two.
  if ((n == 13 || n == 12) && cleaned[0] == '9' && cleaned[1] == '7' && cleaned[2] == '8') {
    return cleaned.data() + 3;
  }
  if (n == 10 || n == 9) return cleaned.data();  // an ISBN-10 or a bare body
  return nullptr;
}

// Fourteen characters are enough to tell every length that can give a result.
constexpr std::size_t kLongest = 13;

// Cleaning: every tab and hyphen-minus out of the trimmed text, with one
// placeholder byte for each multi-byte character, which is never a digit.
// Returns how many characters chars holds, or kLongest + 1 for more.
std::size_t Clean(std::string_view trimmed, std::array<char, kLongest + 1>& chars) {
  std::size_t n = 0;
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
    if (n > kLongest) break;
  }
  return n;
}

}  // namespace

namespace detail {

bool Normalise(std::string_view isbn, Isbn13Digits& result) {
  // Spaces off the ends first, then tabs and hyphens out. The order matters: a
  // space next to a tab at an end is not at the end when the trimming runs, so
  // it stays.
  const std::string_view trimmed = TrimSpaces(isbn);
  // Most lines are a bare number, which cleaning would leave as it is up to
  // its last character at least. Since the last character is never read,
  // whether cleaning would drop it does not matter: such a line's body is read
  // in place, and only the other lines are cleaned.
  const char* body = BodyOf(trimmed);
  Body read = body != nullptr ? ReadBody(body) : Body{false, 0};
  std::array<char, kLongest + 1> chars{};
  if (!read.digits) {
    body = BodyOf(std::string_view(chars.data(), Clean(trimmed, chars)));
    if (body == nullptr) return false;
    read = ReadBody(body);
    if (!read.digits) return false;
  }

  result[0] = '9';
  result[1] = '7';
  result[2] = '8';
  std::copy_n(body, 9, &result[3]);
  // The EAN-13 check digit weighs the characters 1 and 3 in turn, so "978"
  // adds 9 + 3 * 7 + 8 and the body's first digit weighs 3.
  const unsigned sum = 9 + 3 * 7 + 8 + read.weightedSum;
  result[12] = "0987654321"[sum % 10];  // (10 - sum % 10) % 10 as a digit
  return true;
}

}  // namespace detail

std::string ConVertIsbnNo(std::string_view isbn) {
  detail::Isbn13Digits digits;
  return detail::Normalise(isbn, digits) ? std::string(digits.data(), digits.size())
                                         : std::string();
}

}  // namespace engine
