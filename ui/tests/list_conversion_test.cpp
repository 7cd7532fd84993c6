#include "ui/list_conversion.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Converted {
  std::string output;
  std::int64_t records = 0;
};

// Feeds list in pieces of `piece` bytes, as the page feeds its file's chunks,
// taking the output after every piece.
Converted convert(const std::string& list, std::size_t piece, std::int32_t lens = 13,
                  bool utf8First = true) {
  ui::ListConversion conversion(ui::ListRecords(ui::CodePage("GBK"), utf8First));
  Converted converted;
  const auto take = [&] {
    converted.output += conversion.output();
    converted.records += conversion.outputRecords();
    conversion.taken();
  };
  for (std::size_t at = 0; at < list.size(); at += piece) {
    const std::size_t count = std::min(piece, list.size() - at);
    std::copy_n(list.data() + at, count, conversion.room(count).data());
    EXPECT_TRUE(conversion.added(count, lens));
    take();
  }
  EXPECT_TRUE(conversion.finish(lens));
  take();
  return converted;
}

TEST(ListConversion, GivesTheSameRecordsWhateverPiecesTheListComesIn) {
  // GBK: 中文书名 (4 characters in 8 bytes), then 中华人民共和国 (7 characters).
  const std::string gbkShort = "\xD6\xD0\xCE\xC4\xCA\xE9\xC3\xFB";
  const std::string gbkLong = "\xD6\xD0\xBB\xAA\xC8\xCB\xC3\xF1\xB9\xB2\xBA\xCD\xB9\xFA";
  const struct {
    std::string list;
    std::string output;
    const char* why;
  } cases[] = {
      {"", "", "an empty list"},
      {"7-111-12345-X", "978-7-111-12345-3\r\n", "the last line needs no ending"},
      {"7-111-12345-X\r\n9787111123457\r", "978-7-111-12345-3\r\n978-7-111-12345-3\r\n",
       "CR LF and a lone CR"},
      {"12345\n123456\n      \n   12345\n", "123456\r\n12345\r\n",
       "five characters or spaces alone are no record; the fallback is trimmed"},
      {"\r\n\n\r", "", "empty lines"},
      {" ab\tcd ", "ab\tcd\r\n", "an unconvertible line goes back as its bytes"},
      {"中文书名\n中文书名12\n", "中文书名12\r\n", "a UTF-8 line counts UTF-8 characters"},
      {gbkShort + "\n " + gbkLong + " \n", gbkLong + "\r\n",
       "any other line counts GBK characters and goes back byte for byte"},
  };
  for (const auto& c : cases) {
    for (const std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(1 << 20)}) {
      SCOPED_TRACE(testing::Message() << c.why << ", pieces of " << piece);
      const Converted converted = convert(c.list, piece);
      EXPECT_EQ(converted.output, c.output);
      EXPECT_EQ(converted.records, std::count(c.output.begin(), c.output.end(), '\n'));
    }
  }
}

TEST(ListConversion, TakesTheStyleOfEachPiece) {
  EXPECT_EQ(convert("7-111-12345-X\n", 64, 10).output, "7-111-12345-X\r\n");
  EXPECT_EQ(convert("7-111-12345-X\n", 64, 13).output, "978-7-111-12345-3\r\n");
}

TEST(ListConversion, RefusesALineOverTheLongestAndKeepsTheRecordsBefore) {
  const std::size_t longest = ui::LineSplitter::kLongestLine;
  EXPECT_EQ(convert(std::string(longest, '7') + "\n", 1 << 20).records, 1);

  ui::ListConversion conversion(ui::ListRecords(ui::CodePage("GBK"), true));
  const std::string list = "7-111-12345-X\n" + std::string(longest + 1, '7');
  std::copy(list.begin(), list.end(), conversion.room(list.size()).data());
  EXPECT_FALSE(conversion.added(list.size(), 13));
  EXPECT_FALSE(conversion.finish(13));
  EXPECT_EQ(conversion.output(), "978-7-111-12345-3\r\n");
}

}  // namespace
