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
#include "lab/request.h"

namespace bramble::lab {

/// What each of the lab's questions comes to, as data, for a match-up (or
/// a field of fighters) a front end met once (request.h). Every front end
/// (command line, browser) asks here; `playing` says how the battles are
/// played.

/// `battles` battles from the start states of a sample drawn with `seed`.
PairReport SamplePair(const MatchUp& match, uint64_t battles, uint64_t seed,
                      const Playing& playing);

/// Every start state of `ranges` (sorted, not overlapping), once; a
/// battle whose twin is in the ranges too is played once for both. The
/// progress is told in start states.
PairReport ExactPair(const MatchUp& match, std::vector<StateRange> ranges, const Playing& playing);

/// The exact report of shares of one pair added up; nothing, and why, for
/// shares of different pairs or that overlap.
std::optional<PairReport> MergedPair(const std::vector<ExactPart>& parts, Refusal* why);

/// A round robin of `battles` sampled battles per pair of the field.
RankReport SampleRank(const std::vector<Fighter>& field, uint64_t battles, uint64_t seed,
                      const Playing& playing);

/// The exact ranking of the field from shares of every pair (the earlier
/// fighter of the list as fighter one); nothing, and why, when a pair has
/// no share, a share is of no pair of the list, or a pair's shares do not
/// merge. `shown` writes a name for the reason.
std::optional<RankReport> MergedRank(const std::vector<Fighter>& field,
                                     std::vector<ExactPart> parts,
                                     const std::function<std::string(const std::string&)>& shown,
                                     Refusal* why);

/// How the battle from `state` goes, played silently.
ReplayReport ReplaySummary(uint32_t state, const MatchUp& match);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_RUNS_H_
