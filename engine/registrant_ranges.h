// Registrant ranges of the registration groups that hyphenation knows.
//
// A rule tests the slice that follows the group digits: as many characters as
// its bounds have, compared as text, both bounds inclusive. The first rule that
// holds gives the length of the registrant element. A number of a known group
// that no rule covers keeps no hyphens. A change of ranges is a change of rows.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace engine::detail {

struct RangeRule {
  std::string_view low;
  std::string_view high;
  int registrantLength;
};

struct GroupRules {
  std::string_view group;
  std::span<const RangeRule> rules;
};

// Mainland China: 7-00 … 7-09, 7-100 … 7-399, 7-4000 … 7-7999, 7-80000 … 7-89999,
// 7-900000 … 7-999999.
inline constexpr RangeRule kGroup7[] = {
    {"0", "0", 2}, {"1", "3", 3}, {"4", "7", 4}, {"8", "8", 5}, {"9", "9", 6},
};

// Taiwan. Slices 431 to 439 lie in no range.
inline constexpr RangeRule kGroup957[] = {
    {"000", "199", 2}, {"20", "20", 4}, {"21", "27", 2}, {"28", "30", 5},
    {"310", "430", 2}, {"44", "81", 3}, {"82", "96", 4}, {"97", "99", 5},
};

// Taiwan.
inline constexpr RangeRule kGroup986[] = {
    {"000", "120", 2},
    {"121", "599", 3},
    {"600", "799", 4},
    {"800", "999", 5},
};

// Hong Kong.
inline constexpr RangeRule kGroup962[] = {
    {"000", "200", 2}, {"220", "220", 2}, {"201", "219", 3}, {"221", "699", 3},
    {"700", "849", 4}, {"850", "869", 5}, {"870", "899", 4}, {"900", "999", 3},
};

// Hong Kong.
inline constexpr RangeRule kGroup988[] = {
    {"000", "199", 5},
    {"200", "599", 3},
    {"600", "999", 5},
};

inline constexpr std::array<GroupRules, 5> kGroups = {{
    {"7", kGroup7},
    {"957", kGroup957},
    {"986", kGroup986},
    {"962", kGroup962},
    {"988", kGroup988},
}};

}  // namespace engine::detail
