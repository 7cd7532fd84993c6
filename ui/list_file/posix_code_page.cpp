#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include "ui/list_file/code_page.h"

namespace ui {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// Every code set a locale can have keeps ASCII as it is, and most lines of a
// list file are plain numbers.
bool isAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

std::size_t countUtf8Characters(std::string_view text) {
  // Every character has exactly one byte that is not a continuation byte.
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

}  // namespace

struct CodePage::Converter {
  iconv_t iconv;
  ~Converter() { iconv_close(iconv); }
};

CodePage::CodePage(const std::string& name) {
  const iconv_t converter = iconv_open("UTF-8", name.c_str());
  if (converter == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
    throw std::system_error(errno, std::generic_category(), "code page " + name);
  }
  converter_.reset(new Converter{converter});
}

CodePage::~CodePage() = default;
CodePage::CodePage(CodePage&&) noexcept = default;
CodePage& CodePage::operator=(CodePage&&) noexcept = default;

CodePage CodePage::system() {
  return CodePage(nl_langinfo(CODESET));
}

DecodedLine CodePage::decode(std::string_view bytes) {
  if (isAscii(bytes)) return {bytes, bytes.size()};

  const iconv_t converter = converter_->iconv;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  // No character takes more than three UTF-8 bytes per byte of the line, and
  // the buffer is kept from line to line.
  buffer_.resize(std::max(buffer_.size(), bytes.size() * 3 + kReplacementCharacter.size()));
  std::size_t used = 0;
  char* in = const_cast<char*>(bytes.data());  // iconv does not write through it
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* out = buffer_.data() + used;
    std::size_t outLeft = buffer_.size() - used;
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    used = static_cast<std::size_t>(out - buffer_.data());
    if (converted != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG || outLeft < kReplacementCharacter.size()) {
      buffer_.resize(buffer_.size() * 2);
      continue;
    }
    // An invalid or cut-off sequence: give up on its first byte only and go on
    // with the next one.
    buffer_.replace(used, kReplacementCharacter.size(), kReplacementCharacter);
    used += kReplacementCharacter.size();
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  const std::string_view text(buffer_.data(), used);
  return {text, countUtf8Characters(text)};
}

}  // namespace ui
