#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>

#include "engine/isbn.h"

namespace {

struct Case {
  std::string_view isbn13;
  std::string_view expected;
  std::string_view why;
};

constexpr Case kCases[] = {
    {"9787111123453", "711112345X", "remainder 1: check character X"},
    {"9787111123460", "7111123468", "an ordinary digit"},
    {"9787111123538", "7111123530", "sum divisible by 11: check character 0"},
    {"9787111123590", "711112359X", "another X"},
    {"9780000000002", "0000000000", "all zeros"},
    {"9789999999991", "9999999999", "all nines: the largest weighted sum"},
    {"9797111123457", "711112345X", "the prefix is not read"},
    {"978711112345A", "711112345X", "position 13 is not read"},
    {"", "", "empty"},
    {"978711112345", "", "12 characters"},
    {"97871111234530", "", "14 characters"},
    {"\xE4\xB8\xAD"
     "787111123453",
     "711112345X", "13 characters, one of them Chinese, in the prefix"},
};

TEST(ISBN13to10, DerivesIsbn10) {
  for (const Case& c : kCases) {
    EXPECT_EQ(engine::ISBN13to10(c.isbn13), c.expected) << c.why;
  }
}

TEST(ISBN13to10, ThrowsOnNonDigitInBody) {
  for (const std::string_view isbn13 : {"978711A123453", "978X111123453",
                                        "978711112\xE4\xB8\xAD"
                                        "453"}) {
    EXPECT_THROW(engine::ISBN13to10(isbn13), std::invalid_argument) << isbn13;
  }
}

}  // namespace
