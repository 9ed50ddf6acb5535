#ifndef BRAMBLE_LAB_MATCH_UP_H_
#define BRAMBLE_LAB_MATCH_UP_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "battle/fighter.h"

namespace bramble::lab {

/// A fighter's six attributes, named once: each one's slot in the rules'
/// Fighter, whether the game hides it, and its label in each format (the
/// JSON key, the CSV column, the text report's column). Every writer loops
/// over this table, and the lane engine takes its attributes in its order.
struct Attribute {
  int32_t Fighter::*slot;
  const char* key;   // JSON, and the page's table
  const char* csv;   // a CSV column
  const char* text;  // the text report's column
  bool hidden;
};

inline constexpr int kAttributeCount = 6;
inline constexpr Attribute kAttributes[kAttributeCount] = {
    {&Fighter::hp, "hp", "hp", "HP", false},
    {&Fighter::mp, "mp", "mp", "MP", false},
    {&Fighter::atk, "atk", "atk", "ATK", false},
    {&Fighter::def, "def", "def", "DEF", false},
    {&Fighter::agility, "agility", "agility_hidden", "agility*", true},
    {&Fighter::cunning, "cunning", "cunning_hidden", "cunning*", true},
};

/// Where the lane engine finds hp and mp (kept by role) and the four it
/// keeps by fighter, which follow them.
inline constexpr int kHpAt = 0, kMpAt = 1, kFixedFrom = 2;
static_assert(kAttributes[kHpAt].slot == &Fighter::hp && kAttributes[kMpAt].slot == &Fighter::mp);

/// Two fighters about to meet: what a front end makes of the two names
/// typed (decoded to the game's bytes, checked), with both fighters built
/// once. Every run, report, writer and picture of a pair takes this value.
struct MatchUp {
  Fighter one;
  Fighter two;

  /// Both fighters built from their names' bytes (GBK), as the game builds
  /// them; the names are not checked (see Meet in request.h).
  static MatchUp Of(std::string_view name1, std::string_view name2);
};

/// The fighters of a list of names (GBK), each built once: a ranking's
/// field.
std::vector<Fighter> FieldOf(const std::vector<std::string>& names);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_MATCH_UP_H_
