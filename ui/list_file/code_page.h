// The code page that list files are written in.
//
// List files hold the bytes of the system's code page (GBK on a Simplified
// Chinese system). The engine takes UTF-8 and counts characters, so every line
// read is decoded here first; the line's bytes themselves are never changed.
// posix_code_page.cpp decodes with iconv, win32_code_page.cpp with
// MultiByteToWideChar.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ui {

// A line decoded to UTF-8, and how many characters it holds. The text is a
// view of the line itself when the line is plain ASCII, otherwise of the code
// page's own buffer: it stays valid until the next decode.
struct DecodedLine {
  std::string_view text;
  std::size_t characters = 0;
};

class CodePage {
 public:
  // name is a code set name such as "GBK" or "UTF-8" (on POSIX any name that
  // iconv knows; on Windows "GBK", "CP936", "UTF-8" or "CP" and a code page
  // number). Throws std::system_error when the name is not known.
  explicit CodePage(const std::string& name);
  ~CodePage();
  CodePage(CodePage&&) noexcept;
  CodePage& operator=(CodePage&&) noexcept;

  // The system's code page for list files: the locale's code set on POSIX
  // (the program must have called setlocale(LC_ALL, "") before; QApplication
  // does), the ANSI code page on Windows.
  static CodePage system();

  // Decodes one line. A byte that does not decode counts as one character and
  // becomes U+FFFD, which the engine sees as a non-digit.
  DecodedLine decode(std::string_view bytes);

 private:
  struct Converter;
  std::unique_ptr<Converter> converter_;
  std::string buffer_;
};

}  // namespace ui
