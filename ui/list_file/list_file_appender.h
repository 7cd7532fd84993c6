// Appends records to an output list file: opened once, at the first record,
// and kept open while the run lasts. Records wait in memory and reach the
// file together, in one write, whenever flush is called.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/list_file/system_file.h"

namespace ui {

class ListFileAppender {
 public:
  // Opens nothing yet. input is the list file being read: the output is never
  // allowed to be that file, which would feed the run its own output.
  ListFileAppender(std::string path, FileIdentity input);

  // Adds line and CR LF as one record. Opens the file at the first record,
  // creating it when missing. Throws std::system_error when it cannot be
  // opened, is the input list file, or a flush that a long wait needs fails.
  void add(std::string_view line);

  // Hands every waiting record to the system in one write. The path is looked
  // up first: when it no longer names the open file (moved, deleted or
  // replaced meanwhile), that file is synced and closed, the path is opened
  // again, and again it must not be the input. When the write fails or is
  // short, the file is cut back to the end of the last whole record that
  // reached it, the others are dropped, and std::system_error is thrown: no
  // part of a record is ever left behind.
  void flush();

  // The records that are whole in the file.
  std::int64_t written() const { return written_; }

  // Puts the records in the open file on its device, so that a power cut
  // keeps them; records still waiting are not flushed first. Not done at
  // every flush, for its cost. Throws std::system_error.
  void sync();

  // Flushes, syncs and closes the file. Throws std::system_error.
  void close();

 private:
  void open();
  // Appends parts, which hold records whole, and counts them.
  void write(std::initializer_list<std::string_view> parts, std::int64_t records);

  std::string path_;
  FileIdentity input_;
  std::optional<OutputFile> file_;
  std::string waiting_;
  std::int64_t waitingRecords_ = 0;
  std::int64_t written_ = 0;
};

}  // namespace ui
