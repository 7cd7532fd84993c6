// Splits the bytes of a list file into lines, whatever pieces they come in:
// the desktop reader feeds it from the file, the browser page from the chunks
// of a file it reads.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ui {

// CR LF, a lone CR and a lone LF each end a line; the last line needs no
// ending. A byte-order mark is not recognised: it stays part of the first
// line. A line is held once, in the buffer, which grows only as far as the
// longest line needs.
class LineSplitter {
 public:
  // The longest line that can be read, in bytes: a longer one is no list
  // line, and holding it would take memory without bound.
  static constexpr std::size_t kLongestLine = 16 * 1024 * 1024;

  // Room for at least `least` more bytes behind those not yet split. The
  // lines handed out before are no longer valid.
  std::span<char> room(std::size_t least);
  // count bytes were put at the start of room().
  void added(std::size_t count) { end_ += count; }
  // No bytes follow: what is left is the last line.
  void finish() { finished_ = true; }

  // The next whole line without its ending, or nothing when more bytes are
  // needed, when, once finished, none are left, or when the line is longer
  // than kLongestLine: then tooLong() tells, and no line follows. The view
  // stays valid until the next call of room().
  std::optional<std::string_view> nextLine();

  // Whether every line has been handed out.
  bool done() const { return finished_ && begin_ == end_; }
  // Whether a line longer than kLongestLine stopped the splitting.
  bool tooLong() const { return tooLong_; }

 private:
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the bytes not yet split are [begin_, end_)
  std::size_t end_ = 0;
  std::size_t searched_ = 0;  // the bytes from begin_ known to hold no line ending
  // The last line ended in CR: an LF that follows belongs to that ending.
  bool lfMayFollow_ = false;
  bool finished_ = false;
  bool tooLong_ = false;
};

}  // namespace ui
