// The conversion chain on fixed arrays of ASCII digits, which is what every
// convertible number is once normalised. Convert takes this road; the
// functions of isbn.h take any text and agree with it wherever both apply.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace engine::detail {

using Isbn13Digits = std::array<char, 13>;

// Puts what ConVertIsbnNo returns into digits; false, leaving digits
// unspecified, where it returns the empty string.
bool Normalise(std::string_view isbn, Isbn13Digits& digits);

// The ISBN-10 check character of nine body digits: "0" to "9" or "X".
char Isbn10CheckCharacter(std::span<const char, 9> body);

// What MadeH returns for the 13 digits of a normalised ISBN-13.
std::string HyphenateDigits(const Isbn13Digits& isbn, std::int32_t Lens);

}  // namespace engine::detail
