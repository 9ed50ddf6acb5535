#ifndef BRAMBLE_LAB_REPORTS_H_
#define BRAMBLE_LAB_REPORTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "battle/fighter.h"
#include "lab/exact_parts.h"
#include "lab/rank.h"
#include "lab/tally.h"

namespace bramble::lab {

/// The lab's results as data: what every writer (text, JSON, CSV, SVG)
/// draws from, and what a JSON document reads back into.

/// One pair: a sample of start states, or an exact run over some ranges.
struct PairReport {
  enum class Kind { kSample, kExact };
  Kind kind = Kind::kSample;
  Fighter one;
  Fighter two;
  Tally tally;
  uint64_t seed = 0;               // kSample
  int threads = 1;                 // kSample: as it ran
  std::vector<StateRange> ranges;  // kExact
};

/// A round robin: sampled (battles and seed), or exact from merged shares.
struct RankReport {
  Ranking ranking;
  std::optional<uint64_t> battles;  // per pair, for a sample
  std::optional<uint64_t> seed;     // for a sample
  uint64_t fewest = 0;              // exact: states of the least covered pair
  uint64_t most = 0;                // exact: states of the most covered pair
  size_t parts = 0;                 // exact: shares merged; 0 when not known

  /// "Round-robin of 3 names, 2000 battles per pair (seed 1)" and the like.
  std::string Heading() const;
};

/// How the battle from `state` went: the fighters as they began, who won
/// after how many ticks, and their HP at the end.
struct ReplayReport {
  uint32_t state = 0;
  Fighter one;
  Fighter two;
  BattleResult result;
  int32_t hp1 = 0;
  int32_t hp2 = 0;
};

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_REPORTS_H_
