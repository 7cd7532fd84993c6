// The code page that list files are written in, as iconv names it.
//
// List files hold the bytes of the system's code page (GBK on a Simplified
// Chinese system). The engine takes UTF-8 and counts characters, so every line
// read is decoded here first; the line's bytes themselves are never changed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ui {

// A line decoded to UTF-8, and how many characters it holds.
struct DecodedLine {
  std::string text;
  std::size_t characters = 0;
};

class CodePage {
 public:
  // name is an iconv code set name such as "GBK" or "UTF-8". Throws
  // std::system_error when iconv does not know it.
  explicit CodePage(const std::string& name);

  // The code set of the program's locale. The program must have called
  // setlocale(LC_ALL, "") before (QApplication does); otherwise this is the C
  // locale's ASCII.
  static CodePage fromLocale();

  // Decodes one line. A byte that does not decode counts as one character and
  // becomes U+FFFD, which the engine sees as a non-digit.
  DecodedLine decode(std::string_view bytes) const;

 private:
  struct IconvCloser {
    void operator()(void* converter) const;
  };
  // Reset before every line, so decode keeps no state between calls.
  std::unique_ptr<void, IconvCloser> converter_;
};

}  // namespace ui
