#include "battle/bout.h"

#include "battle/random.h"
#include "console/print_marked.h"

namespace bramble {

template <Narration N>
void Bout<N>::SwapRoles() {
  if (attacker == &first) {
    attacker = &second;
    defender = &first;
  } else {
    attacker = &first;
    defender = &second;
  }
}

template <Narration N>
void Bout<N>::PickFirstAttacker() {
  attacker = RandomInt(0, 2) > 0 ? &first : &second;
  defender = attacker == &first ? &second : &first;
  SwapRoles();
}

template <Narration N>
void Bout<N>::Begin() {
  PrintStatus("<12>决斗开始！", false);
  turnState = TurnState::AttackTurn;
  ended = false;
  loser = nullptr;
}

template <Narration N>
void Bout<N>::Step() {
  if (ended)
    return;
  switch (turnState) {
    case TurnState::AttackTurn:
      AttackStep();
      break;
    case TurnState::ResponseTurn:
      ResponseStep();
      break;
    case TurnState::PummelTurn:
      PummelStep();
      break;
    default:
      break;
  }
}

template <Narration N>
void Bout<N>::PrintStatus(std::string_view text, bool withHp) {
  if constexpr (Narrated(N)) {
    std::string line = std::string(text) + "    ";
    if (withHp)
      line += first.HpText() + " " + second.HpText();
    PrintMarked(line, true);
  } else if (withHp) {
    first.ClampHp();
    second.ClampHp();
  }
}

template <Narration N>
void Bout<N>::Defeat(Fighter& fallen) {
  ended = true;
  loser = &fallen;
  if constexpr (Narrated(N))
    PrintStatus("<12>*-- " + ColoredName(fallen) + "被击败了<12> --*\a", false);
}

template <Narration N>
void Bout<N>::AttackStep() {
  if (attacker->hp() <= 0) {
    Defeat(*attacker);
    return;
  }
  if (defender->hp() <= 0) {
    Defeat(*defender);
    return;
  }
  ActionResult result = attacker->template Attack<N>(*defender);
  lastValue = result.value;
  lastKind = result.kind;
  PrintStatus(result.message, true);
  switch (lastKind) {
    case ActionKind::Pummel:
      pummelHits = RandomInt(2, 5);
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
void Bout<N>::ResponseStep() {
  std::string message = defender->template Respond<N>(*attacker, lastValue, lastKind);
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
void Bout<N>::PummelStep() {
  ++pummelCount;
  if (pummelCount > pummelHits) {
    // A silent tick after the last blow passes the turn.
    SwapRoles();
    turnState = TurnState::AttackTurn;
    return;
  }
  int32_t blow = PercentOf(RandomInt(60, 100), lastValue);
  defender->hp() -= blow;
  if constexpr (Narrated(N))
    PrintStatus(ColoredName(*defender) + "受到" + NumberText(blow) + "点伤害", true);
  else
    PrintStatus({}, true);
  if (defender->hp() <= 0)
    Defeat(*defender);
}

template class Bout<Narration::kNarrated>;
template class Bout<Narration::kSilent>;

}  // namespace bramble
