#ifndef BRAMBLE_LAB_BATTLE_RUN_H_
#define BRAMBLE_LAB_BATTLE_RUN_H_

#include <cstdint>
#include <functional>

#include "lab/lanes/lane_paths.h"
#include "lab/match_up.h"
#include "lab/tally.h"

namespace bramble::lab {

/// Which start states a run plays: a random sample, or a range of states
/// taken in order (all 2^32 of them for an exact answer).
struct BattlePlan {
  enum class Kind { kSample, kRange };

  static BattlePlan Sample(uint64_t count, uint64_t seed) {
    return {Kind::kSample, count, seed, 0};
  }
  static BattlePlan Range(uint64_t first, uint64_t count) {
    return {Kind::kRange, count, 0, first};
  }
  /// The start state of battle `index` (0 .. count - 1). A sample's states
  /// depend on the seed and the index only, never on the thread count.
  uint32_t StateOf(uint64_t index) const;
  /// Battles `from` .. `from + count - 1` of this plan as a plan of their
  /// own: the same start states, in the same order.
  BattlePlan Part(uint64_t from, uint64_t count) const;

  Kind kind = Kind::kSample;
  uint64_t count = 0;
  uint64_t seed = 0;   // kSample
  uint64_t first = 0;  // kRange; first + count <= 2^32
};

/// A well-mixed 32-bit start state for battle `index` of a sample.
uint32_t SampleState(uint64_t seed, uint64_t index);

/// A lane job for one match-up: both fighters' attributes in the order of
/// kAttributes.
LaneJob JobFor(const MatchUp& match);

/// Called with the number of battles done so far: about ten times a second
/// from the calling thread, or after each piece of a one-thread run.
using ProgressFn = std::function<void(uint64_t done)>;

/// How a run plays its battles: the lane path its caller chose, and the
/// worker threads (one plays on the calling thread, without a worker).
struct Playing {
  LanePath lanes = LanePath::kScalar;
  int threads = 1;
  ProgressFn progress = nullptr;
};

/// Battles a one-thread run plays between two calls of its progress: a
/// program without threads (the browser's) runs any plan in such pieces.
constexpr uint64_t kPiece = uint64_t{1} << 16;

/// Plays every battle of `plan` of the match-up and adds them up. The
/// result does not depend on the thread count or the lane path: kScalar,
/// or a path this processor cannot run, plays one battle at a time by the
/// game's own rules (SilentBattle).
Tally RunBattles(const MatchUp& match, const BattlePlan& plan, const Playing& playing);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_BATTLE_RUN_H_
