#include "ui/list_records.h"

#include <utility>

#include "engine/isbn.h"
#include "engine/utf8.h"

namespace ui {
namespace {

// A line shorter than this many characters is never a record.
constexpr std::size_t kMinRecordCharacters = 6;

// The line without its leading and trailing spaces (0x20, which is a space in
// every code page a list file can be in); tabs and other bytes stay.
std::string_view trimSpaces(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

// The characters of text when it is valid UTF-8, else nothing.
std::optional<std::size_t> utf8Characters(std::string_view text) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++characters) {
    const std::size_t length = engine::detail::CharLength(text, at);
    if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) return std::nullopt;
    at += length;
  }
  return characters;
}

}  // namespace

ListRecords::ListRecords(CodePage codePage, bool utf8First)
    : codePage_(std::move(codePage)), utf8First_(utf8First) {}

std::optional<std::string_view> ListRecords::recordOf(std::string_view line, std::int32_t lens) {
  const std::string_view fallback = trimSpaces(line);
  if (fallback.empty()) return std::nullopt;
  const std::optional<std::size_t> utf8 = utf8First_ ? utf8Characters(line) : std::nullopt;
  const DecodedLine decoded = utf8 ? DecodedLine{line, *utf8} : codePage_.decode(line);
  if (decoded.characters < kMinRecordCharacters) return std::nullopt;

  result_ = engine::Convert(decoded.text, lens);
  return result_.empty() ? fallback : std::string_view(result_);
}

}  // namespace ui
