#include "ui/list_file/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <system_error>
#include <utility>

namespace ui {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

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

void CodePage::IconvCloser::operator()(void* converter) const {
  iconv_close(static_cast<iconv_t>(converter));
}

CodePage::CodePage(const std::string& name) {
  iconv_t converter = iconv_open("UTF-8", name.c_str());
  if (converter == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
    throw std::system_error(errno, std::generic_category(), "code page " + name);
  }
  converter_.reset(converter);
}

CodePage CodePage::fromLocale() {
  return CodePage(nl_langinfo(CODESET));
}

DecodedLine CodePage::decode(std::string_view bytes) const {
  // Every code page a locale can have keeps ASCII as it is, and most lines of
  // a list file are plain numbers.
  if (isAscii(bytes)) return {std::string(bytes), bytes.size()};

  const auto converter = static_cast<iconv_t>(converter_.get());
  iconv(converter, nullptr, nullptr, nullptr, nullptr);

  std::string text(bytes.size() * 3 + kReplacementCharacter.size(), '\0');
  std::size_t used = 0;
  char* in = const_cast<char*>(bytes.data());  // iconv does not write through it
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* out = text.data() + used;
    std::size_t outLeft = text.size() - used;
    const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    used = static_cast<std::size_t>(out - text.data());
    if (converted != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG || outLeft < kReplacementCharacter.size()) {
      text.resize(text.size() * 2);
      continue;
    }
    // An invalid or cut-off sequence: give up on its first byte only and go on
    // with the next one.
    text.replace(used, kReplacementCharacter.size(), kReplacementCharacter);
    used += kReplacementCharacter.size();
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  text.resize(used);
  const std::size_t characters = countUtf8Characters(text);
  return {std::move(text), characters};
}

}  // namespace ui
