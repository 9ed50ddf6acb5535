#ifndef BRAMBLE_BATTLE_FIGHTER_H_
#define BRAMBLE_BATTLE_FIGHTER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace bramble {

/// One combatant, a plain value. Everything about it comes from its name:
/// the sixteen byte values of the name's digest, sorted from largest to
/// smallest, and the six largest of them as its attributes. The same name
/// always gives the same fighter.
struct Fighter {
  /// Rebuilds the fighter from `name`: every attribute is reset.
  void Build(std::string_view name);

  std::string name;
  std::string digest;  // the 32-character digest text of name
  int32_t hp = 0;
  int32_t mp = 0;
  int32_t atk = 0;
  int32_t def = 0;
  int32_t agility = 0;  // hidden
  int32_t cunning = 0;  // hidden
};

/// Value of `length` hexadecimal digits, the first the most significant; a
/// byte that is no digit counts as 0.
int32_t HexTextValue(const char* text, int length);
/// Bubble sort with early exit, descending or ascending.
void SortDescending(int32_t* values, int count, bool descending);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_FIGHTER_H_
