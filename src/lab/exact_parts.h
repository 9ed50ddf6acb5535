#ifndef BRAMBLE_LAB_EXACT_PARTS_H_
#define BRAMBLE_LAB_EXACT_PARTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/start_states.h"
#include "lab/tally.h"

namespace bramble::lab {

/// Start states first .. first + count - 1.
struct StateRange {
  uint64_t first = 0;
  uint64_t count = 0;
};

/// An exact run over some of the start states of one pair: a whole run, a
/// share of one spread over machines, or several shares added up.
struct ExactPart {
  std::string name1;  // GBK, fighter one
  std::string name2;
  std::vector<StateRange> ranges;  // sorted, not overlapping
  Tally tally;
};

/// States the ranges cover.
uint64_t Covered(const std::vector<StateRange>& ranges);

/// Sorts the ranges; false when two of them overlap.
bool SortApart(std::vector<StateRange>* ranges);

/// Adds up parts of one pair. Refuses parts of different pairs and parts
/// whose ranges overlap, saying why in `error`.
std::optional<ExactPart> MergeExactParts(const std::vector<ExactPart>& parts, std::string* error);

/// `range` cut into `jobs` consecutive ranges whose sizes differ by at most
/// one state (1 <= jobs <= range.count).
std::vector<StateRange> SplitRange(StateRange range, uint64_t jobs);

/// A word for a POSIX shell, in single quotes where it needs them.
std::string ShellQuote(std::string_view word);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_EXACT_PARTS_H_
