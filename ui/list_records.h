// What each line of a list file becomes in the output list file: the rules
// of a list run, shared by the desktop run and the browser page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/list_file/code_page.h"

namespace ui {

// Every output record ends in CR LF.
inline constexpr std::string_view kRecordEnding = "\r\n";

class ListRecords {
 public:
  // Lines are decoded from codePage to count their characters. With
  // utf8First, a line that is valid UTF-8 is taken as UTF-8 and only the
  // others are decoded: for lists whose code page nobody can tell, as in a
  // browser, where GBK and UTF-8 lists both arrive.
  explicit ListRecords(CodePage codePage, bool utf8First = false);

  // The output line of one input line, without its ending, or nothing when
  // the line is no record: a line is a record when it holds more than spaces
  // and more than 5 characters. A record comes out as its hyphenated ISBN in
  // the style lens, or, when it cannot be converted, as its own bytes with
  // the spaces at its ends removed. The view stays valid until the next call.
  std::optional<std::string_view> recordOf(std::string_view line, std::int32_t lens);

 private:
  CodePage codePage_;
  bool utf8First_;
  std::string result_;
};

}  // namespace ui
