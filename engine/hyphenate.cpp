#include <string>
#include <string_view>

#include "engine/isbn.h"
#include "engine/registrant_ranges.h"
#include "engine/utf8.h"

namespace engine {

namespace {

using detail::Mid;

// Splits ten characters into group, registrant, publication and check character.
// A value cut short by its end yields only the characters that exist; the
// hyphens go in all the same.
std::string Split(std::string_view value, std::string_view group, std::size_t registrantLength) {
  const std::size_t registrantStart = group.size() + 1;
  const std::size_t publicationStart = registrantStart + registrantLength;
  std::string result(group);
  result += '-';
  result += Mid(value, registrantStart, registrantLength);
  result += '-';
  result += Mid(value, publicationStart, 10 - publicationStart);
  result += '-';
  result += detail::Right(value, 1);
  return result;
}

// The value hyphenated by the first rule of its group that holds, or unchanged.
std::string Hyphenate(std::string_view value) {
  for (const detail::GroupRules& group : detail::kGroups) {
    if (Mid(value, 1, group.group.size()) != group.group) continue;
    for (const detail::RangeRule& rule : group.rules) {
      const std::string_view slice = Mid(value, group.group.size() + 1, rule.low.size());
      if (slice >= rule.low && slice <= rule.high) {
        return Split(value, group.group, static_cast<std::size_t>(rule.registrantLength));
      }
    }
    break;  // group prefixes exclude one another
  }
  return std::string(value);
}

}  // namespace

std::string MadeH(std::string_view isbn, std::int32_t Lens) {
  if (Lens == 10) return Hyphenate(ISBN13to10(isbn));
  // The ISBN-13 style always reads "978-" and keeps isbn's own check digit.
  const std::string_view lastTen = detail::Right(isbn, 10);
  if (lastTen.empty()) return {};
  return "978-" + Hyphenate(lastTen);
}

std::string Convert(std::string_view raw, std::int32_t Lens) {
  // ConVertIsbnNo gives 13 characters or none, so all of it goes to MadeH.
  return MadeH(ConVertIsbnNo(raw), Lens);
}

}  // namespace engine
