#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "engine/digits.h"
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
  std::string_view All() const { return value_; }

 private:
  std::string_view value_;
  std::array<std::size_t, 11> offsets_{};
  std::size_t count_ = 0;
};

// Ten ASCII characters, where character positions are byte offsets.
class TenAscii {
 public:
  explicit TenAscii(std::span<const char, 10> value) : value_(value.data(), value.size()) {}
  std::string_view Mid(std::size_t start, std::size_t length) const {
    return value_.substr(start - 1, length);
  }
  std::string_view Last() const { return value_.substr(9); }
  std::string_view All() const { return value_; }

 private:
  std::string_view value_;
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

// Where a value's hyphens go: after its group element of group characters,
// then after its registrant element of registrant characters, then before its
// check character. A group of 0 means that no rule covers the value.
struct Split {
  std::size_t group = 0;
  std::size_t registrant = 0;
};

// Equality of two short texts, byte by byte; cheaper than a call to memcmp.
bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The split by the first rule of the value's group that holds; group prefixes
// exclude one another. Value is TenChars or TenAscii.
template <typename Value>
Split FindSplit(const Value& value) {
  for (const detail::GroupRules& group : detail::kGroups) {
    const std::size_t groupLength = group.group.size();
    if (!Same(value.Mid(1, groupLength), group.group)) continue;
    for (const detail::RangeRule& rule : group.rules) {
      if (Holds(rule, value.Mid(groupLength + 1, rule.low.size()))) {
        return {groupLength, static_cast<std::size_t>(rule.registrantLength)};
      }
    }
    break;
  }
  return {};
}

// The prefix and the value, hyphenated: group, registrant, publication and
// check character. The hyphens go in even where a short value leaves an
// element empty. A value that no rule covers comes out unchanged.
std::string Hyphenate(std::string_view prefix, const TenChars& value) {
  const Split split = FindSplit(value);
  if (split.group == 0) return Concat({prefix, value.All()});
  const std::size_t publicationStart = split.group + 1 + split.registrant;
  return Concat({prefix, value.Mid(1, split.group), "-",
                 value.Mid(split.group + 1, split.registrant), "-",
                 value.Mid(publicationStart, 10 - publicationStart), "-", value.Last()});
}

// The same for ten ASCII characters, assembled in a fixed buffer.
std::string Hyphenate(std::string_view prefix, std::span<const char, 10> ten) {
  const Split split = FindSplit(TenAscii(ten));
  std::array<char, 17> hyphenated;
  char* end = std::ranges::copy(prefix, hyphenated.begin()).out;
  for (std::size_t i = 0; i < ten.size(); ++i) {
    const bool hyphen = i == split.group || i == split.group + split.registrant || i == 9;
    if (split.group != 0 && hyphen) *end++ = '-';
    *end++ = ten[i];
  }
  return std::string(hyphenated.data(), end);
}

}  // namespace

namespace detail {

std::string HyphenateDigits(const Isbn13Digits& isbn, std::int32_t Lens) {
  const std::span<const char, 13> digits(isbn);
  if (Lens != 10) return Hyphenate("978-", digits.last<10>());
  std::array<char, 10> isbn10;
  std::ranges::copy(digits.subspan<3, 9>(), isbn10.begin());
  isbn10[9] = Isbn10CheckCharacter(digits.subspan<3, 9>());
  return Hyphenate("", isbn10);
}

}  // namespace detail

std::string MadeH(std::string_view isbn, std::int32_t Lens) {
  if (Lens == 10) return Hyphenate("", TenChars(ISBN13to10(isbn)));
  // The ISBN-13 style always reads "978-" and keeps isbn's own check digit.
  const std::string_view lastTen = detail::Right(isbn, 10);
  if (lastTen.empty()) return {};
  return Hyphenate("978-", TenChars(lastTen));
}

std::string Convert(std::string_view raw, std::int32_t Lens) {
  // ConVertIsbnNo gives 13 ASCII digits or nothing, so the chain runs on a
  // fixed array from end to end.
  detail::Isbn13Digits isbn;
  return detail::Normalise(raw, isbn) ? detail::HyphenateDigits(isbn, Lens) : std::string();
}

}  // namespace engine
