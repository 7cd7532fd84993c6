// Reads an input list file one line at a time, as bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/list_file/line_splitter.h"
#include "ui/list_file/system_file.h"

namespace ui {

// The file is read in blocks and split into lines by LineSplitter.
class ListFileReader {
 public:
  static constexpr std::size_t kLongestLine = LineSplitter::kLongestLine;

  // Opens path for reading. Throws std::system_error when it cannot.
  explicit ListFileReader(const std::string& path);

  // The next line without its ending, or nothing at the end of the file. The
  // view stays valid until the next call. Throws std::system_error when the
  // file cannot be read or the line is longer than kLongestLine.
  std::optional<std::string_view> nextLine();

  FileIdentity identity() const { return file_.identity(); }

 private:
  InputFile file_;
  LineSplitter lines_;
};

}  // namespace ui
