// The cost of converting a realistic list through the whole chain, in both
// styles, beside a floor that does the least a conversion must: compute an
// EAN-13 check digit and put a 17-character hyphenated number into a
// std::string. Each benchmark runs over a whole list; per_number is the time
// per line, and Convert's over the floor's is the ratio that matters.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/isbn.h"

namespace {

constexpr std::size_t kListLines = 4096;

// Nine body digits: mostly mainland China, then Taiwan and Hong Kong, and a
// few groups that hyphenation does not know.
std::string RandomBody(std::mt19937& random) {
  static constexpr std::string_view kGroups[] = {"7",   "7",   "7",   "7",   "7", "957",
                                                 "986", "962", "988", "957", "0", "89"};
  std::string body(kGroups[random() % std::size(kGroups)]);
  while (body.size() < 9) body += static_cast<char>('0' + random() % 10);
  return body;
}

// A check character that is right half the time: it is never trusted.
char CheckCharacter(std::mt19937& random, char right, std::string_view others) {
  return random() % 2 == 0 ? right : others[random() % others.size()];
}

// Ten characters with hyphens after the group, after a registrant element of
// two to five digits, and before the check character.
std::string Hyphenated(std::string_view ten, std::size_t groupLength, std::mt19937& random) {
  const std::size_t registrantLength = 2 + random() % 4;
  std::string result(ten.substr(0, groupLength));
  result += '-';
  result += ten.substr(groupLength, registrantLength);
  result += '-';
  result += ten.substr(groupLength + registrantLength, 9 - groupLength - registrantLength);
  result += '-';
  result += ten.back();
  return result;
}

// Lines that hold no convertible number.
constexpr std::array<std::string_view, 8> kJunk = {
    "ISBN 978-7-111",
    "",
    "12345",
    "\xCF\xD6\xB4\xFA\xBA\xBA\xD3\xEF\xB4\xCA\xB5\xE4",  // a title in GBK
    "现代汉语词典",
    "9797111123457",
    "97871111234570",
    "Price: 25.00",
};

enum class Kind { kBarcode, kHyphenated10, kSpaced13, kBare10, kJunk };

// In every ten lines: four bare 978 barcodes, two hyphenated ISBN-10, two
// hyphenated ISBN-13 with spaces around, one bare ISBN-10 and one junk line.
constexpr std::array<Kind, 10> kShares = {
    Kind::kBarcode,  Kind::kBarcode,      Kind::kBarcode,      Kind::kBarcode, Kind::kSpaced13,
    Kind::kSpaced13, Kind::kHyphenated10, Kind::kHyphenated10, Kind::kBare10,  Kind::kJunk,
};

std::string Line(Kind kind, std::mt19937& random) {
  const std::string body = RandomBody(random);
  if (kind == Kind::kJunk) return std::string(kJunk[random() % kJunk.size()]);
  std::string isbn13 = engine::ConVertIsbnNo(body);
  std::string isbn10 = engine::ISBN13to10(isbn13);
  isbn13.back() = CheckCharacter(random, isbn13.back(), "0123456789");
  isbn10.back() = CheckCharacter(random, isbn10.back(), "0123456789X");
  const std::size_t groupLength = body.front() == '9' ? 3 : body.front() == '8' ? 2 : 1;
  const std::string spaces(1 + random() % 2, ' ');
  switch (kind) {
    case Kind::kBarcode:
      return isbn13;
    case Kind::kHyphenated10:
      return Hyphenated(isbn10, groupLength, random);
    case Kind::kSpaced13:
      return spaces + "978-" + Hyphenated(isbn13.substr(3), groupLength, random) + spaces;
    default:
      return isbn10;
  }
}

// The list, the same in every run, its kinds in shuffled order so that no
// branch can learn them.
const std::vector<std::string>& List() {
  static const std::vector<std::string> list = [] {
    std::mt19937 random(20240611);
    std::vector<Kind> kinds;
    for (std::size_t i = 0; i < kListLines; ++i) kinds.push_back(kShares[i % kShares.size()]);
    for (std::size_t i = kinds.size() - 1; i > 0; --i)
      std::swap(kinds[i], kinds[random() % (i + 1)]);
    std::vector<std::string> lines;
    for (const Kind kind : kinds) lines.push_back(Line(kind, random));
    return lines;
  }();
  return list;
}

void SetPerNumber(benchmark::State& state, std::size_t numbers) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * numbers));
  state.counters["per_number"] = benchmark::Counter(
      static_cast<double>(numbers),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void ConvertList(benchmark::State& state) {
  const auto lens = static_cast<std::int32_t>(state.range(0));
  const std::vector<std::string>& list = List();
  for (auto _ : state) {
    for (const std::string& line : list) benchmark::DoNotOptimize(engine::Convert(line, lens));
  }
  SetPerNumber(state, list.size());
}
BENCHMARK(ConvertList)->Arg(13)->Arg(10);

// "978-7-111-12345-3" from the twelve digits "978711112345": the check digit,
// and hyphens at fixed places.
std::string FloorNumber(std::string_view twelve) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 12; ++i) sum += (twelve[i] - '0') * (i % 2 == 0 ? 1U : 3U);
  std::string result(17, '-');
  twelve.substr(0, 3).copy(&result[0], 3);
  twelve.substr(3, 1).copy(&result[4], 1);
  twelve.substr(4, 3).copy(&result[6], 3);
  twelve.substr(7, 5).copy(&result[10], 5);
  result[16] = static_cast<char>('0' + (10 - sum % 10) % 10);
  return result;
}

// The twelve digits of as many numbers as the list has lines.
const std::vector<std::string>& Twelves() {
  static const std::vector<std::string> twelves = [] {
    std::mt19937 random(20240611);
    std::vector<std::string> numbers;
    for (std::size_t i = 0; i < kListLines; ++i) numbers.push_back("978" + RandomBody(random));
    return numbers;
  }();
  return twelves;
}

void Floor(benchmark::State& state) {
  const std::vector<std::string>& twelves = Twelves();
  for (auto _ : state) {
    for (const std::string& twelve : twelves) benchmark::DoNotOptimize(FloorNumber(twelve));
  }
  SetPerNumber(state, twelves.size());
}
BENCHMARK(Floor);

}  // namespace

BENCHMARK_MAIN();
