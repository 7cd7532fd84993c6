#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

#include "engine/utf8.h"

namespace {

using engine::detail::CountChars;
using engine::detail::Mid;
using engine::detail::Right;

struct CountCase {
  std::string_view text;
  std::size_t chars;
  std::string_view why;
};

constexpr CountCase kCounts[] = {
    {"", 0, "empty"},
    {"7111", 4, "ASCII"},
    {"\xE4\xB8\xAD\xE6\x96\x87", 2, "two Chinese characters"},
    {"\xF0\x9F\x93\x9A", 1, "four bytes, one character"},
    {"\xE4\xB8", 2, "a sequence cut short: each byte on its own"},
    {"\xC0\xAF", 2, "an overlong form"},
    {"\xED\xA0\x80", 3, "an encoded surrogate"},
    {"\xF4\x90\x80\x80", 4, "beyond U+10FFFF"},
    {"\x80\xBF", 2, "lone continuation bytes"},
    {"\xE4\xB8\x41", 3, "a sequence broken by an ASCII byte"},
};

TEST(Utf8, CountsCharacters) {
  for (const CountCase& c : kCounts) {
    EXPECT_EQ(CountChars(c.text), c.chars) << c.why;
  }
}

struct CutCase {
  std::string_view cut;
  std::string_view expected;
  std::string_view why;
};

TEST(Utf8, CutsByPositionWithoutFailing) {
  constexpr std::string_view text =
      "7\xE4\xB8\xAD"
      "11\xFF";  // 7 中 1 1 <invalid>
  const CutCase cases[] = {
      {Mid(text, 2, 2),
       "\xE4\xB8\xAD"
       "1",
       "a multi-byte character is one position"},
      {Mid(text, 5, 3), "\xFF", "past the end yields what exists"},
      {Mid(text, 9, 1), "", "starting past the end yields nothing"},
      {Mid(text, 1, 0), "", "no characters asked for"},
      {Right(text, 2), "1\xFF", "the last two characters"},
      {Right(text, 10), text, "fewer than asked for: all of it"},
      {Right("", 1), "", "nothing to take"},
  };
  for (const CutCase& c : cases) {
    EXPECT_EQ(c.cut, c.expected) << c.why;
  }
}

}  // namespace
