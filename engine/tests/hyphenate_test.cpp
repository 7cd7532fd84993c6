#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/isbn.h"
#include "engine/registrant_ranges.h"

namespace {

struct Case {
  std::string_view isbn;
  std::int32_t lens;
  std::string_view expected;
  std::string_view why;
};

constexpr Case kDriverAndGroup7[] = {
    {"9787111123453", 13, "978-7-111-12345-3", "pair 71: three-character registrant"},
    {"9787111123453", 10, "7-111-12345-X", "ISBN-10 style with its own check character"},
    {"9787040123456", 13, "978-7-04-012345-6", "pair 70: two characters"},
    {"9787300123459", 13, "978-7-300-12345-9", "pair 73: still three characters"},
    {"9787400123454", 13, "978-7-4001-2345-4", "pair 74 takes four characters, not three"},
    {"9787505369122", 10, "7-5053-6912-1", "pair 75"},
    {"9787700123453", 13, "978-7-7001-2345-3", "pair 77: last of the four-character pairs"},
    {"9787800123450", 13, "978-7-80012-345-0", "pair 78: five characters"},
    {"9787900123459", 10, "7-900123-45-8", "pair 79: six characters"},
    {"9787111123453", 0, "978-7-111-12345-3", "any Lens but 10 is the ISBN-13 style"},
    {"9787111123453", -10, "978-7-111-12345-3", "even a negative one"},
    {"9797111123457", 13, "978-7-111-12345-7", "the first three characters are not read"},
    {"9780306406157", 13, "978-0306406157", "group 0 has no rules: no inner hyphens"},
    {"9780306406157", 10, "0306406152", "the bare ISBN-10"},
    {"", 13, "", "nothing to convert"},
    {"", 10, "", "nothing to convert, ISBN-10 style"},
    {"978711112345", 10, "", "12 characters have no ISBN-10"},
    {"7111", 13, "978-7-111--1", "a short value is cut by position, hyphens still go in"},
    {"7", 13, "978-7", "a lone 7 has no leading pair"},
    {"7A11123453", 13, "978-7A11123453", "7 followed by a non-digit matches no pair"},
};

constexpr Case kOtherGroups[] = {
    {"9789570001235", 13, "978-957-00-0123-5", "957: lowest slice, two characters"},
    {"9789571991235", 13, "978-957-19-9123-5", "957: 199 is the top of the first range"},
    {"9789572001233", 10, "957-2001-23-X", "957: 20 alone takes four characters"},
    {"9789572801239", 13, "978-957-28012-3-9", "957: 28 to 30 take five"},
    {"9789573091238", 13, "978-957-30912-3-8", "957: 30 still takes five"},
    {"9789573101234", 13, "978-957-31-0123-4", "957: 310 starts a two-character range"},
    {"9789574309993", 13, "978-957-43-0999-3", "957: 430 is still inside"},
    {"9789574312344", 13, "978-9574312344", "957: 431 is in the gap, no hyphens"},
    {"9789574312344", 10, "9574312348", "957: the gap in the ISBN-10 style"},
    {"9789574399993", 13, "978-9574399993", "957: 439 is the end of the gap"},
    {"9789574401239", 13, "978-957-440-123-9", "957: three characters from 44"},
    {"9789861201238", 13, "978-986-12-0123-8", "986: 120 takes two characters"},
    {"9789861211237", 13, "978-986-121-123-7", "986: 121 takes three"},
    {"9789868001237", 10, "986-80012-3-4", "986: five characters from 800"},
    {"9789622001237", 10, "962-20-0123-8", "962: 200 takes two characters"},
    {"9789622011236", 13, "978-962-201-123-6", "962: 201 takes three"},
    {"9789622201231", 13, "978-962-22-0123-1", "962: 220 alone takes two again"},
    {"9789628501236", 13, "978-962-85012-3-6", "962: five characters for 850 to 869"},
    {"9789628701230", 13, "978-962-8701-23-0", "962: four again from 870"},
    {"9789629001230", 10, "962-900-123-3", "962: three again from 900"},
    {"9789880001239", 13, "978-988-00012-3-9", "988: five characters"},
    {"9789882001237", 10, "988-200-123-8", "988: three from 200"},
    {"9789886001233", 13, "978-988-60012-3-3", "988: five again from 600"},
    {"957431", 13, "978-957431", "a short value in the 957 gap"},
    {"98612", 13, "978-986-12--2", "a short slice still compares as text"},
    {"986", 13, "978-986", "an empty slice satisfies no rule"},
};

TEST(MadeH, DriverAndGroup7) {
  for (const Case& c : kDriverAndGroup7) {
    EXPECT_EQ(engine::MadeH(c.isbn, c.lens), c.expected) << c.why;
  }
}

TEST(MadeH, Groups957To988) {
  for (const Case& c : kOtherGroups) {
    EXPECT_EQ(engine::MadeH(c.isbn, c.lens), c.expected) << c.why;
  }
}

TEST(MadeH, ThrowsWhatIsbn13to10Throws) {
  EXPECT_THROW(engine::MadeH("978711A123453", 10), std::invalid_argument);
  EXPECT_EQ(engine::MadeH("978711A123453", 13), "978-7-11A-12345-3");
}

// Known answers in the ISBN-10 style, one for each range: the body goes through
// the whole chain, and the check character is computed, not copied.
TEST(Convert, OneNumberOfEachRange) {
  constexpr std::string_view kExpected[] = {
      "957-00-0123-2", "957-2001-23-X", "957-21-0123-4", "957-28012-3-6", "957-31-0123-8",
      "957-440-123-5", "957-8201-23-0", "957-97012-3-7", "986-12-0123-8", "986-121-123-3",
      "986-6001-23-7", "986-80012-3-4", "962-20-0123-8", "962-201-123-3", "962-221-123-2",
      "962-7001-23-6", "962-85012-3-2", "962-8701-23-1", "962-900-123-3", "988-00012-3-0",
      "988-200-123-8", "988-60012-3-2", "7-04-012345-2", "7-111-12345-X", "7-5053-6912-1",
  };
  for (const std::string_view expected : kExpected) {
    std::string body;
    for (const char c : expected.substr(0, expected.size() - 1)) {
      if (c != '-') body += c;
    }
    EXPECT_EQ(engine::Convert(body, 10), expected) << body;
  }
}

// Convert finds splits in tables filled from the rules; for every three digits
// after every known group, and after a few unknown ones, it agrees with MadeH
// in both styles.
TEST(Convert, AgreesWithMadeHAfterEveryGroup) {
  std::vector<std::string_view> groups = {"0", "89", "99"};
  for (const engine::detail::GroupRules& group : engine::detail::kGroups)
    groups.push_back(group.group);
  for (const std::string_view group : groups) {
    for (int n = 0; n <= 999; ++n) {
      std::string body = std::string(group) + std::to_string(1000 + n).substr(1);
      body.resize(9, '5');
      const std::string isbn13 = engine::ConVertIsbnNo(body);
      ASSERT_EQ(engine::Convert(body, 13), engine::MadeH(isbn13, 13)) << body;
      ASSERT_EQ(engine::Convert(body, 10), engine::MadeH(isbn13, 10)) << body;
    }
  }
}

// Every three-digit slice after a known group falls in at most one range, and
// the only slices in none are 957's 431 to 439.
TEST(RegistrantRanges, CoverEverySliceOnce) {
  for (const engine::detail::GroupRules& group : engine::detail::kGroups) {
    for (int n = 0; n <= 999; ++n) {
      std::string slice = std::to_string(1000 + n).substr(1);
      int matches = 0;
      for (const engine::detail::RangeRule& rule : group.rules) {
        const std::string_view s = std::string_view(slice).substr(0, rule.low.size());
        matches += s >= rule.low && s <= rule.high;
      }
      const bool inGap = group.group == "957" && n >= 431 && n <= 439;
      EXPECT_EQ(matches, inGap ? 0 : 1) << group.group << "-" << slice;
    }
  }
}

}  // namespace
