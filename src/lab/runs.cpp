#include "lab/runs.h"

#include <algorithm>

#include "console/ascii.h"
#include "lab/play.h"
#include "lab/silent_battle.h"

namespace bramble::lab {

namespace {

PairReport Report(PairReport::Kind kind, const std::string& name1, const std::string& name2,
                  Tally tally) {
  PairReport report;
  report.kind = kind;
  SilentBattle fighters(name1, name2);
  report.one = fighters.first();
  report.two = fighters.second();
  report.tally = std::move(tally);
  return report;
}

std::string NameProblem(const std::string& name) {
  if (name.empty())
    return "a name cannot be empty";
  if (std::any_of(name.begin(), name.end(), IsWhiteSpace))
    return "a name holds no blanks (the game reads names as words)";
  return {};
}

}  // namespace

std::string PairProblem(const std::string& name1, const std::string& name2) {
  for (const std::string* name : {&name1, &name2}) {
    std::string problem = NameProblem(*name);
    if (!problem.empty())
      return problem;
  }
  if (name1 == name2)
    return "the two names are the same; the game refuses a fight against oneself";
  return {};
}

PairReport SamplePair(const std::string& name1, const std::string& name2, uint64_t battles,
                      uint64_t seed, int threads, const ProgressFn& progress) {
  PairReport report =
      Report(PairReport::Kind::kSample, name1, name2,
             Play(name1, name2, BattlePlan::Sample(battles, seed), threads, progress));
  report.seed = seed;
  report.threads = threads;
  return report;
}

PairReport ExactPair(const std::string& name1, const std::string& name2,
                     std::vector<StateRange> ranges, int threads, const ProgressFn& progress) {
  // Each battle once, counted for every start state it stands for; the
  // progress is told in start states, as the caller counts them.
  Tally tally;
  uint64_t before = 0;
  for (const Stretch& stretch : Stretches(ranges)) {
    ProgressFn told;
    if (progress)
      told = [&](uint64_t done) { progress(before + done * stretch.weight()); };
    Tally played = Play(name1, name2, BattlePlan::Range(stretch.played.first, stretch.played.count),
                        threads, told);
    for (uint64_t time = 0; time < stretch.weight(); ++time)
      tally.Merge(played);
    before += stretch.played.count * stretch.weight();
  }
  PairReport report = Report(PairReport::Kind::kExact, name1, name2, std::move(tally));
  report.ranges = std::move(ranges);
  return report;
}

std::optional<PairReport> MergedPair(const std::vector<ExactPart>& parts, std::string* error) {
  std::optional<ExactPart> merged = MergeExactParts(parts, error);
  if (!merged)
    return std::nullopt;
  PairReport report =
      Report(PairReport::Kind::kExact, merged->name1, merged->name2, std::move(merged->tally));
  report.ranges = std::move(merged->ranges);
  return report;
}

RankReport SampleRank(const std::vector<std::string>& names, uint64_t battles, uint64_t seed,
                      int threads, const ProgressFn& progress) {
  RankReport report;
  report.ranking = RankNames(names, battles, seed, threads, progress);
  report.battles = battles;
  report.seed = seed;
  return report;
}

std::optional<RankReport> MergedRank(const std::vector<std::string>& names,
                                     std::vector<ExactPart> parts,
                                     const std::function<std::string(const std::string&)>& shown,
                                     std::string* error) {
  size_t n = names.size();
  size_t part_count = parts.size();
  std::vector<std::vector<std::vector<ExactPart>>> by_pair(n,
                                                           std::vector<std::vector<ExactPart>>(n));
  auto at = [&](const std::string& name) {
    return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
  };
  for (ExactPart& part : parts) {
    size_t i = at(part.name1);
    size_t j = at(part.name2);
    if (i >= n || j >= n || i >= j) {
      *error = "a part of the pair " + shown(part.name1) + " and " + shown(part.name2) +
               ", which is not a pair of the rank file in its order";
      return std::nullopt;
    }
    by_pair[i][j].push_back(std::move(part));
  }
  std::vector<PairResult> pairs;
  RankReport report;
  report.fewest = kStateCount;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      if (by_pair[i][j].empty()) {
        *error = "no part of the pair " + shown(names[i]) + " and " + shown(names[j]);
        return std::nullopt;
      }
      std::optional<ExactPart> merged = MergeExactParts(by_pair[i][j], error);
      if (!merged) {
        *error = shown(names[i]) + " and " + shown(names[j]) + ": " + *error;
        return std::nullopt;
      }
      uint64_t covered = Covered(merged->ranges);
      report.fewest = std::min(report.fewest, covered);
      report.most = std::max(report.most, covered);
      pairs.push_back({i, j, merged->tally.first_wins, merged->tally.second_wins, covered});
    }
  }
  report.ranking = RankPairs(names, pairs);
  report.parts = part_count;
  return report;
}

ReplayReport ReplaySummary(uint32_t state, const std::string& name1, const std::string& name2) {
  SilentBattle battle(name1, name2);
  ReplayReport report;
  report.state = state;
  report.one = battle.first();
  report.two = battle.second();
  report.result = battle.Run(state);
  report.hp1 = battle.first().hp;
  report.hp2 = battle.second().hp;
  return report;
}

}  // namespace bramble::lab
