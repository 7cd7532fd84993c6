#include "ui/list_file/list_file_reader.h"

#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "ui/tests/temp_folder.h"

namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
  TempFolder folder;
  ui::ListFileReader reader(folder.write("list.txt", bytes));
  std::vector<std::string> lines;
  while (const auto line = reader.nextLine()) lines.emplace_back(*line);
  return lines;
}

TEST(ListFileReader, SplitsLinesAlsoAcrossBlocks) {
  // The reader takes the file in blocks of 64 KiB.
  const std::string block(65535, 'a');
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
    const char* why;
  } cases[] = {
      {"", {}, "an empty file has no line"},
      {"\n", {""}, "one empty line"},
      {"a\r\r\nb", {"a", "", "b"}, "CR, then CR LF"},
      {"a\n\rb\r", {"a", "", "b"}, "LF, then CR"},
      {block + "\r\nb", {block, "b"}, "CR LF split between two blocks"},
      {block + "\r\r\n", {block, ""}, "CR at a block's end, CR LF in the next"},
      {block + "bc\nd", {block + "bc", "d"}, "a line across two blocks"},
      {std::string(200000, 'x'), {std::string(200000, 'x')}, "one line over several blocks"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(linesOf(c.bytes), c.lines);
  }
}

}  // namespace

namespace {

TEST(ListFileReader, ReadsLinesUpToTheLimitAndRefusesLongerOnes) {
  for (const std::size_t length : {ui::ListFileReader::kLongestLine, std::size_t(100)}) {
    EXPECT_EQ(linesOf(std::string(length, '7') + "\n1").back(), "1");
  }
  const std::string tooLong(ui::ListFileReader::kLongestLine + 1, '7');
  for (const std::string& bytes : {tooLong, tooLong + "\r\n"}) {
    EXPECT_THROW(linesOf(bytes), std::system_error);
  }
}

}  // namespace
