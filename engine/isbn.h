// The conversion engine: raw book numbers in, hyphenated ISBNs out.
//
// All text is UTF-8. Lengths and positions count characters (code points), not
// bytes; a byte that is not part of valid UTF-8 counts as one character that is
// not a digit. The functions keep no state and are safe to call from anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace engine {

// Normalises a raw book number (EAN-13 barcode, ISBN-13 or ISBN-10, with or
// without hyphens, spaces at the ends, tabs anywhere) to an ISBN-13 that starts
// with "978" and ends in a freshly computed check digit; the check character the
// input carries is dropped unread. Returns 13 ASCII digits, or the empty string
// when the input is not a convertible number.
std::string ConVertIsbnNo(std::string_view isbn);

// Derives the ISBN-10 from a 13-character ISBN-13: its body digits (positions
// 4 to 12) followed by the mod-11 check character ("0" to "9" or "X"). Returns
// the empty string for any length other than 13. Throws std::invalid_argument
// when a character at positions 4 to 12 is not an ASCII digit.
std::string ISBN13to10(std::string_view str);

// Hyphenates an ISBN-13 by registration group and registrant range. Lens 10
// gives the ISBN-10 style ("7-111-12345-X"); any other value the ISBN-13 style
// ("978-7-111-12345-3"), which keeps the last character of isbn as its check
// digit. A number outside the known ranges comes out without inner hyphens; an
// unconvertible one as the empty string. In the ISBN-10 style it throws what
// ISBN13to10 throws.
std::string MadeH(std::string_view isbn, std::int32_t Lens);

// The whole chain for one raw number: MadeH of the first 13 characters of
// ConVertIsbnNo(raw). Empty when the number cannot be converted.
std::string Convert(std::string_view raw, std::int32_t Lens);

}  // namespace engine
