#ifndef BRAMBLE_LAB_EXACT_PARTS_H_
#define BRAMBLE_LAB_EXACT_PARTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/fighter.h"
#include "lab/start_states.h"
#include "lab/tally.h"

namespace bramble::lab {

/// Start states first .. first + count - 1.
struct StateRange {
  uint64_t first = 0;
  uint64_t count = 0;
  bool operator==(const StateRange&) const = default;
};

/// A start state and its twin, the state 2^31 above it, play the same
/// battle draw for draw: the generator's top bit reaches no lower bit, and
/// a draw reads bits 16 to 30 only. An exact run plays such a battle once
/// and counts it for both.
constexpr uint64_t kTwinDistance = kStateCount / 2;

/// Start states of the lower half, played once, standing for themselves
/// (`lower`), for their twins (`upper`), or for both.
struct Stretch {
  StateRange played;
  bool lower = false;
  bool upper = false;

  /// How many start states each battle played stands for: 1 or 2.
  uint64_t weight() const { return uint64_t{lower} + uint64_t{upper}; }
  /// The start states it stands for, in order.
  std::vector<StateRange> Covers() const;
  /// Its battles `from` .. `from + count - 1` as a stretch of their own.
  Stretch Part(uint64_t from, uint64_t count) const {
    return {{played.first + from, count}, lower, upper};
  }
};

/// The start states of `ranges` (sorted, not overlapping) as stretches,
/// each battle among them played once, in the order of the lower half.
std::vector<Stretch> Stretches(const std::vector<StateRange>& ranges);

/// Battles an exact run of `ranges` plays: a start state and its twin
/// share one.
uint64_t BattlesPlayed(const std::vector<StateRange>& ranges);

/// The stretches of `ranges` cut into calls of at most `most` battles
/// played: for each call, the start states it stands for (one range, or a
/// range and its twins). A page hands one call to a worker at a time.
std::vector<std::vector<StateRange>> ExactCalls(const std::vector<StateRange>& ranges,
                                                uint64_t most);

/// An exact run over some of the start states of one pair: a whole run, a
/// share of one spread over machines, or several shares added up.
struct ExactPart {
  Fighter one;  // built from the name's bytes (GBK) as read
  Fighter two;
  std::vector<StateRange> ranges;  // sorted, not overlapping
  Tally tally;
};

/// States the ranges cover.
uint64_t Covered(const std::vector<StateRange>& ranges);

/// Sorts the ranges; false when two of them overlap.
bool SortApart(std::vector<StateRange>* ranges);

struct Refusal;

/// Adds up parts of one pair. Refuses parts of different pairs and parts
/// whose ranges overlap, saying why.
std::optional<ExactPart> MergeExactParts(const std::vector<ExactPart>& parts, Refusal* why);

/// An exact run of `ranges` cut into `jobs` jobs whose battles played
/// differ by at most one (1 <= jobs <= BattlesPlayed(ranges)): for each
/// job, the start states it stands for, sorted, adjacent ones joined.
std::vector<std::vector<StateRange>> SplitRanges(const std::vector<StateRange>& ranges,
                                                 uint64_t jobs);

/// A word for a POSIX shell, in single quotes where it needs them.
std::string ShellQuote(std::string_view word);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_EXACT_PARTS_H_
