#ifndef BRAMBLE_LAB_LANES_LANE_RULES_H_
#define BRAMBLE_LAB_LANES_LANE_RULES_H_

// The battle rules in lanes, for speed: every assignment made under the
// mask of the lanes it acts in, the draws of the common paths read ahead
// and the path picked without a jump, the rare paths branched to only when
// some lane takes them. They make exactly the draws and changes of the
// game's rules (battle/attack.cpp, respond.cpp, songs.cpp, bout.cpp), by
// the same named numbers (battle/rules.h); the lane tests hold them to
// those rules battle by battle.
//
// The lane type L is vector_lanes.h's: Choose(m, a, b) is a where m holds
// and b elsewhere, Only(m, x) is x where m holds and 0 elsewhere, One(m)
// is 1 where m holds, Any(m) whether any lane holds m.

#include <cstdint>

#include "battle/rules.h"

namespace bramble::lab::lanes {

/// The four attributes that only a last stand or a poison changes: the
/// lanes keep them by fighter, not by role (see LaneBout), in this order,
/// which is also the order a last stand raises them in after hp and mp.
enum FixedAttribute { kAtk, kDef, kAgility, kCunning, kFixedCount };

/// RandomInt(range) in the lanes of `m`: those lanes take one step of their
/// generator; the others keep theirs.
template <class L, class Dice>
typename L::Int DrawIn(Dice& dice, typename L::Mask m, Range range) {
  typename L::Bits next = L::Advance(dice.state);
  dice.state = L::Choose(m, next, dice.state);
  return L::Scale(L::Output(next), range.from, range.to);
}

/// The next four draws of a generator, read ahead without taking them. A
/// rule whose paths make different draws reads the draws its common paths
/// need, picks its path without a jump, and then takes as many draws as
/// that path made: the draws and their order are exactly those of the path
/// drawn one by one.
template <class L>
class DrawsAhead {
 public:
  using Int = typename L::Int;
  using Bits = typename L::Bits;

  explicit DrawsAhead(Bits state) : start_(state) {
    for (int i = 0; i < kCount; ++i) {
      state = L::Advance(state);
      output_[i] = L::Output(state);
      after_[i] = state;
    }
  }
  /// RandomInt(range) as the path's draw number `i` (from 0) would give it.
  Int Draw(int i, Range range) const { return L::Scale(output_[i], range.from, range.to); }
  /// The same for a draw number that differs from lane to lane (1 to 3).
  Int DrawAt(Int i, Range range) const {
    return L::Scale(Pick(output_, i, 1), range.from, range.to);
  }
  /// The generator state once `count` draws (1 to 4) are taken. Where the
  /// lane type can pick from a table by lane, the `count` steps are made as
  /// one, state * a + c with a and c picked by `count`, so that the states
  /// between need not be kept; elsewhere it is the state kept after that draw.
  Bits StateAfterAt(Int count) const {
    if constexpr (requires { L::Permute(Bits{}, count); }) {
      // n + 1 steps take x to a * x + c: c from 0, a + c from 1 (the
      // compiler folds these to two constants).
      Bits from0{}, from1 = from0 + 1u, times{}, plus{};
      for (int n = 0; n < kCount; ++n) {
        from0 = L::Advance(from0);
        from1 = L::Advance(from1);
        times[n] = from1[0] - from0[0];
        plus[n] = from0[0];
      }
      return L::Permute(times, count - 1) * start_ + L::Permute(plus, count - 1);
    } else {
      return Pick(after_, count - 1, 0);
    }
  }

