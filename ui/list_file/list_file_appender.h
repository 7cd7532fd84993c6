// Appends records to an output list file, one opening per record.
#pragma once

#include <string>
#include <string_view>

#include "ui/list_file/system_file.h"

namespace ui {

class ListFileAppender {
 public:
  // Opens path for appending; creates it when missing, never truncates it.
  // Throws std::system_error when it cannot.
  explicit ListFileAppender(const std::string& path);
  ~ListFileAppender();
  ListFileAppender(const ListFileAppender&) = delete;
  ListFileAppender& operator=(const ListFileAppender&) = delete;

  // Throws std::system_error.
  FileIdentity identity() const;

  // Hands line and CR LF to the system in one write, so the record is in the
  // file even if the process ends right after. When the write fails or is
  // short, cuts the file back to its length before the call and throws
  // std::system_error: no part of a record is ever left behind.
  void appendLine(std::string_view line);

  // Closes the file. Throws std::system_error when the system reports a
  // failure.
  void close();

 private:
  int fd_;
};

}  // namespace ui
