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
  unsigned sum = 0;
  unsigned weight = 10;
  for (const char c : body) sum += static_cast<unsigned char>(c - '0') * weight--;
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
