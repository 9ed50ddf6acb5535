#ifndef BRAMBLE_LAB_RUNS_H_
#define BRAMBLE_LAB_RUNS_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lab/battle_run.h"
#include "lab/exact_parts.h"
#include "lab/reports.h"

namespace bramble::lab {

/// What each of the lab's questions comes to, as data. Names are the
/// game's bytes (GBK); `threads` is at least one, and one plays on the
/// calling thread. Every front end (command line, browser) asks here.

/// Why two names cannot fight (empty, holding blanks, the same name twice);
/// empty when they can.
std::string PairProblem(const std::string& name1, const std::string& name2);

/// `battles` battles from the start states of a sample drawn with `seed`.
PairReport SamplePair(const std::string& name1, const std::string& name2, uint64_t battles,
                      uint64_t seed, int threads, const ProgressFn& progress = nullptr);

/// Every start state of `ranges` (sorted, not overlapping), once; a
/// battle whose twin is in the ranges too is played once for both.
PairReport ExactPair(const std::string& name1, const std::string& name2,
                     std::vector<StateRange> ranges, int threads,
                     const ProgressFn& progress = nullptr);

/// The exact report of shares of one pair added up; nothing, with the
/// reason in `error`, for shares of different pairs or that overlap.
std::optional<PairReport> MergedPair(const std::vector<ExactPart>& parts, std::string* error);

/// A round robin of `battles` sampled battles per pair.
RankReport SampleRank(const std::vector<std::string>& names, uint64_t battles, uint64_t seed,
                      int threads, const ProgressFn& progress = nullptr);

/// The exact ranking of `names` from shares of every pair (the earlier
/// name of the list as fighter one); nothing, with the reason in `error`,
/// when a pair has no share, a share is of no pair of the list, or a
/// pair's shares do not merge.
/// `shown` writes a name for the reason.
std::optional<RankReport> MergedRank(const std::vector<std::string>& names,
                                     std::vector<ExactPart> parts,
                                     const std::function<std::string(const std::string&)>& shown,
                                     std::string* error);

/// How the battle from `state` goes, played silently.
ReplayReport ReplaySummary(uint32_t state, const std::string& name1, const std::string& name2);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_RUNS_H_
