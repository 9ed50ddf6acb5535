#ifndef BRAMBLE_BATTLE_BOUT_H_
#define BRAMBLE_BATTLE_BOUT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "battle/attack.h"
#include "battle/fighter.h"
#include "battle/lines.h"
#include "battle/narration.h"
#include "battle/random.h"
#include "battle/respond.h"
#include "console/print_marked.h"

namespace bramble {

/// Which step the next tick performs.
enum class TurnState : int32_t { AttackTurn = 0, ResponseTurn = 1, PummelTurn = 2 };

/// The turn state machine of one battle: two fighters, who attacks, and one
/// step per tick (an attack, a response, or one blow of a beating) until a
/// fighter falls. Narrated, every step prints its line with both fighters'
/// HP; silent, it makes the same draws and changes without any text. The
/// steps draw from the thread's generator unless handed other dice; the
/// whole machine lives in this header so that the lab's silent battles
/// inline it with the rules.
template <Narration N = Narration::kNarrated>
class Bout {
 public:
  Bout() = default;
  Bout(const Bout&) = delete;  // attacker and defender point into this bout
  Bout& operator=(const Bout&) = delete;

  /// Draws who attacks first: fighter two when the draw is 1.
  void PickFirstAttacker() {
    ThreadDice dice;
    PickFirstAttacker(dice);
  }
  template <class Dice>
  void PickFirstAttacker(Dice& dice);
  /// Prints the start line and readies the first attack step.
  void Begin();
  /// Performs the step that turnState calls for; nothing once ended.
  void Step() {
    ThreadDice dice;
    Step(dice);
  }
  template <class Dice>
  void Step(Dice& dice);
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
  void PrintStatus(Silence, bool withHp);
  void Defeat(Fighter& fallen);
  template <class Dice>
  void AttackStep(Dice& dice);
  template <class Dice>
  void ResponseStep(Dice& dice);
  template <class Dice>
  void PummelStep(Dice& dice);
};

template <Narration N>
void Bout<N>::SwapRoles() {
  Fighter* was_attacker = attacker;
  attacker = defender;
  defender = was_attacker;
}

template <Narration N>
template <class Dice>
void Bout<N>::PickFirstAttacker(Dice& dice) {
  attacker = dice.RandomInt(0, 2) > 0 ? &first : &second;
  defender = attacker == &first ? &second : &first;
  SwapRoles();
}

template <Narration N>
void Bout<N>::Begin() {
  if constexpr (Narrated(N))
    PrintStatus(lines::Start(), false);
  turnState = TurnState::AttackTurn;
  ended = false;
  loser = nullptr;
}

template <Narration N>
template <class Dice>
void Bout<N>::Step(Dice& dice) {
  if (ended)
    return;
  switch (turnState) {
    case TurnState::AttackTurn:
      AttackStep(dice);
      break;
    case TurnState::ResponseTurn:
      ResponseStep(dice);
      break;
    case TurnState::PummelTurn:
      PummelStep(dice);
      break;
    default:
      break;
  }
}

template <Narration N>
void Bout<N>::PrintStatus(std::string_view text, bool withHp) {
  std::string line = std::string(text) + "    ";
  if (withHp)
    line += first.HpText() + " " + second.HpText();
  PrintMarked(line, true);
}

template <Narration N>
void Bout<N>::PrintStatus(Silence, bool withHp) {
  if (withHp) {
    first.ClampHp();
    second.ClampHp();
  }
}

template <Narration N>
void Bout<N>::Defeat(Fighter& fallen) {
  ended = true;
  loser = &fallen;
  if constexpr (Narrated(N))
    PrintStatus(lines::Defeat(fallen), false);
}

template <Narration N>
template <class Dice>
void Bout<N>::AttackStep(Dice& dice) {
  if (attacker->hp() <= 0) {
    Defeat(*attacker);
    return;
  }
  if (defender->hp() <= 0) {
    Defeat(*defender);
    return;
  }
  BasicActionResult<N> result = attacker->template Attack<N>(*defender, dice);
  lastValue = result.value;
  lastKind = result.kind;
  PrintStatus(result.message, true);
  switch (lastKind) {
    case ActionKind::Pummel:
      pummelHits = dice.RandomInt(2, 5);
      pummelCount = 0;
      turnState = TurnState::PummelTurn;
      break;
    case ActionKind::Poison:
      // The poisoned fighter makes no response; it attacks on the next tick.
      SwapRoles();
      turnState = TurnState::AttackTurn;
      break;
    default:
      turnState = TurnState::ResponseTurn;
      break;
  }
}

template <Narration N>
template <class Dice>
void Bout<N>::ResponseStep(Dice& dice) {
  Line<N> message = defender->template Respond<N>(*attacker, lastValue, lastKind, dice);
  PrintStatus(message, true);
  // The attacker is tested first: when both fall, the attacker has lost.
  if (attacker->hp() <= 0) {
    Defeat(*attacker);
  } else if (defender->hp() <= 0) {
    Defeat(*defender);
  } else {
    SwapRoles();
    turnState = TurnState::AttackTurn;
  }
}

template <Narration N>
template <class Dice>
void Bout<N>::PummelStep(Dice& dice) {
  ++pummelCount;
  if (pummelCount > pummelHits) {
    // A silent tick after the last blow passes the turn.
    SwapRoles();
    turnState = TurnState::AttackTurn;
    return;
  }
  int32_t blow = PercentOf(dice.RandomInt(60, 100), lastValue);
  defender->hp() -= blow;
  if constexpr (Narrated(N))
    PrintStatus(lines::Damage(*defender, blow), true);
  else
    PrintStatus(Silence(), true);
  if (defender->hp() <= 0)
    Defeat(*defender);
}

extern template class Bout<Narration::kNarrated>;

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_BOUT_H_
