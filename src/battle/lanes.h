#ifndef BRAMBLE_BATTLE_LANES_H_
#define BRAMBLE_BATTLE_LANES_H_

// The battle rules are written once, over a lane type: the values they
// work on (attributes, rolls, generator states) and the choices between
// paths. OneLane is one battle in plain integers, what the game and the
// lab's scalar engine play; the lab's lane engine instantiates the same
// rules over vectors of 4, 8 or 16 battles (lab/lanes/vector_lanes.h).
//
// A lane type L gives:
//   Int, Bits, Mask, Kind   signed values, generator states, per-lane
//                           conditions, action kinds
//   Any(m), Not(m)          whether any lane holds m; the negation
//   Choose(m, a, b)         a where m holds, b elsewhere (no jump)
//   Only(m, x)              x where m holds, 0 elsewhere
//   One(m)                  1 where m holds, 0 elsewhere
//   Advance(s), Output(s)   one generator step; the 15-bit output of a state
//   Scale(k, a, b)          RandomInt(a, b) for output k
//   Percent(roll, base)     PercentOf
//   Check(roll, attr, t)    AttributeCheck
//   Over100(a, b)           a * b / 100, truncated
//   FloorTimesF(roll, atk)  floor(float(roll * atk * 0.01f))
//   Clamp(x, lo, hi), Abs(x)
//   KindOf(kind), Is(kind, which), TurnOf(state), IsTurn(turn, which)
// Every rule takes the mask of the lanes it acts in: a lane outside it
// keeps its values and makes no draw.

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "battle/action.h"
#include "battle/random.h"

namespace bramble {

/// Which step the next tick of a battle performs.
enum class TurnState : int32_t { AttackTurn = 0, ResponseTurn = 1, PummelTurn = 2 };

/// One battle in plain integers. A mask is a bool, Any is the bool itself,
/// so a rule's rare path is an ordinary branch.
struct OneLane {
  static constexpr int kWidth = 1;
  using Int = int32_t;
  using Bits = uint32_t;
  using Mask = bool;
  using Kind = ActionKind;
  using Turn = TurnState;

  static constexpr Mask kAll = true;
  static bool Any(Mask m) { return m; }
  static Mask Not(Mask m) { return !m; }
  template <class T>
  static T Choose(Mask m, T a, T b) {
    return Select(m, a, b);
  }
  static Int Only(Mask m, Int x) { return Select(m, x, 0); }
  static Int One(Mask m) { return m ? 1 : 0; }

  static Bits Advance(Bits state) { return state * 214013u + 2531011u; }
  static Bits Output(Bits state) { return (state >> 16) & 0x7FFFu; }
  static Int Scale(Bits k, int32_t a, int32_t b) { return ScaleOutput(k, a, b); }
  static Int Percent(Int roll, Int base) { return PercentOf(roll, base); }
  static Mask Check(Int roll, Int attribute, int32_t threshold) {
    return AttributeCheck(roll, attribute, threshold);
  }
  static Int Over100(Int a, Int b) {
    return static_cast<int32_t>(static_cast<int64_t>(a) * b / 100);
  }
  static Int FloorTimesF(Int roll, Int atk) {
    double exact = static_cast<double>(static_cast<int64_t>(roll) * atk) * 0.01f;
    return TruncateToInt32(std::floor(static_cast<float>(exact)));
  }
  static Int Clamp(Int x, int32_t lo, int32_t hi) { return x < lo ? lo : (x > hi ? hi : x); }
  static Int Abs(Int x) { return std::abs(x); }

  static Kind KindOf(ActionKind kind) { return kind; }
  static Mask Is(Kind kind, ActionKind which) { return kind == which; }
  static Turn TurnOf(TurnState turn) { return turn; }
  static Mask IsTurn(Turn turn, TurnState which) { return turn == which; }
};

/// A rule's draw in the lanes of `m`: those lanes take one step of their
/// generator; the others keep theirs. RandomInt(a, b) in the lanes of m.
template <class L, class Dice>
typename L::Int DrawIn(Dice& dice, typename L::Mask m, int32_t a, int32_t b) {
  typename L::Bits state = dice.State();
  typename L::Bits next = L::Advance(state);
  dice.SetState(L::Choose(m, next, state));
  return L::Scale(L::Output(next), a, b);
}

/// The next four draws of a generator, read ahead without taking them. A
/// rule whose paths make different draws reads the draws its common paths
/// need, picks its path without a jump (Choose), and then takes as many
/// draws as that path made: the draws and their order are exactly those of
/// the path drawn one by one.
template <class L>
class BasicDrawsAhead {
 public:
  using Int = typename L::Int;
  using Bits = typename L::Bits;

  explicit BasicDrawsAhead(Bits state) {
    for (int i = 0; i < kCount; ++i) {
      state = L::Advance(state);
      output_[i] = L::Output(state);
      after_[i] = state;
    }
  }
  /// The output of the path's draw number `i` (from 0), for Scale.
  Bits Output(int i) const { return output_[i]; }
  /// RandomInt(a, b) as the path's draw number `i` would give it.
  Int Draw(int i, int32_t a, int32_t b) const { return L::Scale(output_[i], a, b); }
  /// The same for a draw number that differs from lane to lane (1 to 3).
  Int DrawAt(Int i, int32_t a, int32_t b) const { return L::Scale(Pick(output_, i, 1), a, b); }
  /// The generator state once `count` draws (1 to 4) are taken.
  Bits StateAfter(int count) const { return after_[count - 1]; }
  Bits StateAfterAt(Int count) const { return Pick(after_, count - 1, 0); }

 private:
  static constexpr int kCount = 4;
  // from[i] in each lane, for an i of at least `lowest`.
  static Bits Pick(const Bits (&from)[kCount], Int i, int lowest) {
    if constexpr (L::kWidth == 1) {
      return from[i];
    } else {
      Bits picked = from[lowest];
      for (int k = lowest + 1; k < kCount; ++k)
        picked = L::Choose(i == k, from[k], picked);
      return picked;
    }
  }
  Bits output_[kCount];
  Bits after_[kCount];
};

using DrawsAhead = BasicDrawsAhead<OneLane>;

}  // namespace bramble

#endif  // BRAMBLE_BATTLE_LANES_H_
