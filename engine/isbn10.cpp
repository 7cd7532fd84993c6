#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/digits.h"
#include "engine/isbn.h"
#include "engine/utf8.h"

namespace engine {

namespace detail {

char Isbn10CheckCharacter(std::span<const char, 9> body) {
  // The digits weigh 10, 9, ... 2. The first eight are read as one 64-bit
  // word, a digit a byte, the first in the lowest, and split into those at
  // even and those at odd places, a value per 16-bit lane. In the top lane of
  // each product are the four values times their weights (10, 8, 6, 4 and 9,
  // 7, 5, 3), which no lane's sum outgrows.
  static_assert(std::endian::native == std::endian::little);
  std::uint64_t word;
  std::memcpy(&word, body.data(), sizeof word);
  const std::uint64_t values = word - 0x3030303030303030;
  const std::uint64_t even = values & 0x00FF00FF00FF00FF;
  const std::uint64_t odd = (values >> 8) & 0x00FF00FF00FF00FF;
  const auto eightSum = static_cast<unsigned>((even * 0x000A000800060004) >> 48) +
                        static_cast<unsigned>((odd * 0x0009000700050003) >> 48);
  const unsigned sum = eightSum + 2 * static_cast<unsigned char>(body[8] - '0');
  // The check value is (11 - sum % 11) % 11, written as a character.
  return "0X987654321"[sum % 11];
}

}  // namespace detail

std::string ISBN13to10(std::string_view str) {
  if (detail::CountChars(str) != 13) return {};
  // The prefix and the ISBN-13 check digit (positions 1 to 3 and 13) are not read.
  std::string result(detail::Mid(str, 4, 9));
  if (result.size() != 9) throw std::invalid_argument("ISBN-13 body holds a non-digit");
  for (const char c : result) {
    if (c < '0' || c > '9') throw std::invalid_argument("ISBN-13 body holds a non-digit");
  }
  result += detail::Isbn10CheckCharacter(std::span<const char, 9>(result.data(), 9));
  return result;
}

}  // namespace engine
