// Decoding with the Windows code pages, and a GBK list read under a Chinese
// name in the system's code page.
#include <windows.h>

#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "ui/list_file/code_page.h"
#include "ui/list_file/list_file_reader.h"
#include "ui/tests/temp_folder.h"

namespace {

TEST(Win32CodePage, DecodesToUtf8AndCountsCharacters) {
  const struct {
    const char* codePage;
    std::string bytes;
    std::string text;
    std::size_t characters;
    const char* why;
  } cases[] = {
      {"GBK", "\xD6\xD0\xCE\xC4\xCA\xE9", "中文书", 3, "double-byte characters count once"},
      {"CP936", "7\xD6\xD0-", "7中-", 3, "CP936 is GBK, ASCII among them"},
      {"GBK", "\xD6\xD0\xCE", "中\uFFFD", 2, "a lead byte cut off at the end"},
      {"GBK",
       "\xD6"
       "0\xFF",
       "\uFFFD"
       "0\uFFFD",
       3, "a lead byte before no trail byte"},
      {"GBK", "\x80", "€", 1, "Windows' own single-byte character of 936"},
      {"UTF-8", "中文😀", "中文😀", 3, "UTF-8 itself, four-byte sequences too"},
      {"utf-8",
       "\xE4\xB8"
       "A",
       "\uFFFD\uFFFDA", 3, "a cut-off sequence, byte by byte"},
      {"UTF-8", "\xC0\xAF\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", 5,
       "overlong forms and surrogates are no characters"},
      {"CP1252", "caf\xE9", "café", 4, "a single-byte code page"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ui::CodePage codePage(c.codePage);
    const ui::DecodedLine decoded = codePage.decode(c.bytes);
    EXPECT_EQ(decoded.text, c.text);
    EXPECT_EQ(decoded.characters, c.characters);
  }
}

TEST(Win32CodePage, AsciiStaysInPlaceAndOtherLinesShareOneBuffer) {
  ui::CodePage codePage("GBK");
  const std::string ascii = "978-7-111-12345-3";
  EXPECT_EQ(codePage.decode(ascii).text.data(), ascii.data());
  const char* const buffer = codePage.decode("\xD6\xD0\xCE\xC4\xCA\xE9").text.data();
  EXPECT_EQ(codePage.decode("\xD6\xD0").text.data(), buffer);
}

TEST(Win32CodePage, OnlyCodePagesThatKeepAsciiAreKnown) {
  for (const char* name : {"gbk", "cp936", "CP65001", "CP1252", "CP950"}) {
    EXPECT_NO_THROW(ui::CodePage{name}) << name;
  }
  for (const char* name : {"", "CP", "CP0", "CP936x", "CP-1", "CP99999", "CP37", "CP65000",
                           "CP54936", "ANSI_X3.4-1968"}) {
    EXPECT_THROW(ui::CodePage{name}, std::system_error) << name;
  }
}

TEST(Win32CodePage, AGbkListUnderAChineseNameIsReadInTheSystemCodePage) {
  if (GetACP() != 936) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not GBK";
  TempFolder folder;
  CreateDirectoryW(TempFolder::fromUtf8(folder.path("书目")).wstring().c_str(), nullptr);
  // 中华人民共和, 中文书 and the start of an ISBN.
  const std::string path = folder.write(
      "书目/中文书号.txt",
      "\xD6\xD0\xBB\xAA\xC8\xCB\xC3\xF1\xB9\xB2\xBA\xCD\r\n\xD6\xD0\xCE\xC4\xCA\xE9\r\n7-111\r\n");
  ui::ListFileReader reader(path);
  ui::CodePage codePage = ui::CodePage::system();
  std::vector<std::size_t> characters;
  while (const auto line = reader.nextLine())
    characters.push_back(codePage.decode(*line).characters);
  EXPECT_EQ(characters, (std::vector<std::size_t>{6, 3, 5}));
}

}  // namespace
