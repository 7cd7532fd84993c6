#include <gtest/gtest.h>

#include <string_view>

#include "engine/isbn.h"

namespace {

struct Case {
  std::string_view input;
  std::string_view expected;
  std::string_view why;
};

constexpr Case kCases[] = {
    // The shapes a number arrives in.
    {"711112345", "9787111123453", "a bare 9-digit body"},
    {"7-111-12345-X", "9787111123453", "ISBN-10 with check character X"},
    {"7-111-12345-x", "9787111123453", "lower-case check character"},
    {"7111123450", "9787111123453", "ISBN-10's check character dropped unread, even wrong"},
    {"9787111123457", "9787111123453", "barcode with a wrong check digit is recomputed"},
    {"  978-7-111-12345-3  ", "9787111123453", "hyphenated ISBN-13 with spaces around"},
    {"978711112345", "9787111123453", "12 digits: 978 and body, no check digit"},
    {"978-7111-1234-5", "9787111123453", "hyphens anywhere"},
    {"978711112", "9789787111123", "9 characters beginning with 978 still get 978 in front"},
    // Check digits at the edges of the sum.
    {"711112346", "9787111123460", "weighted sum 100: check digit 0"},
    {"0-00-000000-0", "9780000000002", "all zeros"},
    {"999999999", "9789999999991", "all nines"},
    // Cleaning order: trim spaces, then drop tabs, then hyphens.
    {"\t9787111123457", "9787111123453", "a leading tab"},
    {" \t9787111123457", "9787111123453", "space then tab: the space is trimmed"},
    {"\t 9787111123457", "", "tab then space: the space is inside when trimming runs"},
    {"711112345 \t", "9787111123453", "space then tab at the end: 10 characters, last dropped"},
    {"97871111\t2345\t3", "9787111123453", "tabs inside"},
    {"978\t711112345", "9787111123453", "13 bytes of which a tab: 12 characters"},
    {"978711112345-", "9787111123453", "13 bytes ending in a hyphen: 12 characters"},
    {"711112345\t", "9787111123453", "10 bytes ending in a tab: a bare body"},
    // Not convertible.
    {"", "", "empty"},
    {"        ", "", "spaces only"},
    {"71111234", "", "8 characters"},
    {"978-7-111", "", "7 characters once the hyphens are gone"},
    {"97871A1123455", "", "a letter between the digits"},
    {"ISBN 978-7-111-12345-3", "", "a word in front"},
    {"978 7 111 12345 3", "", "spaces between the groups"},
    {"12345678X", "", "9 characters ending in X: the X is a body character"},
    {"7\xE2\x80\x93"
     "111-12345-X",
     "", "an en dash is not a hyphen"},
    // Lengths that no ISBN has give nothing rather than a number with a wrong
    // check digit.
    {"71111234567", "", "11 characters"},
    {"9797111123457", "", "a 979 barcode is not an ISBN-10 and has no ISBN-10 form"},
    {"6901234567892", "", "a non-book EAN-13"},
    {"787111123453", "", "12 digits not beginning with 978"},
    {"97871111234530", "", "14 characters"},
    {"9787111123453 \t", "", "space then tab behind a barcode: 14 characters"},
    // Characters, not bytes.
    {"123456789\xE4\xB8\xAD", "9781234567897", "a Chinese character is one character, dropped"},
    {"\xE4\xB8\xAD"
     "711112345",
     "", "a Chinese character in the body"},
    {"\xEF\xBC\x97\xEF\xBC\x91\xEF\xBC\x91\xEF\xBC\x91\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\xEF\xBC"
     "\x94\xEF\xBC\x95",
     "", "full-width digits are not digits"},
    {"\xE3\x80\x80"
     "711112345",
     "", "an ideographic space is not trimmed"},
    {"711112345\xFF", "9787111123453", "an invalid byte is one character, dropped as check"},
    {"978711112345\xFF", "9787111123453", "the same behind 978 and a body"},
    {"97871111234\xFF"
     "5",
     "", "13 bytes with an invalid byte in the body"},
    {"711112345\xE4\xB8", "", "a cut-off sequence is two characters: 11 in all"},
    {"7111\xFF"
     "12345",
     "", "an invalid byte in the body"},
    // The first eight body characters are tested as one 64-bit word, which a
    // 32-bit build works on in two halves.
    {"711/12345", "", "'/' ends the first half: its borrow crosses into the second"},
    {"7111:2345", "", "':' begins the second half"},
};

TEST(ConVertIsbnNo, NormalisesToIsbn13) {
  for (const Case& c : kCases) {
    EXPECT_EQ(engine::ConVertIsbnNo(c.input), c.expected) << c.why;
  }
}

}  // namespace
