#ifndef BRAMBLE_LAB_RANK_H_
#define BRAMBLE_LAB_RANK_H_

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "battle/fighter.h"
#include "lab/battle_run.h"
#include "lab/wilson.h"

namespace bramble::lab {

struct NameList {
  std::vector<std::string> names;
  std::string error;  // set for bad input
};

/// Reads one name per line. Blank lines are skipped and blanks around a
/// name dropped; a line end may be CR LF. `decode` turns each name as typed
/// into the bytes the game works with. A name with white space inside (the
/// game reads names as words), a name given twice, or fewer than two names
/// is an error. The browser's lab reads the names from text, the command
/// line from a stream (where a failed read is an error too).
NameList ReadNames(std::string_view text, const std::function<std::string(std::string)>& decode);
NameList ReadNames(std::istream& in, const std::function<std::string(std::string)>& decode);

/// Wins of one name against another, out of the battles they played.
struct Share {
  uint64_t wins = 0;
  uint64_t battles = 0;
  double Rate() const {
    return battles ? static_cast<double>(wins) / static_cast<double>(battles) : 0;
  }
};

/// What one pair of names came to: `first` and `second` index the list of
/// names (the earlier name is fighter one).
struct PairResult {
  size_t first = 0;
  size_t second = 0;
  uint64_t first_wins = 0;
  uint64_t second_wins = 0;
  uint64_t battles = 0;  // unfinished ones included
};

struct RankRow {
  Fighter fighter;
  size_t index = 0;          // its place in the list of names
  double mean_win_rate = 0;  // over all opponents, each weighted the same
  Share total;               // all its battles, against every opponent
  Interval interval;         // 95 % Wilson interval of its win rate
  int beaten = 0;            // opponents it beats more often than not
};

/// A round-robin, best first, and the head-to-head matrix in the same
/// order: matrix[r][c] is how row r's name fared against column c's.
struct Ranking {
  std::vector<RankRow> rows;
  std::vector<std::vector<Share>> matrix;
};

/// Ranks the fighters of a field by mean win rate from the results of
/// every pair.
Ranking RankPairs(const std::vector<Fighter>& field, const std::vector<PairResult>& pairs);

/// Plays `battles` sampled battles for every pair of the field (the
/// earlier fighter as fighter one) and ranks them. The progress is told
/// in battles over all pairs.
Ranking RankField(const std::vector<Fighter>& field, uint64_t battles, uint64_t seed,
                  const Playing& playing);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_RANK_H_
