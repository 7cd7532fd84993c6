#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/isbn.h"
#include "engine/registrant_ranges.h"
#include "engine/utf8.h"

namespace engine {

namespace {

// A value of at most ten characters, cut by character position (1-based). A cut
// that runs past the end yields only the characters that exist, possibly none.
class TenChars {
 public:
  explicit TenChars(std::string_view value) : value_(value) {
    for (std::size_t at = 0; at < value.size() && count_ < 10;
         at += detail::CharLength(value, at)) {
      offsets_[count_++] = at;
    }
    offsets_[count_] = value.size();
  }

  std::string_view Mid(std::size_t start, std::size_t length) const {
    const std::size_t first = std::min(start - 1, count_);
    const std::size_t last = std::min(first + length, count_);
    return value_.substr(offsets_[first], offsets_[last] - offsets_[first]);
  }

  std::string_view Last() const { return count_ == 0 ? std::string_view() : Mid(count_, 1); }

 private:
  std::string_view value_;
  std::array<std::size_t, 11> offsets_{};
  std::size_t count_ = 0;
};

// Ordinal order of texts: byte by byte as unsigned values, which for UTF-8 is
// the order of the characters' code points; a text that begins another sorts
// before it.
bool Less(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
  }
  return a.size() < b.size();
}

bool Holds(const detail::RangeRule& rule, std::string_view slice) {
  return !Less(slice, rule.low) && !Less(rule.high, slice);
}

// The parts joined into one string, allocated once.
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const std::string_view part : parts) size += part.size();
  std::string result(size, '\0');
  char* out = result.data();
  for (const std::string_view part : parts) out = std::ranges::copy(part, out).out;
  return result;
}

// The prefix and the value, hyphenated by the first rule of its group that
// holds: group, registrant, publication and check character. The hyphens go in
// even where a short value leaves an element empty. A value that no rule
// covers comes out unchanged.
std::string Hyphenate(std::string_view prefix, std::string_view text) {
  const TenChars value(text);
  for (const detail::GroupRules& group : detail::kGroups) {
    const std::size_t groupLength = group.group.size();
    if (!std::ranges::equal(value.Mid(1, groupLength), group.group)) continue;
    for (const detail::RangeRule& rule : group.rules) {
      if (!Holds(rule, value.Mid(groupLength + 1, rule.low.size()))) continue;
      const auto registrantLength = static_cast<std::size_t>(rule.registrantLength);
      const std::size_t publicationStart = groupLength + 1 + registrantLength;
      return Concat({prefix, group.group, "-", value.Mid(groupLength + 1, registrantLength), "-",
                     value.Mid(publicationStart, 10 - publicationStart), "-", value.Last()});
    }
    break;  // group prefixes exclude one another
  }
  return Concat({prefix, text});
}

}  // namespace

std::string MadeH(std::string_view isbn, std::int32_t Lens) {
  if (Lens == 10) return Hyphenate("", ISBN13to10(isbn));
  // The ISBN-13 style always reads "978-" and keeps isbn's own check digit.
  const std::string_view lastTen = detail::Right(isbn, 10);
  if (lastTen.empty()) return {};
  return Hyphenate("978-", lastTen);
}

std::string Convert(std::string_view raw, std::int32_t Lens) {
  // ConVertIsbnNo gives 13 characters or none, so all of it goes to MadeH.
  return MadeH(ConVertIsbnNo(raw), Lens);
}

}  // namespace engine
