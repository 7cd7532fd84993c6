#include <array>
#include <span>
#include <string>
#include <string_view>

#include "engine/digits.h"
#include "engine/isbn.h"
#include "engine/utf8.h"

namespace engine {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Trims U+0020 at both ends. A space is a single byte that never occurs inside
// a multi-byte character, so trimming bytes trims characters.
std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The EAN-13 check digit of twelve digits: weight 1 on odd, 3 on even positions.
char Ean13CheckDigit(std::span<const char, 12> digits) {
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    sum += (digits[i] - '0') + 3 * (digits[i + 1] - '0');
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
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
    n += c != '\t' && c != '-';
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

  result[0] = '9';
  result[1] = '7';
  result[2] = '8';
  bool allDigits = true;
  for (std::size_t i = 0; i < 9; ++i) {
    result[3 + i] = chars[bodyStart + i];
    allDigits &= IsDigit(result[3 + i]);
  }
  if (!allDigits) return false;
  result[12] = Ean13CheckDigit(std::span(result).first<12>());
  return true;
}

}  // namespace detail

std::string ConVertIsbnNo(std::string_view isbn) {
  detail::Isbn13Digits digits;
  return detail::Normalise(isbn, digits) ? std::string(digits.data(), digits.size())
                                         : std::string();
}

}  // namespace engine
