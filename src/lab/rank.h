#ifndef BRAMBLE_LAB_RANK_H_
#define BRAMBLE_LAB_RANK_H_

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "battle/fighter.h"
#include "lab/battle_run.h"

namespace bramble::lab {

struct NameList {
  std::vector<std::string> names;
  std::string error;  // set for bad input
};

/// Reads one name per line. Blank lines are skipped and blanks around a
/// name dropped; a line end may be CR LF. `decode` turns each name as typed
/// into the bytes the game works with. A name with white space inside (the
/// game reads names as words), a name given twice, or fewer than two names
/// is an error.
NameList ReadNames(std::istream& in, const std::function<std::string(std::string)>& decode);

struct RankRow {
  std::string name;
  Fighter fighter;
  double meanWinRate = 0;  // over all opponents, each weighted the same
  int beaten = 0;          // opponents it beats more often than not
};

/// Plays `battles` sampled battles for every pair of names (the earlier
/// name as fighter one) and ranks the names by mean win rate, best first.
/// `progress` gets the battles done over all pairs.
std::vector<RankRow> RankNames(const std::vector<std::string>& names, uint64_t battles,
                               uint64_t seed, int threads, const ProgressFn& progress);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_RANK_H_
