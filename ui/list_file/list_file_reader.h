// Reads an input list file one line at a time, as bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/list_file/system_file.h"

namespace ui {

// CR LF, a lone CR and a lone LF each end a line; the last line needs no
// ending. A byte-order mark is not recognised: it stays part of the first
// line. The file is read in blocks, and a line is held once, in the block
// buffer, which grows only as far as the longest line needs.
class ListFileReader {
 public:
  // The longest line that can be read, in bytes: a longer one is no list
  // line, and holding it would take memory without bound.
  static constexpr std::size_t kLongestLine = 16 * 1024 * 1024;

  // Opens path for reading. Throws std::system_error when it cannot.
  explicit ListFileReader(const std::string& path);

  // The next line without its ending, or nothing at the end of the file. The
  // view stays valid until the next call. Throws std::system_error when the
  // file cannot be read or the line is longer than kLongestLine.
  std::optional<std::string_view> nextLine();

  FileIdentity identity() const { return file_.identity(); }

 private:
  // Reads more of the file behind the unread bytes; false at the end of the
  // file.
  bool readMore();

  InputFile file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread bytes of the buffer are [begin_, end_)
  std::size_t end_ = 0;
  // The last line ended in CR: an LF that follows belongs to that ending.
  bool lfMayFollow_ = false;
};

}  // namespace ui
