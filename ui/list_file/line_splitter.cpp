#include "ui/list_file/line_splitter.h"

#include <algorithm>
#include <cstring>

namespace ui {

std::span<char> LineSplitter::room(std::size_t least) {
  // Move the bytes not yet split to the front, and grow the buffer only when
  // they leave too little room: a line longer than the room asked for. The
  // bytes not yet split never exceed the longest line, or splitting stopped.
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < least) {
    buffer_.resize(std::max(end_ + least, std::min(buffer_.size() * 2, kLongestLine + least)));
  }
  return {buffer_.data() + end_, buffer_.size() - end_};
}

std::optional<std::string_view> LineSplitter::nextLine() {
  if (tooLong_) return std::nullopt;
  if (lfMayFollow_ && begin_ < end_) {
    lfMayFollow_ = false;
    if (buffer_[begin_] == '\n') ++begin_;
  }
  const char* const first = buffer_.data() + begin_;
  const char* const last = buffer_.data() + end_;
  const char* const ending =
      std::find_if(first + searched_, last, [](char c) { return c == '\r' || c == '\n'; });
  const auto length = static_cast<std::size_t>(ending - first);
  if (length > kLongestLine) {
    tooLong_ = true;
    return std::nullopt;
  }
  if (ending != last) {
    searched_ = 0;
    lfMayFollow_ = *ending == '\r';
    begin_ += length + 1;
    return std::string_view(first, length);
  }
  searched_ = length;
  // The last line ends with the file.
  if (!finished_ || length == 0) return std::nullopt;
  searched_ = 0;
  begin_ = end_;
  return std::string_view(first, length);
}

}  // namespace ui
