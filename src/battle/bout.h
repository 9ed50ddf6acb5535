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

/// The three steps of a battle, written once over the lanes (battle/lanes.h)
/// for the game's Bout and the lab's lane engine. Each acts in the lanes of
/// a mask; B gives the fighters in their roles, swaps the roles, declares a
/// defeat, shows a line with both fighters' HP (clamping them), and holds
/// what the steps keep between ticks (turn_state, last_value, last_kind,
/// pummel_hits, pummel_count).
struct BoutSteps {
  template <Narration N, class B, class Dice, class L = typename B::Lanes>
  static void Attack(B& bout, Dice& dice, typename L::Mask m);
  template <Narration N, class B, class Dice, class L = typename B::Lanes>
  static void Response(B& bout, Dice& dice, typename L::Mask m);
  template <Narration N, class B, class Dice, class L = typename B::Lanes>
  static void Pummel(B& bout, Dice& dice, typename L::Mask m);
};

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
  using Lanes = OneLane;

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
  /// Performs the step that turn_state calls for; nothing once ended.
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
  TurnState turn_state = TurnState::AttackTurn;
  bool ended = false;
  Fighter* loser = nullptr;  // the fighter declared defeated, once ended
  int32_t last_value = 0;
  ActionKind last_kind = ActionKind::NormalAttack;
  int32_t pummel_hits = 0;
  int32_t pummel_count = 0;

 private:
  friend struct BoutSteps;
  Fighter& Attacker() { return *attacker; }
  Fighter& Defender() { return *defender; }
  void SwapRoles(bool m) {
    if (m)
      SwapRoles();
  }
  void DefeatAttacker(bool m) {
    if (m)
      Defeat(*attacker);
  }
  void DefeatDefender(bool m) {
    if (m)
      Defeat(*defender);
  }
  template <class Text>
  void Show(const Text& text) {
    PrintStatus(text, true);
  }

  /// Prints text, four blanks and, with HP, both fighters' HP (fighter one
  /// first). The HP are clamped into 0..255 whether printed or not.
  void PrintStatus(std::string_view text, bool with_hp);
  void PrintStatus(Silence, bool with_hp);
  void Defeat(Fighter& fallen);
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
  turn_state = TurnState::AttackTurn;
  ended = false;
  loser = nullptr;
}

template <Narration N>
template <class Dice>
void Bout<N>::Step(Dice& dice) {
  if (ended)
    return;
  switch (turn_state) {
    case TurnState::AttackTurn:
      BoutSteps::Attack<N>(*this, dice, true);
      break;
    case TurnState::ResponseTurn:
      BoutSteps::Response<N>(*this, dice, true);
      break;
    case TurnState::PummelTurn:
      BoutSteps::Pummel<N>(*this, dice, true);
      break;
    default:
      break;
  }
}

template <Narration N>
void Bout<N>::PrintStatus(std::string_view text, bool with_hp) {
  std::string line = std::string(text) + "    ";
  if (with_hp)
    line += first.HpText() + " " + second.HpText();
  PrintMarked(line, true);
}

template <Narration N>
void Bout<N>::PrintStatus(Silence, bool with_hp) {
  if (with_hp) {
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

template <Narration N, class B, class Dice, class L>
void BoutSteps::Attack(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  Mask attacker_down = m & (bout.Attacker().hp() <= 0);
  Mask defender_falls = bout.Defender().hp() <= 0;
  Mask defender_down = L::Not(attacker_down) & m & defender_falls;
  bout.DefeatAttacker(attacker_down);
  bout.DefeatDefender(defender_down);
  m = L::Not(attacker_down | defender_down) & m;
  if (!L::Any(m))
    return;
  BasicActionResult<N, L> result = attack_rules::Act<N>(bout.Attacker(), bout.Defender(), dice, m);
  bout.last_value = L::Choose(m, result.value, bout.last_value);
  bout.last_kind = L::Choose(m, result.kind, bout.last_kind);
  bout.Show(result.message);
  Mask pummel = L::Is(result.kind, ActionKind::Pummel) & m;
  if (L::Any(pummel)) {
    bout.pummel_hits = L::Choose(pummel, DrawIn<L>(dice, pummel, 2, 5), bout.pummel_hits);
    bout.pummel_count = L::Choose(pummel, typename L::Int{}, bout.pummel_count);
  }
  // The poisoned fighter makes no response; it attacks on the next tick.
  Mask poison = L::Is(result.kind, ActionKind::Poison) & m;
  bout.SwapRoles(poison);
  bout.turn_state = L::Choose(m, L::TurnOf(TurnState::ResponseTurn), bout.turn_state);
  bout.turn_state = L::Choose(pummel, L::TurnOf(TurnState::PummelTurn), bout.turn_state);
  bout.turn_state = L::Choose(poison, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
}

template <Narration N, class B, class Dice, class L>
void BoutSteps::Response(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  Line<N> message = respond_rules::Answer<N>(bout.Defender(), bout.Attacker(), bout.last_value,
                                             bout.last_kind, dice, m);
  bout.Show(message);
  // The attacker is tested first: when both fall, the attacker has lost.
  Mask attacker_down = m & (bout.Attacker().hp() <= 0);
  Mask defender_falls = bout.Defender().hp() <= 0;
  Mask defender_down = L::Not(attacker_down) & m & defender_falls;
  bout.DefeatAttacker(attacker_down);
  bout.DefeatDefender(defender_down);
  Mask goes_on = L::Not(attacker_down | defender_down) & m;
  bout.SwapRoles(goes_on);
  bout.turn_state = L::Choose(goes_on, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
}

template <Narration N, class B, class Dice, class L>
void BoutSteps::Pummel(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  bout.pummel_count += L::One(m);
  // A silent tick after the last blow passes the turn.
  Mask over = m & (bout.pummel_count > bout.pummel_hits);
  bout.SwapRoles(over);
  bout.turn_state = L::Choose(over, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
  Mask blows = L::Not(over) & m;
  if (!L::Any(blows))
    return;
  typename L::Int blow = L::Percent(DrawIn<L>(dice, blows, 60, 100), bout.last_value);
  bout.Defender().hp() -= L::Only(blows, blow);
  if constexpr (Narrated(N))
    bout.Show(lines::Damage(bout.Defender(), blow));
  else
    bout.Show(Silence());
  bout.DefeatDefender(blows & (bout.Defender().hp() <= 0));
}

extern template class Bout<Narration::kNarrated>;

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_BOUT_H_
