#ifndef BRAMBLE_LAB_TALLY_H_
#define BRAMBLE_LAB_TALLY_H_

#include <cstdint>
#include <vector>

#include "lab/silent_battle.h"

namespace bramble::lab {

/// What a run of battles adds up to: wins of each fighter, unfinished
/// battles, and how many finished battles lasted each number of ticks.
class Tally {
 public:
  void Add(const BattleResult& result) {
    switch (result.winner) {
      case Winner::kFirst:
        ++first_wins;
        break;
      case Winner::kSecond:
        ++second_wins;
        break;
      case Winner::kUnfinished:
        ++unfinished;
        return;
    }
    if (result.ticks >= lengths_.size())
      lengths_.resize(result.ticks + 1, 0);
    ++lengths_[result.ticks];
  }
  void Merge(const Tally& other);
  /// Adds `count` finished battles that lasted `ticks`, as read back from a
  /// saved tally; the wins are added apart.
  void AddLengths(uint32_t ticks, uint64_t count) {
    if (ticks >= lengths_.size())
      lengths_.resize(ticks + 1, 0);
    lengths_[ticks] += count;
  }

  uint64_t battles() const { return first_wins + second_wins + unfinished; }
  uint64_t finished() const { return first_wins + second_wins; }
  /// Over finished battles; 0 when there are none.
  double MeanTicks() const;
  /// Over finished battles, the mean of the two middle ones for an even
  /// count; 0 when there are none.
  double MedianTicks() const;
  /// Finished battles that ended on tick `ticks`.
  uint64_t LengthCount(uint32_t ticks) const {
    return ticks < lengths_.size() ? lengths_[ticks] : 0;
  }

  uint64_t first_wins = 0;
  uint64_t second_wins = 0;
  uint64_t unfinished = 0;

 private:
  // The battle that ends on the n-th tick of the sorted lengths, n from 0.
  uint32_t NthLength(uint64_t n) const;

  // Index: ticks, 1..kTickCap. It grows to the longest battle seen, so a
  // tally of a few short battles stays small (one per worker thread).
  std::vector<uint64_t> lengths_;
};

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_TALLY_H_
