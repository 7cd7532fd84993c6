// A list run fed its input in pieces, for a caller that reads the list file
// itself and writes out what comes back: the browser page. Each piece's whole
// lines are converted at once, by the rules of ListRecords, and their output
// records wait here until taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/list_file/line_splitter.h"
#include "ui/list_records.h"

namespace ui {

class ListConversion {
 public:
  explicit ListConversion(ListRecords records);

  // Room for at least `least` more bytes of the list.
  std::span<char> room(std::size_t least) { return lines_.room(least); }
  // count bytes of the list were put at the start of room(): converts every
  // line they complete, in the style lens. False once a line is longer than
  // LineSplitter::kLongestLine, which ends the conversion; the records
  // before it stay in output().
  bool added(std::size_t count, std::int32_t lens);
  // The list has ended: converts its last line, if it has no ending. False
  // as added.
  bool finish(std::int32_t lens);

  // The output records converted and not yet taken, each ending in CR LF,
  // and how many they are.
  std::string_view output() const { return output_; }
  std::int64_t outputRecords() const { return outputRecords_; }
  // Forgets the output records, once they are written out.
  void taken();

 private:
  bool convertLines(std::int32_t lens);

  LineSplitter lines_;
  ListRecords records_;
  std::string output_;
  std::int64_t outputRecords_ = 0;
};

}  // namespace ui
