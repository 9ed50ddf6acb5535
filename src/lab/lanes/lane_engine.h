#ifndef BRAMBLE_LAB_LANES_LANE_ENGINE_H_
#define BRAMBLE_LAB_LANES_LANE_ENGINE_H_

// The lane engine: as many battles as the lane type has lanes, each with
// its own generator state and fighters, played by the rules in lanes
// (lane_rules.h), every lane's step at once under masks. A lane whose battle ends takes the job's
// next start state at once, so a long battle never holds the others up. Included by one file per
// instruction set, with a lane type of that file's own.

#include <algorithm>
#include <cstdint>

#include "battle/rules.h"
#include "lab/lanes/lane_paths.h"
#include "lab/lanes/lane_rules.h"
#include "lab/silent_battle.h"

namespace bramble::lab::lanes {

/// A generator per lane.
template <class L>
struct LaneDice {
  typename L::Bits state;
};

/// The turn state machine's state in lanes, as the steps of lane_rules.h
/// need it. hp and mp change nearly every tick and are kept by role, so a
/// swap of roles swaps their values; the four other attributes change only
/// by a last stand or a poison and are kept by fighter (0 is fighter one),
/// so a swap flips one mask, and a rule reads a role's by a blend.
template <class L>
struct LaneBout {
  using Lanes = L;
  using Int = typename L::Int;
  using Mask = typename L::Mask;

  Int Attacker(int i) const { return L::Choose(first_attacks, fixed[0][i], fixed[1][i]); }
  Int Defender(int i) const { return L::Choose(first_attacks, fixed[1][i], fixed[0][i]); }
  /// Adds `x` to the attacker's attribute `i` in the lanes of m.
  void AddToAttacker(int i, Mask m, Int x) {
    fixed[0][i] += L::Only(m & first_attacks, x);
    fixed[1][i] += L::Only(L::Not(first_attacks) & m, x);
  }
  void SwapRoles(Mask m) {
    Int hp = attacker_hp;
    Int mp = attacker_mp;
    attacker_hp = L::Choose(m, defender_hp, hp);
    defender_hp = L::Choose(m, hp, defender_hp);
    attacker_mp = L::Choose(m, defender_mp, mp);
    defender_mp = L::Choose(m, mp, defender_mp);
    first_attacks ^= m;
  }
  // Who lost is read when the lane is reported: the attacker if its hp is
  // 0 or less (it is tested first), else the defender. Roles never swap
  // on the step that ends a battle, and an attacker's hp stays above 0
  // through a beating.
  void Defeat(Mask m) { ended |= m; }

