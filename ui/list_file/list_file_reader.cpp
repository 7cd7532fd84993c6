#include "ui/list_file/list_file_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace ui {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

ListFileReader::ListFileReader(const std::string& path)
    : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "open " + path);
  try {
    identity_ = identityOf(fd_);
  } catch (...) {
    close(fd_);
    throw;
  }
  buffer_.resize(kBlockSize);
}

ListFileReader::~ListFileReader() {
  close(fd_);
}

std::optional<std::string_view> ListFileReader::nextLine() {
  line_.clear();
  bool lineStarted = false;
  for (;;) {
    if (begin_ == end_ && !fillBuffer()) {
      if (lineStarted) return line_;
      return std::nullopt;
    }
    if (lfMayFollow_) {
      lfMayFollow_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    const auto first = buffer_.begin() + static_cast<std::ptrdiff_t>(begin_);
    const auto last = buffer_.begin() + static_cast<std::ptrdiff_t>(end_);
    const auto ending = std::find_if(first, last, [](char c) { return c == '\r' || c == '\n'; });
    line_.append(first, ending);
    if (ending == last) {
      // The line goes on in the next block, or ends with the file.
      lineStarted = true;
      begin_ = end_;
      continue;
    }
    lfMayFollow_ = *ending == '\r';
    begin_ = static_cast<std::size_t>(ending - buffer_.begin()) + 1;
    return line_;
  }
}

bool ListFileReader::fillBuffer() {
  ssize_t count;
  do {
    count = read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) throw std::system_error(errno, std::generic_category(), "read list file");
  begin_ = 0;
  end_ = static_cast<std::size_t>(count);
  return count > 0;
}

}  // namespace ui