 private:
  static constexpr int kCount = 4;
  // from[i] in each lane, for an i of at least `lowest`.
  static Bits Pick(const Bits (&from)[kCount], Int i, int lowest) {
    Bits picked = from[lowest];
    for (int k = lowest + 1; k < kCount; ++k)
      picked = L::Choose(i == k, from[k], picked);
    return picked;
  }
  Bits start_;
  Bits output_[kCount];
  Bits after_[kCount];
};

/// An attack's strength and kind, per lane.
template <class L>
struct LaneAction {
  typename L::Int value{};
  typename L::Kind kind{};
};

template <class B, class Dice, class L = typename B::Lanes>
void NormalAttackIn(B& bout, LaneAction<L>* result, Dice& dice, typename L::Mask m) {
  typename L::Int r = DrawIn<L>(dice, m, rules::kNormalAttackRoll);
  result->value = L::Choose(m, L::Percent(r, bout.Attacker(kAtk)), result->value);
  result->kind = L::Choose(m, L::KindOf(ActionKind::NormalAttack), result->kind);
}

/// The attacker's action against the defender in the lanes of `active`.
template <class B, class Dice, class L = typename B::Lanes>
LaneAction<L> AttackIn(B& bout, Dice& dice, typename L::Mask active) {
  using namespace rules;
  using Int = typename L::Int;
  using Mask = typename L::Mask;
  LaneAction<L> result;
  Int atk = bout.Attacker(kAtk);
  Int cunning = bout.Attacker(kCunning);
  // The family, then the draws of the common paths, read ahead: a normal
  // or magic attack is chosen without a jump; the rarer actions branch off
  // and draw on from where their path stands.
  DrawsAhead<L> next(dice.state);
  Int family = next.Draw(0, kAttackFamily);
  Mask family2 = family == 2;
  Mask last_stand = active & (bout.attacker_hp <= kLastStandHp) & family2;
  // Families 2 and 3 open with a check: atk for a pummel, cunning for a
  // song (the two thresholds are one number today).
  static_assert(kPummelThreshold == kSongThreshold);
  Mask opening_check =
      L::Check(next.Draw(1, kCheckRoll), L::Choose(family2, atk, cunning), kPummelThreshold);
  Mask not_last_stand = L::Not(last_stand);
  Mask opens = active & not_last_stand & (family >= 2) & opening_check;
  // Family 2 then checks cunning for a poison.
  Mask poison_check = L::Check(next.Draw(2, kCheckRoll), cunning, kPoisonThreshold);
  Mask neither = L::Not(last_stand | opens);
  Mask poison = active & neither & family2 & poison_check;
  // What is left is a magic attack or a normal attack, whose roll is the
  // first draw its family has left.
  Mask none = L::Not(last_stand | opens | poison);
  Mask common = active & none;
  Mask magic = common & (family == 0) & (bout.attacker_mp >= kMagicAttackMp);
  Int roll_draw = 1 + L::One(family >= 2) + L::One(family2);  // families 0, 1: 1; 2: 3; 3: 2
  Int normal_value = L::Percent(next.DrawAt(roll_draw, kNormalAttackRoll), atk);
  Int magic_value = atk + L::Percent(next.Draw(1, kMagicAttackRoll), atk / 2);
  bout.attacker_mp -= L::Only(magic, next.Draw(2, kMagicAttackCost));
  result.value = L::Choose(magic, magic_value, normal_value);
  result.kind =
      L::Choose(magic, L::KindOf(ActionKind::MagicAttack), L::KindOf(ActionKind::NormalAttack));
  // Draws taken: a magic attack 3, a normal attack its roll's number and
  // one; a last stand 1 and goes on from there; a pummel 4 (its two rolls
  // follow its check), a poison 3, a song 3 (its title follows its check).
  Mask pummel = opens & family2;
  Int rare_draws = 3 - 2 * L::One(last_stand) + L::One(pummel);
  Int draws = L::Choose(common, roll_draw + 1 + L::One(magic), rare_draws);
  dice.state = L::Choose(active, next.StateAfterAt(draws), dice.state);
  if (L::Any(last_stand)) {
    bout.attacker_hp += L::Only(last_stand, DrawIn<L>(dice, last_stand, kLastStandGain));
    bout.attacker_hp = L::Min(bout.attacker_hp, kHighestHp);  // nothing reads it before the line
    bout.attacker_mp += L::Only(last_stand, DrawIn<L>(dice, last_stand, kLastStandGain));
    for (int i = 0; i < kFixedCount; ++i)
      bout.AddToAttacker(i, last_stand, DrawIn<L>(dice, last_stand, kLastStandGain));
    NormalAttackIn(bout, &result, dice, last_stand);  // with the raised atk
  }
  if (L::Any(pummel)) {
    Int r1 = next.Draw(2, kPummelAttackRoll);
    Int r2 = next.Draw(3, kPummelDefenceRoll);
    Int value = L::Abs(L::FloorTimesF(r1, atk) - L::Over100(r2, bout.Defender(kDef)));
    result.value = L::Choose(pummel, value, result.value);
    result.kind = L::Choose(pummel, L::KindOf(ActionKind::Pummel), result.kind);
  }
  // A song's title was drawn with the draws taken (a range of one value
  // would draw nothing); nothing here reads which title.
  static_assert(kSongTitle.to > kSongTitle.from);
  Mask song = L::Not(family2) & opens;
  result.kind = L::Choose(song, L::KindOf(ActionKind::Song), result.kind);
  result.value = L::Choose(song, Int{}, result.value);
  if (L::Any(poison)) {
    bout.defender_hp = L::Choose(poison, L::HalveUp(bout.defender_hp), bout.defender_hp);
    bout.defender_mp = L::Choose(poison, L::HalveUp(bout.defender_mp), bout.defender_mp);
    for (int f = 0; f < 2; ++f) {
      // The poisoned fighter is fighter one where fighter two attacks.
      Mask poisoned = f == 0 ? L::Not(bout.first_attacks) & poison : bout.first_attacks & poison;
      for (int i = 0; i < kFixedCount; ++i) {
        Int x = bout.fixed[f][i];
        bout.fixed[f][i] = L::Choose(poisoned, L::HalveUp(x), x);
      }
    }
    result.kind = L::Choose(poison, L::KindOf(ActionKind::Poison), result.kind);
  }
  return result;
}

// A refresh: hp, then mp, in the lanes of m.
template <class Dice, class L>
void RefreshIn(typename L::Int& hp, typename L::Int& mp, Dice& dice, typename L::Mask m) {
  hp += L::Only(m, DrawIn<L>(dice, m, rules::kRefreshHp));
  hp = L::Min(hp, rules::kHighestHp);  // nothing reads it before the line
  mp += L::Only(m, DrawIn<L>(dice, m, rules::kRefreshMp));
  DrawIn<L>(dice, m, rules::kReaction);
}

/// The listener's (the defender's) answer to a song in the lanes of `m`.
template <class B, class Dice, class L = typename B::Lanes>
void ListenIn(B& bout, typename L::Int cunning, Dice& dice, typename L::Mask m) {
  using namespace rules;
  using Mask = typename L::Mask;
  Mask unmoved = L::Check(DrawIn<L>(dice, m, kListenRoll), cunning, kUnmovedThreshold);
  Mask moved = L::Not(unmoved) & m;
  if (!L::Any(moved))
    return;
  Mask refreshed =
      L::Check(DrawIn<L>(dice, moved, kListenRoll), cunning, kRefreshedThreshold) & moved;
  if (L::Any(refreshed))
    RefreshIn<Dice, L>(bout.defender_hp, bout.defender_mp, dice, refreshed);
  Mask left = L::Not(refreshed) & moved;
  if (!L::Any(left))
    return;
  Mask refreshes_singer =
      L::Check(DrawIn<L>(dice, left, kListenRoll), cunning, kSingerRefreshedThreshold) & left;
  if (L::Any(refreshes_singer))
    RefreshIn<Dice, L>(bout.attacker_hp, bout.attacker_mp, dice, refreshes_singer);
  Mask hurt = L::Not(refreshes_singer) & left;
  if (L::Any(hurt))
    bout.defender_hp -= L::Only(hurt, DrawIn<L>(dice, hurt, kSongHurt));
}

/// The defender's answer in the lanes of `active` to an action of `value`
/// and `kind` (a normal or magic attack, or a song).
template <class B, class Dice, class L = typename B::Lanes>
void RespondIn(B& bout, typename L::Int value, typename L::Kind kind, Dice& dice,
               typename L::Mask active) {
  using namespace rules;
  using Int = typename L::Int;
  using Mask = typename L::Mask;
  Int cunning = bout.Defender(kCunning);
  Int def = bout.Defender(kDef);
  // The family, then the draws of the common paths, read ahead: a plain
  // defence, a magic defence or an evasion is settled without a jump; a
  // song and a deflection branch off and draw on from where they stand.
  DrawsAhead<L> next(dice.state);
  Int family = next.Draw(0, kResponseFamily);  // drawn even for a song
  Mask song = L::Is(kind, ActionKind::Song) & active;
  Mask family2 = family == 2;
  Mask deflection_check = L::Check(next.Draw(1, kCheckRoll), cunning, kDeflectionThreshold);
  Mask evasion_check =
      L::Check(next.Draw(2, kCheckRoll), bout.Defender(kAgility), kEvasionThreshold);
  Mask deflects = L::Not(song) & active & family2 & deflection_check;
  Mask plain = L::Not(song | deflects) & active;
  Mask evades = plain & family2 & evasion_check;
  // Family 0 with enough mp: the magic defence. Against a magic attack it
  // rolls its damage first; whatever it met, it costs mp after that.
  Mask magic_defence = plain & (family == 0) & (bout.defender_mp >= kMagicDefenceMp);
  Mask against_magic = L::Is(kind, ActionKind::MagicAttack);
  Int magic_damage = def + L::Percent(next.Draw(1, kMagicDefenceRoll), def / 2) - value;
  Int cost_draw = 1 + L::One(against_magic);
  // Otherwise the plain defence; family 2 rolls after its two failed checks.
  Int plain_draw = 1 + 2 * L::One(family2);
  Int plain_damage = L::Percent(next.DrawAt(plain_draw, kPlainDefenceRoll), def) - value;
  Int damage = L::Choose(magic_defence, L::Only(against_magic, magic_damage),
                         L::Only(L::Not(evades), plain_damage));
  Mask hit = plain & (damage >= 1);
  bout.defender_hp -= L::Only(hit, damage);
  bout.defender_mp -= L::Only(magic_defence, next.DrawAt(cost_draw, kMagicDefenceCost));
  // Draws taken: the magic defence's cost is its last, an evasion's check
  // is its third, the plain roll the plain defence's last; a deflection 3
  // (its roll follows its check); a song 1, and the listener goes on.
  Int plain_draws = L::Choose(magic_defence, cost_draw + 1, plain_draw + 1 - L::One(evades));
  Int draws = L::Choose(plain, plain_draws, 1 + 2 * L::One(deflects));
  dice.state = L::Choose(active, next.StateAfterAt(draws), dice.state);
  if (L::Any(song))
    ListenIn(bout, cunning, dice, song);
  if (L::Any(deflects))
    bout.attacker_hp -= L::Only(deflects, L::Percent(next.Draw(2, kDeflectionRoll), value));
}

/// The three steps of the turn state machine in the lanes of a mask. B
/// holds the fighters in their roles, swaps the roles, ends battles and
/// keeps what the steps keep between ticks.
///
/// Every status line clamps both hp into 0..255; the lanes clamp only
/// where it can matter. An hp above 255 comes only from a last stand or a
/// refresh, and is lowered right there (nothing reads it before the line).
/// An hp below 0 always ends the battle on the same step, where the rules
/// test only its sign; the engine shows it as 0 when it reports the lane.
template <class B, class Dice, class L = typename B::Lanes>
typename L::Mask AttackStepIn(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  Mask down = m & (L::Min(bout.attacker_hp, bout.defender_hp) < 1);  // either hp 0 or less
  bout.Defeat(down);
  m = L::Not(down) & m;
  if (!L::Any(m))
    return Mask{};
  LaneAction<L> result = AttackIn(bout, dice, m);
  bout.last_value = L::Choose(m, result.value, bout.last_value);
  bout.last_kind = L::Choose(m, result.kind, bout.last_kind);
  Mask pummel = L::Is(result.kind, ActionKind::Pummel) & m;
  if (L::Any(pummel)) {
    bout.pummel_hits =
        L::Choose(pummel, DrawIn<L>(dice, pummel, rules::kPummelBlows), bout.pummel_hits);
    bout.pummel_count = L::Choose(pummel, typename L::Int{}, bout.pummel_count);
  }
  bout.turn_state = L::Choose(m, L::TurnOf(TurnState::ResponseTurn), bout.turn_state);
  if (L::Any(pummel))
    bout.turn_state = L::Choose(pummel, L::TurnOf(TurnState::PummelTurn), bout.turn_state);
  Mask poison = L::Is(result.kind, ActionKind::Poison) & m;
  if (L::Any(poison)) {  // rare: most passes swap no roles here
    bout.SwapRoles(poison);
    bout.turn_state = L::Choose(poison, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
  }
  return pummel;
}

/// The ticks a beating takes at most: its attack, every blow, and the
/// silent tick that passes the turn.
inline constexpr int32_t kLongestBeating = 1 + (rules::kPummelBlows.to - 1) + 1;

/// A whole beating at once in the lanes of `m`, which have just begun one
/// and have the ticks to spare for it: its blows, a tick each, until the
/// defender falls, then the silent tick that passes the turn, exactly as
/// the beating's steps would make them one tick at a time. A beating is
/// common, and played by ticks it would keep its lane from attacking for
/// two or three passes. Returns the ticks it took in each lane.
template <class B, class Dice, class L = typename B::Lanes>
typename L::Int BeatingIn(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  typename L::Int taken{};
  for (int32_t blow = 1; blow < rules::kPummelBlows.to; ++blow) {
    Mask blows = m & (bout.pummel_hits >= blow);
    if (!L::Any(blows))
      break;
    bout.defender_hp -=
        L::Only(blows, L::Percent(DrawIn<L>(dice, blows, rules::kBlowRoll), bout.last_value));
    taken += L::One(blows);
    Mask fallen = blows & (bout.defender_hp <= 0);
    bout.Defeat(fallen);
    m = L::Not(fallen) & m;
  }
  taken += L::One(m);
  bout.SwapRoles(m);
  bout.turn_state = L::Choose(m, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
  return taken;
}

template <class B, class Dice, class L = typename B::Lanes>
void ResponseStepIn(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  RespondIn(bout, bout.last_value, bout.last_kind, dice, m);
  // The attacker is tested first: when both fall, the attacker has lost
  // (the engine tells which when it reports the lane).
  Mask down = m & (L::Min(bout.attacker_hp, bout.defender_hp) < 1);  // either hp 0 or less
  bout.Defeat(down);
  Mask goes_on = L::Not(down) & m;
  bout.SwapRoles(goes_on);
  bout.turn_state = L::Choose(goes_on, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
}

template <class B, class Dice, class L = typename B::Lanes>
void PummelStepIn(B& bout, Dice& dice, typename L::Mask m) {
  using Mask = typename L::Mask;
  bout.pummel_count += L::One(m);
  Mask over = m & (bout.pummel_count > bout.pummel_hits);  // a silent tick passes the turn
  if (L::Any(over)) {
    bout.SwapRoles(over);
    bout.turn_state = L::Choose(over, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
  }
  Mask blows = L::Not(over) & m;
  if (!L::Any(blows))
    return;
  typename L::Int blow = L::Percent(DrawIn<L>(dice, blows, rules::kBlowRoll), bout.last_value);
  bout.defender_hp -= L::Only(blows, blow);
  bout.Defeat(blows & (bout.defender_hp <= 0));
}

}  // namespace bramble::lab::lanes

#endif  // BRAMBLE_LAB_LANES_LANE_RULES_H_
