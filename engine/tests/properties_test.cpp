// Properties of the whole chain over many generated ISBNs. The checks use the
// ISBN-13 and ISBN-10 validity sums, which the engine computes differently.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>

#include "engine/isbn.h"

namespace {

bool ValidIsbn13(std::string_view isbn) {
  if (isbn.size() != 13) return false;
  int sum = 0;
  for (std::size_t i = 0; i < 13; ++i) sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
  return sum % 10 == 0;
}

bool ValidIsbn10(std::string_view isbn) {
  if (isbn.size() != 10) return false;
  int sum = 0;
  for (std::size_t i = 0; i < 10; ++i) {
    const int value = isbn[i] == 'X' ? 10 : isbn[i] - '0';
    sum += value * static_cast<int>(10 - i);
  }
  return sum % 11 == 0;
}

std::string WithoutHyphens(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c != '-') result += c;
  }
  return result;
}

// Bodies of the known groups and of a few others, with random publisher digits.
std::string RandomBody(std::mt19937& random) {
  static constexpr std::string_view kGroups[] = {"7", "957", "986", "962", "988", "0", "4", "99"};
  std::string body(kGroups[random() % std::size(kGroups)]);
  while (body.size() < 9) body += static_cast<char>('0' + random() % 10);
  return body;
}

TEST(ChainProperties, AgreeOnGeneratedNumbers) {
  std::mt19937 random(20261208);
  for (int i = 0; i < 20000; ++i) {
    const std::string body = RandomBody(random);
    const std::string isbn13 = engine::ConVertIsbnNo(body);
    ASSERT_TRUE(ValidIsbn13(isbn13)) << body;
    ASSERT_EQ(isbn13.substr(0, 12), "978" + body);

    const std::string isbn10 = engine::ISBN13to10(isbn13);
    ASSERT_TRUE(ValidIsbn10(isbn10)) << body;
    EXPECT_EQ(engine::ConVertIsbnNo(isbn10), isbn13) << "the ISBN-10 gives the ISBN-13 back";
    EXPECT_EQ(engine::ConVertIsbnNo(" " + isbn13.substr(0, 4) + "-" + isbn13.substr(4)), isbn13);

    // Hyphenation only inserts hyphens: the digits stay in order, and a known
    // group gives four elements, none empty.
    const std::string long13 = engine::MadeH(isbn13, 13);
    const std::string short10 = engine::MadeH(isbn13, 10);
    EXPECT_EQ(engine::Convert(body, 13), long13) << "the fast chain agrees";
    EXPECT_EQ(engine::Convert(isbn10, 10), short10) << "the fast chain agrees";
    EXPECT_EQ(WithoutHyphens(long13), isbn13) << long13;
    EXPECT_EQ(WithoutHyphens(short10), isbn10) << short10;
    const bool known = body[0] == '7' || body.starts_with("957") || body.starts_with("986") ||
                       body.starts_with("962") || body.starts_with("988");
    const bool inGap =
        body.starts_with("957") && body.substr(3, 3) >= "431" && body.substr(3, 3) <= "439";
    if (known && !inGap) {
      EXPECT_EQ(std::count(short10.begin(), short10.end(), '-'), 3) << short10;
      EXPECT_EQ(short10.find("--"), std::string::npos) << short10;
      EXPECT_EQ(long13.substr(4), short10.substr(0, short10.size() - 1) + isbn13.back());
    } else {
      EXPECT_EQ(short10, isbn10);
    }
  }
}

}  // namespace
