#include <algorithm>
#include <array>
#include <cstdint>
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
  for (const std::string_view part : parts) out = std::copy(part.begin(), part.end(), out);
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

// The place in kGroups of the group the value begins with, or kGroups.size()
// for none; group prefixes exclude one another. Value is TenChars or TenAscii.
template <typename Value>
std::size_t FindGroup(const Value& value) {
  std::size_t row = 0;
  while (row < detail::kGroups.size() &&
         !Same(value.Mid(1, detail::kGroups[row].group.size()), detail::kGroups[row].group)) {
    ++row;
  }
  return row;
}

// The registrant length the first rule of the group that holds for the value
// gives, or 0 when none holds.
template <typename Value>
std::size_t RegistrantLength(const detail::GroupRules& group, const Value& value) {
  for (const detail::RangeRule& rule : group.rules) {
    if (Holds(rule, value.Mid(group.group.size() + 1, rule.low.size()))) {
      return static_cast<std::size_t>(rule.registrantLength);
    }
  }
  return 0;
}

// The split by the first rule of the value's group that holds.
template <typename Value>
Split FindSplit(const Value& value) {
  const std::size_t row = FindGroup(value);
  if (row == detail::kGroups.size()) return {};
  const detail::GroupRules& group = detail::kGroups[row];
  const std::size_t registrant = RegistrantLength(group, value);
  if (registrant == 0) return {};
  return {group.group.size(), registrant};
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

// Ten ASCII digits need not walk the rules one by one: a group has at most
// three digits and a rule compares at most the three that follow them, so the
// split of ten digits is known from two lookups, one by the first three digits
// and one by the three after the group. Every element of a split is at least
// one digit long, which lets a registrant length of 0 stand for "no rule holds".
constexpr std::size_t kSliceDigits = 3;
static_assert(std::all_of(detail::kGroups.begin(), detail::kGroups.end(),
                          [](const detail::GroupRules& group) {
                            return group.group.size() <= kSliceDigits &&
                                   std::all_of(group.rules.begin(), group.rules.end(),
                                               [&](const detail::RangeRule& rule) {
                                                 return rule.low.size() <= kSliceDigits &&
                                                        rule.registrantLength > 0 &&
                                                        group.group.size() + rule.registrantLength <
                                                            9;
                                               });
                          }));

// Per first three digits: the group's place in kGroups (kGroups.size() for
// none) and the length of its digits.
struct GroupAt {
  std::uint8_t row;
  std::uint8_t length;
};

struct SplitTables {
  std::array<GroupAt, 1000> groupAt;
  // Per group and the three digits after it: the registrant length, 0 where
  // no rule holds. The last row, for no group, holds only zeros.
  std::array<std::array<std::uint8_t, 1000>, detail::kGroups.size() + 1> registrantLength;
};

// Ten digits: head, then the three digits of a number below 1000, then zeros.
std::array<char, 10> Padded(std::string_view head, std::size_t number) {
  std::array<char, 10> digits;
  digits.fill('0');
  char* at = std::copy(head.begin(), head.end(), digits.begin());
  at[0] = static_cast<char>('0' + number / 100);
  at[1] = static_cast<char>('0' + number / 10 % 10);
  at[2] = static_cast<char>('0' + number % 10);
  return digits;
}

// The tables, filled by the same walk over the rules that MadeH does, so a
// change of rules is still a change of rows. Hyphenate fills them on first use.
SplitTables FillTables() {
  SplitTables tables{};
  for (std::size_t first = 0; first < 1000; ++first) {
    const std::size_t row = FindGroup(TenAscii(Padded("", first)));
    const std::size_t length = row < detail::kGroups.size() ? detail::kGroups[row].group.size() : 0;
    tables.groupAt[first] = {static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(length)};
  }
  for (std::size_t row = 0; row < detail::kGroups.size(); ++row) {
    const detail::GroupRules& group = detail::kGroups[row];
    for (std::size_t slice = 0; slice < 1000; ++slice) {
      tables.registrantLength[row][slice] =
          static_cast<std::uint8_t>(RegistrantLength(group, TenAscii(Padded(group.group, slice))));
    }
  }
  return tables;
}

// The number that three ASCII digits spell.
std::size_t ThreeDigits(const char* digits) {
  const auto digit = [&](std::size_t i) { return static_cast<unsigned char>(digits[i] - '0'); };
  return digit(0) * 100U + digit(1) * 10U + digit(2);
}

// Where each of the nine body digits goes, by where the group element and
// the registrant element end: right of its own place by the hyphens before
// it, which remain in the gaps.
constexpr auto kPlaces = [] {
  std::array<std::array<std::array<std::uint8_t, 9>, 10>, 10> places{};
  for (std::size_t groupEnd = 0; groupEnd < 10; ++groupEnd) {
    for (std::size_t registrantEnd = groupEnd; registrantEnd < 10; ++registrantEnd) {
      for (std::size_t i = 0; i < 9; ++i) {
        places[groupEnd][registrantEnd][i] =
            static_cast<std::uint8_t>(i + (i >= groupEnd) + (i >= registrantEnd));
      }
    }
  }
  return places;
}();

// The prefix, the nine body digits of isbn and the check character,
// hyphenated as FindSplit would. The string starts as hyphens and each digit
// is written once, straight to its place: reading back a buffer just written
// in pieces of other sizes would stall the processor until the writes land.
std::string Hyphenate(std::string_view prefix, const detail::Isbn13Digits& isbn, char check) {
  static const SplitTables tables = FillTables();
  const char* body = &isbn[3];
  // The three digits after a group of each length, worked out while the group
  // is being looked up rather than after.
  const std::array<std::size_t, kSliceDigits + 1> slices = {
      ThreeDigits(body), ThreeDigits(body + 1), ThreeDigits(body + 2), ThreeDigits(body + 3)};
  const GroupAt group = tables.groupAt[slices[0]];
  const std::size_t registrant = tables.registrantLength[group.row][slices[group.length]];
  // Without a rule there are no hyphens: both elements end after the body.
  const bool hyphenated = registrant != 0;
  const std::size_t groupEnd = hyphenated ? group.length : 9;
  const std::array<std::uint8_t, 9>& places = kPlaces[groupEnd][groupEnd + registrant];
  std::string result(prefix.size() + (hyphenated ? 13 : 10), '-');
  char* out = std::copy(prefix.begin(), prefix.end(), result.data());
  for (std::size_t i = 0; i < 9; ++i) out[places[i]] = body[i];
  result.back() = check;
  return result;
}

}  // namespace

namespace detail {

std::string HyphenateDigits(const Isbn13Digits& isbn, std::int32_t Lens) {
  if (Lens != 10) return Hyphenate("978-", isbn, isbn[12]);
  return Hyphenate("", isbn, Isbn10CheckCharacter(std::span(isbn).subspan<3, 9>()));
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
