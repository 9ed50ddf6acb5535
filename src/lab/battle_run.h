#ifndef BRAMBLE_LAB_BATTLE_RUN_H_
#define BRAMBLE_LAB_BATTLE_RUN_H_

#include <cstdint>
#include <functional>
#include <string_view>

#include "battle/fighter.h"
#include "lab/lanes/lane_paths.h"
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

/// A lane job for one pair: both fighters' attributes, as built.
LaneJob JobFor(const Fighter& one, const Fighter& two);

/// Called about ten times a second on the calling thread with the number
/// of battles done so far.
using ProgressFn = std::function<void(uint64_t done)>;

/// Plays every battle of `plan` between the two names on `threads` worker
/// threads (at least one) and adds them up. The result does not depend on
/// the thread count.
/// The battles are played on the lane path ChosenLanePath() picks.
Tally RunBattles(std::string_view name1, std::string_view name2, const BattlePlan& plan,
                 int threads, const ProgressFn& progress = nullptr);
/// The same on a given lane path; kScalar, or a path this processor cannot
/// run, plays one battle at a time by the game's own rules (SilentBattle).
Tally RunBattlesOn(LanePath path, std::string_view name1, std::string_view name2,
                   const BattlePlan& plan, int threads, const ProgressFn& progress = nullptr);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_BATTLE_RUN_H_
