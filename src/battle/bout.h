#ifndef BRAMBLE_BATTLE_BOUT_H_
#define BRAMBLE_BATTLE_BOUT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "battle/fighter.h"
#include "battle/narration.h"

namespace bramble {

/// Which step the next tick performs.
enum class TurnState : int32_t { AttackTurn = 0, ResponseTurn = 1, PummelTurn = 2 };

/// The turn state machine of one battle: two fighters, who attacks, and one
/// step per tick (an attack, a response, or one blow of a beating) until a
/// fighter falls. Narrated, every step prints its line with both fighters'
/// HP; silent, it makes the same draws and changes without any text.
template <Narration N = Narration::kNarrated>
class Bout {
 public:
  Bout() = default;
  Bout(const Bout&) = delete;  // attacker and defender point into this bout
  Bout& operator=(const Bout&) = delete;

  /// Draws who attacks first: fighter two when the draw is 1.
  void PickFirstAttacker();
  /// Prints the start line and readies the first attack step.
  void Begin();
  /// Performs the step that turnState calls for; nothing once ended.
  void Step();
  void SwapRoles();

  Fighter first;
  Fighter second;
  Fighter* attacker = &first;
  Fighter* defender = &second;
  TurnState turnState = TurnState::AttackTurn;
  bool ended = false;
  Fighter* loser = nullptr;  // the fighter declared defeated, once ended
  int32_t lastValue = 0;
  ActionKind lastKind = ActionKind::NormalAttack;
  int32_t pummelHits = 0;
  int32_t pummelCount = 0;

 private:
  /// Prints text, four blanks and, with HP, both fighters' HP (fighter one
  /// first). The HP are clamped into 0..255 whether printed or not.
  void PrintStatus(std::string_view text, bool withHp);
  void Defeat(Fighter& fallen);
  void AttackStep();
  void ResponseStep();
  void PummelStep();
};

extern template class Bout<Narration::kNarrated>;
extern template class Bout<Narration::kSilent>;

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_BOUT_H_