  Int attacker_hp{};  // zero in a lane that never played
  Int attacker_mp{};
  Int defender_hp{};
  Int defender_mp{};
  Int fixed[2][kFixedCount]{};  // by fighter: atk, def, agility, cunning
  Mask first_attacks{};         // fighter one is the attacker
  Mask ended{};
  typename L::Turn turn_state{};
  Int last_value{};
  typename L::Kind last_kind{};
  Int pummel_hits{};
  Int pummel_count{};
};

/// Plays every battle of `job`, as SilentBattle::Run plays each one.
template <class L>
void PlayLanes(const LaneJob& job) {
  constexpr int W = L::kWidth;
  using Int = typename L::Int;
  using Mask = typename L::Mask;

  LaneBout<L> bout;
  LaneDice<L> dice{};
  Int ticks{};
  uint64_t battle_of[W];        // the job's battle each lane plays
  bout.ended = L::Not(Mask{});  // no lane has a battle yet
  uint64_t next = 0;

  for (;;) {
    // Lanes whose battle has ended take the next start state; once the
    // job has none left, they stay ended, and the job is done when all are.
    Mask refill = bout.ended;
    if (L::Any(refill)) {
      typename L::Bits fresh = dice.state;
      for (uint32_t lanes = L::LaneBits(refill); lanes != 0; lanes &= lanes - 1) {
        int lane = __builtin_ctz(lanes);
        if (next < job.count) {
          battle_of[lane] = next;
          fresh[lane] = job.states[next++];
        } else {
          refill[lane] = 0;
        }
      }
      if (L::Any(refill)) {
        // The first attacker's draw: fighter one attacks on a 0.
        dice.state = L::Choose(refill, fresh, dice.state);
        Mask first_attacks = DrawIn<L>(dice, refill, rules::kFirstAttacker) == 0;
        bout.first_attacks = L::Choose(refill, first_attacks, bout.first_attacks);
        for (int i = 0; i < 2; ++i) {  // hp, mp
          Int first = L::Splat(job.first[i == 0 ? kHpAt : kMpAt]);
          Int second = L::Splat(job.second[i == 0 ? kHpAt : kMpAt]);
          Int& attacker = i == 0 ? bout.attacker_hp : bout.attacker_mp;
          Int& defender = i == 0 ? bout.defender_hp : bout.defender_mp;
          attacker = L::Choose(refill, L::Choose(first_attacks, first, second), attacker);
          defender = L::Choose(refill, L::Choose(first_attacks, second, first), defender);
        }
        for (int i = 0; i < kFixedCount; ++i) {
          bout.fixed[0][i] =
              L::Choose(refill, L::Splat(job.first[kFixedFrom + i]), bout.fixed[0][i]);
          bout.fixed[1][i] =
              L::Choose(refill, L::Splat(job.second[kFixedFrom + i]), bout.fixed[1][i]);
        }
        bout.turn_state = L::Choose(refill, L::TurnOf(TurnState::AttackTurn), bout.turn_state);
        bout.ended = L::Choose(refill, Mask{}, bout.ended);
        ticks = L::Choose(refill, Int{}, ticks);
      }
      if (!L::Any(L::Not(bout.ended)))
        return;
    }

    // Two ticks: an attack pass, then an answer pass. A lane acts in each
    // pass whose step its turn state calls for, and a beating in both, so
    // a lane that attacks and is answered (most ticks of most battles)
    // acts in every pass; one that is poisoned or refilled skips a pass.
    Mask playing = L::Not(bout.ended);
    for (int pass = 0; pass < 2; ++pass) {
      Mask can = L::Not(bout.ended) & (ticks < static_cast<int32_t>(job.tick_cap));
      Mask pummels = can & L::IsTurn(bout.turn_state, TurnState::PummelTurn);
      Mask acts;
      if (pass == 0) {
        acts = can & L::IsTurn(bout.turn_state, TurnState::AttackTurn);
        if (L::Any(acts)) {
          // A beating begun here is played whole where the cap leaves room
          // for it; near the cap, a tick at a time as the PummelStepIn below.
          Mask beatings = AttackStepIn(bout, dice, acts) &
                          (ticks <= static_cast<int32_t>(job.tick_cap) - kLongestBeating);
          if (L::Any(beatings))
            ticks += BeatingIn(bout, dice, beatings);
        }
      } else {
        acts = can & L::IsTurn(bout.turn_state, TurnState::ResponseTurn);
        if (L::Any(acts))
          ResponseStepIn(bout, dice, acts);
      }
      if (L::Any(pummels))
        PummelStepIn(bout, dice, pummels);
      ticks += L::One(acts | pummels);
    }

    // Battles that ended on these ticks, or reached the cap unfinished.
    Mask capped = playing & L::Not(bout.ended) & (ticks >= static_cast<int32_t>(job.tick_cap));
    Mask done = (playing & bout.ended) | capped;
    if (!L::Any(done))
      continue;
    bout.ended |= capped;
    for (uint32_t lanes = L::LaneBits(done); lanes != 0; lanes &= lanes - 1) {
      int lane = __builtin_ctz(lanes);
      uint64_t battle = battle_of[lane];
      bool first_attacks = bout.first_attacks[lane] != 0;
      bool attacker_lost = bout.attacker_hp[lane] <= 0;
      Winner winner = capped[lane]                     ? Winner::kUnfinished
                      : first_attacks == attacker_lost ? Winner::kSecond
                                                       : Winner::kFirst;
      job.outcomes[battle] =
          PackOutcome(static_cast<uint32_t>(ticks[lane]), static_cast<uint32_t>(winner));
      if (job.states_after)
        job.states_after[battle] = dice.state[lane];
      if (job.attributes) {
        // hp below 0 ended the battle; its line showed 0.
        int32_t attacker[2] = {std::max(bout.attacker_hp[lane], rules::kLowestHp),
                               bout.attacker_mp[lane]};
        int32_t defender[2] = {std::max(bout.defender_hp[lane], rules::kLowestHp),
                               bout.defender_mp[lane]};
        for (int i = 0; i < 2; ++i) {
          int at = i == 0 ? kHpAt : kMpAt;
          job.attributes[battle][at] = first_attacks ? attacker[i] : defender[i];
          job.attributes[battle][kAttributeCount + at] = first_attacks ? defender[i] : attacker[i];
        }
        for (int i = 0; i < kFixedCount; ++i) {
          job.attributes[battle][kFixedFrom + i] = bout.fixed[0][i][lane];
          job.attributes[battle][kAttributeCount + kFixedFrom + i] = bout.fixed[1][i][lane];
        }
      }
    }
  }
}

}  // namespace bramble::lab::lanes

#endif  // BRAMBLE_LAB_LANES_LANE_ENGINE_H_
