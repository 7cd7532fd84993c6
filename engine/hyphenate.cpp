#include <algorithm>
#include <array>
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
// before it. Written out because these texts hold three characters at most.
bool Less(std::string_view a, std::string_view b) {
  const auto code = [](char c) { return static_cast<unsigned char>(c); };
  return std::ranges::lexicographical_compare(a, b, {}, code, code);
}

bool Holds(const detail::RangeRule& rule, std::string_view slice) {
  return !Less(slice, rule.low) && !Less(rule.high, slice);
}

// Appends the value split into group, registrant, publication and check
// character. The hyphens go in even where a short value leaves an element empty.
void AppendSplit(std::string& result, const TenChars& value, std::string_view group,
                 std::size_t registrantLength) {
  const std::size_t registrantStart = group.size() + 1;
  const std::size_t publicationStart = registrantStart + registrantLength;
  result += group;
  result += '-';
  result += value.Mid(registrantStart, registrantLength);
  result += '-';
  result += value.Mid(publicationStart, 10 - publicationStart);
  result += '-';
  result += value.Last();
}

// The prefix and the value, hyphenated by the first rule of its group that
// holds, or unchanged.
std::string Hyphenate(std::string_view prefix, std::string_view text) {
  std::string result;
  result.reserve(prefix.size() + text.size() + 3);
  result += prefix;
  const TenChars value(text);
  for (const detail::GroupRules& group : detail::kGroups) {
    if (!std::ranges::equal(value.Mid(1, group.group.size()), group.group)) continue;
    for (const detail::RangeRule& rule : group.rules) {
      const std::string_view slice = value.Mid(group.group.size() + 1, rule.low.size());
      if (Holds(rule, slice)) {
        AppendSplit(result, value, group.group, static_cast<std::size_t>(rule.registrantLength));
        return result;
      }
    }
    break;  // group prefixes exclude one another
  }
  result += text;
  return result;
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
