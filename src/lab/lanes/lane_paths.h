#ifndef BRAMBLE_LAB_LANES_LANE_PATHS_H_
#define BRAMBLE_LAB_LANES_LANE_PATHS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/match_up.h"
#include "lab/start_states.h"

namespace bramble::lab {

/// A batch of battles for the lane engine: one pair of fighters, the
/// start states in order, and where each battle's outcome goes. Plain data,
/// so that the files built for one instruction set share no code with the
/// rest.
struct LaneJob {
  int32_t first[kAttributeCount];   // fighter one's, in the order of kAttributes
  int32_t second[kAttributeCount];  // fighter two's
  const uint32_t* states = nullptr;
  uint64_t count = 0;
  /// Per battle: its ticks times 4 plus its Winner (see PackOutcome).
  uint32_t* outcomes = nullptr;
  /// Optional, per battle: the generator state after its last draw.
  uint32_t* states_after = nullptr;
  /// Optional, per battle: both fighters' attributes at its end.
  int32_t (*attributes)[2 * kAttributeCount] = nullptr;
  /// Battles still going after this many ticks are stopped unfinished.
  uint32_t tick_cap = kTickCap;
};

/// Plays every battle of a job.
using LanePlayer = void (*)(const LaneJob& job);

// Internal linkage: the files built for one instruction set use it too, and
// must never provide the copy that code for every processor calls.
static constexpr uint32_t PackOutcome(uint32_t ticks, uint32_t winner) {
  return ticks * 4 + winner;
}

/// The ways the lab can play its battles: one at a time, or 4, 8 or 16 in
/// the lanes of a vector (SSE4.1, NEON or WebAssembly SIMD; AVX2; AVX-512).
enum class LanePath { kScalar = 1, k4 = 4, k8 = 8, k16 = 16 };

/// "scalar", "4", "8" or "16".
std::string LanePathName(LanePath path);
/// The path a name stands for; nothing for any other text.
std::optional<LanePath> ParseLanePath(std::string_view name);

/// The lane paths this build holds whose instructions this processor has
/// (kScalar first; 4 nearly everywhere; 8 and 16 on x86-64 only).
std::vector<LanePath> RunnablePaths();

/// The player of a runnable lane path; nullptr for kScalar and for a path
/// that is not runnable here.
LanePlayer PlayerOf(LanePath path);

/// The widest runnable path.
LanePath WidestLanePath();

/// The path a caller asked for by name (`forced`, as the command line
/// takes it from BRAMBLE_LANES; empty for none): the widest runnable one
/// unless it names another. A name that is not a path, or a path this
/// processor cannot run, gets the widest and a warning for the caller to
/// show.
struct LaneChoice {
  LanePath path = LanePath::kScalar;
  std::string warning;  // a line, or empty
};
LaneChoice ChooseLanePath(std::string_view forced);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_LANES_LANE_PATHS_H_
