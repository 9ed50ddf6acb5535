#ifndef BRAMBLE_BATTLE_BOUT_H_
#define BRAMBLE_BATTLE_BOUT_H_

#include <cstdint>

#include "battle/fighter.h"
#include "battle/narrator.h"
#include "battle/random.h"
#include "battle/rules.h"

namespace bramble {

/// The turn state machine of one battle: two fighters, who attacks, and one
/// step per tick (an attack, a response, or one blow of a beating) until a
/// fighter falls. After every step both fighters' hp is kept within 0..255
/// and the narrator, if any, is told what happened.
class Bout {
 public:
  /// A bout that tells `narrator` what happens; without one it tells nothing.
  explicit Bout(Narrator* narrator = nullptr) : narrator_(narrator) {}
  Bout(const Bout&) = delete;  // attacker and defender point into this bout
  Bout& operator=(const Bout&) = delete;

  /// Draws who attacks first: fighter two when the draw is 1.
  void PickFirstAttacker(Dice& dice);
  /// Tells the start and readies the first attack step.
  void Begin();
  /// Performs the step that turn_state calls for; nothing once ended.
  void Step(Dice& dice);
  void SwapRoles();
  /// Tells the narrator, if there is one.
  void Tell(const Event& event) {
    if (narrator_ != nullptr)
      narrator_->Tell(event, first, second);
  }

  Fighter first;
  Fighter second;
  Fighter* attacker = &first;
  Fighter* defender = &second;
  TurnState turn_state = TurnState::AttackTurn;
  bool ended = false;
  Fighter* loser = nullptr;  // the fighter declared defeated, once ended
  int32_t last_value = 0;
  ActionKind last_kind = ActionKind::NormalAttack;
  int32_t pummel_hits = 0;
  int32_t pummel_count = 0;

 private:
  void AttackStep(Dice& dice);
  void ResponseStep(Dice& dice);
  void PummelStep(Dice& dice);
  /// Keeps both fighters' hp within 0..255, then tells what happened.
  void Show(const Event& event);
  void Defeat(Fighter& fallen);

  Narrator* narrator_;
};

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_BOUT_H_
