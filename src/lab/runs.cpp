#include "lab/runs.h"

#include <algorithm>

#include "lab/silent_battle.h"

namespace bramble::lab {

namespace {

PairReport Report(PairReport::Kind kind, const MatchUp& match, Tally tally) {
  PairReport report;
  report.kind = kind;
  report.one = match.one;
  report.two = match.two;
  report.tally = std::move(tally);
  return report;
}

}  // namespace

PairReport SamplePair(const MatchUp& match, uint64_t battles, uint64_t seed,
                      const Playing& playing) {
  PairReport report = Report(PairReport::Kind::kSample, match,
                             RunBattles(match, BattlePlan::Sample(battles, seed), playing));
  report.seed = seed;
  report.threads = playing.threads;
  return report;
}

PairReport ExactPair(const MatchUp& match, std::vector<StateRange> ranges, const Playing& playing) {
  // Each battle once, counted for every start state it stands for.
  Tally tally;
  uint64_t before = 0;
  for (const Stretch& stretch : Stretches(ranges)) {
    Playing told = playing;
    if (playing.progress)
      told.progress = [&](uint64_t done) { playing.progress(before + done * stretch.weight()); };
    Tally played =
        RunBattles(match, BattlePlan::Range(stretch.played.first, stretch.played.count), told);
    for (uint64_t time = 0; time < stretch.weight(); ++time)
      tally.Merge(played);
    before += stretch.played.count * stretch.weight();
  }
  PairReport report = Report(PairReport::Kind::kExact, match, std::move(tally));
  report.ranges = std::move(ranges);
  return report;
}

std::optional<PairReport> MergedPair(const std::vector<ExactPart>& parts, Refusal* why) {
  std::optional<ExactPart> merged = MergeExactParts(parts, why);
  if (!merged)
    return std::nullopt;
  // The fighters of a share are built from its names' bytes, as read.
  PairReport report =
      Report(PairReport::Kind::kExact, MatchUp{merged->one, merged->two}, std::move(merged->tally));
  report.ranges = std::move(merged->ranges);
  return report;
}

RankReport SampleRank(const std::vector<Fighter>& field, uint64_t battles, uint64_t seed,
                      const Playing& playing) {
  RankReport report;
  report.ranking = RankField(field, battles, seed, playing);
  report.battles = battles;
  report.seed = seed;
  return report;
}

std::optional<RankReport> MergedRank(const std::vector<Fighter>& field,
                                     std::vector<ExactPart> parts,
                                     const std::function<std::string(const std::string&)>& shown,
                                     Refusal* why) {
  size_t n = field.size();
  size_t part_count = parts.size();
  std::vector<std::vector<std::vector<ExactPart>>> by_pair(n,
                                                           std::vector<std::vector<ExactPart>>(n));
  auto at = [&](const std::string& name) {
    return static_cast<size_t>(
        std::find_if(field.begin(), field.end(), [&](const Fighter& f) { return f.name == name; }) -
        field.begin());
  };
  for (ExactPart& part : parts) {
    size_t i = at(part.one.name);
    size_t j = at(part.two.name);
    if (i >= n || j >= n || i >= j)
      return Refuse(why, Refusal::Kind::kMergePairs,
                    "a part of the pair " + shown(part.one.name) + " and " + shown(part.two.name) +
                        ", which is not a pair of the rank file in its order");
    by_pair[i][j].push_back(std::move(part));
  }
  std::vector<PairResult> pairs;
  RankReport report;
  report.fewest = kStateCount;
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const std::string pair = shown(field[i].name) + " and " + shown(field[j].name);
      if (by_pair[i][j].empty())
        return Refuse(why, Refusal::Kind::kMergePairs, "no part of the pair " + pair);
      std::optional<ExactPart> merged = MergeExactParts(by_pair[i][j], why);
      if (!merged) {
        why->text = pair + ": " + why->text;
        return std::nullopt;
      }
      uint64_t covered = Covered(merged->ranges);
      report.fewest = std::min(report.fewest, covered);
      report.most = std::max(report.most, covered);
      pairs.push_back({i, j, merged->tally.first_wins, merged->tally.second_wins, covered});
    }
  }
  report.ranking = RankPairs(field, pairs);
  report.parts = part_count;
  return report;
}

ReplayReport ReplaySummary(uint32_t state, const MatchUp& match) {
  SilentBattle battle(match);
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
