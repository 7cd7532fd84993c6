#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "ui/list_file/code_page.h"

namespace ui {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// Code set names besides "CP" and a code page number.
constexpr struct {
  std::string_view name;
  UINT codePage;
} kNamedCodePages[] = {
    {"GBK", 936},
    {"UTF-8", CP_UTF8},
};

// The code page that name means, in any letter case; 0 for none.
UINT codePageNamed(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  for (const auto& named : kNamedCodePages) {
    if (name == named.name) return named.codePage;
  }
  if (!name.starts_with("CP")) return 0;
  const char* const first = name.data() + 2;
  const char* const last = name.data() + name.size();
  UINT number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  return error == std::errc() && end == last ? number : 0;
}

// Whether the code page decodes every ASCII byte to itself, as decode takes
// for granted of plain ASCII lines (EBCDIC and UTF-7 do not).
bool keepsAscii(UINT codePage) {
  std::array<char, 127> ascii;
  std::array<wchar_t, 127> wide;
  for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i + 1);
  const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, ascii.data(),
                                        static_cast<int>(ascii.size()), wide.data(),
                                        static_cast<int>(wide.size()));
  return units == static_cast<int>(wide.size()) &&
         std::equal(ascii.begin(), ascii.end(), wide.begin(),
                    [](char byte, wchar_t unit) { return static_cast<wchar_t>(byte) == unit; });
}

// The bytes of a UTF-8 sequence that byte leads, or 1 when it leads none.
std::uint8_t utf8Length(unsigned byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 2;
  if (byte >= 0xE0 && byte <= 0xEF) return 3;
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  return 1;
}

bool isAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

}  // namespace

struct CodePage::Converter {
  UINT codePage;
  // The bytes of the character that each byte would begin: 2 for the lead
  // bytes of a double-byte code page, 2 to 4 for UTF-8's, otherwise 1.
  std::array<std::uint8_t, 256> length;

  // Writes character, the bytes of one character, in UTF-8 to out, which has
  // room bytes; returns the bytes written, 0 when the bytes are no character.
  std::size_t toUtf8(std::string_view character, char* out, std::size_t room) const {
    wchar_t wide[2];  // a character beyond the BMP takes two UTF-16 units
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, character.data(),
                                          static_cast<int>(character.size()), wide, 2);
    if (units == 0) return 0;
    return static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, units, out,
                                                        static_cast<int>(room), nullptr, nullptr));
  }
};

// Single-byte code pages, the double-byte ones (936 and the other East Asian
// ANSI code pages) and UTF-8: every ANSI code page Windows has.
CodePage::CodePage(const std::string& name) {
  const UINT codePage = codePageNamed(name);
  CPINFO info{};
  if (codePage == 0 || !IsValidCodePage(codePage) || !GetCPInfo(codePage, &info) ||
      (info.MaxCharSize > 2 && codePage != CP_UTF8) || !keepsAscii(codePage)) {
    throw std::system_error(EINVAL, std::generic_category(), "code page " + name);
  }
  converter_.reset(new Converter{codePage, {}});
  for (unsigned byte = 0; byte < 256; ++byte) {
    converter_->length[byte] = codePage == CP_UTF8 ? utf8Length(byte)
                               : IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) ? 2
                                                                                     : 1;
  }
}

CodePage::~CodePage() = default;
CodePage::CodePage(CodePage&&) noexcept = default;
CodePage& CodePage::operator=(CodePage&&) noexcept = default;

CodePage CodePage::system() {
  return CodePage("CP" + std::to_string(GetACP()));
}

DecodedLine CodePage::decode(std::string_view bytes) {
  // Most lines of a list file are plain numbers.
  if (isAscii(bytes)) return {bytes, bytes.size()};

  // No byte becomes more than three bytes of UTF-8, and the buffer is kept
  // from line to line.
  if (buffer_.size() < bytes.size() * 3) buffer_.resize(bytes.size() * 3);
  std::size_t used = 0;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < bytes.size(); ++characters) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      buffer_[used++] = bytes[at++];
      continue;
    }
    const std::size_t length = converter_->length[byte];
    const std::size_t written =
        at + length <= bytes.size()
            ? converter_->toUtf8(bytes.substr(at, length), buffer_.data() + used,
                                 buffer_.size() - used)
            : 0;
    if (written > 0) {
      used += written;
      at += length;
    } else {
      // An invalid or cut-off character: give up on its first byte only and
      // go on with the next one.
      std::copy(kReplacementCharacter.begin(), kReplacementCharacter.end(), buffer_.data() + used);
      used += kReplacementCharacter.size();
      ++at;
    }
  }
  return {std::string_view(buffer_.data(), used), characters};
}

}  // namespace ui
