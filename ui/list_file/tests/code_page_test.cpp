#include "ui/list_file/code_page.h"

#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace {

TEST(CodePage, DecodesToUtf8AndCountsCharacters) {
  const struct {
    const char* codePage;
    std::string bytes;
    std::string text;
    std::size_t characters;
    const char* why;
  } cases[] = {
      {"GBK", "978-7", "978-7", 5, "ASCII stays as it is"},
      {"GBK", "\xD6\xD0\xCE\xC4", "中文", 2, "a double-byte character counts once"},
      {"GBK", "7\xD6\xD0\xCE", "7中\uFFFD", 3, "a cut-off character at the end"},
      {"GBK",
       "\xFF"
       "12",
       "\uFFFD"
       "12",
       3, "a byte GBK does not use"},
      {"UTF-8", "中文", "中文", 2, "UTF-8 itself"},
      {"UTF-8", "\xD6\xD0\xCE\xC4", "\uFFFD\uFFFD\uFFFD\uFFFD", 4, "GBK read as UTF-8"},
      {"ANSI_X3.4-1968", "1\xD6", "1\uFFFD", 2, "the C locale knows ASCII only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ui::CodePage codePage(c.codePage);
    const ui::DecodedLine decoded = codePage.decode(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.characters, c.characters);
  }
}

TEST(CodePage, UnknownNameIsRefused) {
  EXPECT_THROW(ui::CodePage("NO-SUCH-CODE-PAGE"), std::system_error);
}

}  // namespace
