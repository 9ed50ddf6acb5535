#ifndef BRAMBLE_BATTLE_FIGHTER_H_
#define BRAMBLE_BATTLE_FIGHTER_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "battle/action.h"
#include "battle/lanes.h"
#include "battle/narration.h"
#include "battle/random.h"

namespace bramble {

/// One combatant. Everything about it comes from its name: the sixteen byte
/// values of the name's digest, sorted from largest to smallest, and the six
/// largest of them as its attributes. The same name always gives the same
/// fighter.
class Fighter {
 public:
  using Lanes = OneLane;  // the rules play one battle on a fighter

  std::string name;
  std::string digest;  // the 32-character digest text of name
  // 0-15: the digest's byte values, largest first; 16-21: the attributes.
  std::array<int32_t, 22> slots{};

  int32_t& hp() { return slots[16]; }
  int32_t& mp() { return slots[17]; }
  int32_t& atk() { return slots[18]; }
  int32_t& def() { return slots[19]; }
  int32_t& agility() { return slots[20]; }  // hidden
  int32_t& cunning() { return slots[21]; }  // hidden
  int32_t hp() const { return slots[16]; }
  int32_t mp() const { return slots[17]; }
  int32_t atk() const { return slots[18]; }
  int32_t def() const { return slots[19]; }
  int32_t agility() const { return slots[20]; }
  int32_t cunning() const { return slots[21]; }
  /// hp, mp, atk, def, agility, cunning by number, 0 to 5.
  int32_t& attribute(int i) { return slots[16 + i]; }

  /// Rebuilds the fighter from `name` and prints its attribute line on the
  /// console only (never into the transcript).
  void BuildFromName(std::string_view name);
  /// Rebuilds the fighter from `name` without printing.
  void Build(std::string_view name);
  /// ColoredName HP MP ATK DEF, as marked-up text ending in a line feed.
  std::string AttributeLine() const;

  /// Clamps hp into 0..255 and keeps the clamped value.
  void ClampHp() { hp() = std::min(std::max(hp(), 0), 255); }
  /// Clamps hp, then gives this fighter's part of a status line.
  std::string HpText();

  /// Acts against `defender`: draws an action, applies its immediate
  /// effects to both fighters and returns it. Defined in attack.h.
  template <Narration N = Narration::kNarrated>
  BasicActionResult<N> Attack(Fighter& defender) {
    ThreadDice dice;
    return Attack<N>(defender, dice);
  }
  template <Narration N, class Dice>
  BasicActionResult<N> Attack(Fighter& defender, Dice& dice);

  /// Answers `attacker`'s action of `value` and `kind` (a normal or magic
  /// attack, or a song) and returns the line that tells the outcome.
  /// Defined in respond.h.
  template <Narration N = Narration::kNarrated>
  Line<N> Respond(Fighter& attacker, int32_t value, ActionKind kind) {
    ThreadDice dice;
    return Respond<N>(attacker, value, kind, dice);
  }
  template <Narration N, class Dice>
  Line<N> Respond(Fighter& attacker, int32_t value, ActionKind kind, Dice& dice);
};

/// "<3>" name "<15>": a fighter's name in cyan, the text after it white.
std::string ColoredName(const Fighter& fighter);
/// "<12>" digits "<15>": a number in light red.
std::string NumberText(int32_t n);
/// Signed decimal digits; the most negative value included.
std::string DecimalText(int32_t n);

/// Value of `length` hexadecimal digits, the first the most significant; a
/// byte that is no digit counts as 0.
int32_t HexTextValue(const char* text, int length);
/// Bubble sort with early exit, descending or ascending.
void SortDescending(int32_t* values, int count, bool descending);

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_FIGHTER_H_
