#include "ui/list_file/list_file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace ui {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

ListFileReader::ListFileReader(const std::string& path) : file_(path), buffer_(kBlockSize) {}

std::optional<std::string_view> ListFileReader::nextLine() {
  std::size_t searched = 0;  // the bytes from begin_ known to hold no line ending
  for (;;) {
    if (lfMayFollow_ && begin_ < end_) {
      lfMayFollow_ = false;
      if (buffer_[begin_] == '\n') ++begin_;
    }
    const char* const first = buffer_.data() + begin_;
    const char* const last = buffer_.data() + end_;
    const char* const ending =
        std::find_if(first + searched, last, [](char c) { return c == '\r' || c == '\n'; });
    searched = static_cast<std::size_t>(ending - first);
    if (searched > kLongestLine) {
      throw std::system_error(EFBIG, std::generic_category(), "list line too long");
    }
    if (ending != last) {
      lfMayFollow_ = *ending == '\r';
      begin_ = static_cast<std::size_t>(ending + 1 - buffer_.data());
      return std::string_view(first, searched);
    }
    if (!readMore()) {
      // The last line ends with the file.
      if (begin_ == end_) return std::nullopt;
      const std::string_view line(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return line;
    }
  }
}

bool ListFileReader::readMore() {
  // Move the unread bytes to the front, and grow the buffer only when they
  // fill it: a line longer than a block.
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  if (buffer_.size() - end_ < kBlockSize / 2) {
    buffer_.resize(std::min(buffer_.size() * 2, kLongestLine + kBlockSize));
  }
  const std::size_t count = file_.read(buffer_.data() + end_, buffer_.size() - end_);
  end_ += count;
  return count > 0;
}

}  // namespace ui
