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
// line. Only one block of the file and the current line are held in memory.
class ListFileReader {
 public:
  // Opens path for reading. Throws std::system_error when it cannot.
  explicit ListFileReader(const std::string& path);
  ~ListFileReader();
  ListFileReader(const ListFileReader&) = delete;
  ListFileReader& operator=(const ListFileReader&) = delete;

  // The next line without its ending, or nothing at the end of the file. The
  // view stays valid until the next call. Throws std::system_error when the
  // file cannot be read.
  std::optional<std::string_view> nextLine();

  FileIdentity identity() const { return identity_; }

 private:
  // Reads the next block into the buffer; false at the end of the file.
  bool fillBuffer();

  int fd_;
  FileIdentity identity_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread bytes of the buffer are [begin_, end_)
  std::size_t end_ = 0;
  std::string line_;
  // The last line ended in CR: an LF that follows belongs to that ending.
  bool lfMayFollow_ = false;
};

}  // namespace ui
