// Feeds arbitrary bytes through the conversion chain and checks what must hold
// for every input: nothing crashes or reads out of bounds, ConVertIsbnNo gives
// nothing or a valid ISBN-13, hyphenation only ever inserts hyphens, and the
// fast chain of Convert agrees with the general functions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/isbn.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string WithoutHyphens(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c != '-') result += c;
  }
  return result;
}

bool IsValidIsbn13(std::string_view isbn) {
  if (isbn.size() != 13 || !isbn.starts_with("978")) return false;
  int sum = 0;
  for (std::size_t i = 0; i < isbn.size(); ++i) {
    if (isbn[i] < '0' || isbn[i] > '9') return false;
    sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
  }
  return sum % 10 == 0;
}

// A hyphenated number: no hyphen at either end, at most three, none doubled.
bool HasHyphenShape(std::string_view text) {
  if (text.empty()) return true;
  if (text.front() == '-' || text.back() == '-') return false;
  if (text.find("--") != std::string_view::npos) return false;
  std::size_t hyphens = 0;
  for (const char c : text) hyphens += c == '-';
  return hyphens <= 3 && (hyphens == 0 || hyphens == 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);

  const std::string isbn13 = engine::ConVertIsbnNo(raw);
  Require(isbn13.empty() || IsValidIsbn13(isbn13));

  const std::string long13 = engine::MadeH(isbn13, 13);
  const std::string short10 = engine::MadeH(isbn13, 10);
  Require(long13.empty() == isbn13.empty() && short10.empty() == isbn13.empty());
  if (!isbn13.empty()) {
    Require(long13.starts_with("978-") && WithoutHyphens(long13) == isbn13);
    Require(HasHyphenShape(std::string_view(long13).substr(4)));
    Require(WithoutHyphens(short10) == engine::ISBN13to10(isbn13) && HasHyphenShape(short10));
  }
  // Convert runs the chain on fixed digit arrays: it must agree with the
  // general functions on every input.
  Require(engine::Convert(raw, 13) == long13 && engine::Convert(raw, 10) == short10);

  // MadeH takes any text: the ISBN-13 style never throws, the ISBN-10 style
  // throws only for a non-digit in the body.
  const std::string anyLong = engine::MadeH(raw, 13);
  Require(anyLong.empty() == raw.empty());
  try {
    engine::MadeH(raw, 10);
  } catch (const std::invalid_argument&) {
  }
  return 0;
}
