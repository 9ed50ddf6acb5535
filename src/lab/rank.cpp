#include "lab/rank.h"

#include <algorithm>
#include <map>

namespace bramble::lab {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

NameList ReadNames(std::istream& in, const std::function<std::string(std::string)>& decode) {
  NameList list;
  std::map<std::string, int> first_line;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    size_t begin = 0;
    size_t end = line.size();
    while (begin < end && IsBlank(line[begin]))
      ++begin;
    while (end > begin && IsBlank(line[end - 1]))
      --end;
    if (begin == end)
      continue;
    std::string typed = line.substr(begin, end - begin);
    if (std::any_of(typed.begin(), typed.end(), IsBlank)) {
      list.error = "line " + std::to_string(number) +
                   ": a name holds no blanks (the game reads names as words)";
      return list;
    }
    std::string name = decode(typed);
    auto [it, added] = first_line.emplace(name, number);
    if (!added) {
      list.error = "line " + std::to_string(number) + " repeats the name on line " +
                   std::to_string(it->second);
      return list;
    }
    list.names.push_back(std::move(name));
  }
  if (in.bad()) {
    list.error = "the list of names could not be read";
  } else if (list.names.size() < 2) {
    list.error = "a ranking needs at least two names, found " + std::to_string(list.names.size());
  }
  return list;
}

std::vector<RankRow> RankNames(const std::vector<std::string>& names, uint64_t battles,
                               uint64_t seed, int threads, const ProgressFn& progress) {
  size_t count = names.size();
  std::vector<std::vector<double>> rate(count, std::vector<double>(count, 0));
  uint64_t done_before = 0;
  ProgressFn pair_progress;
  if (progress)
    pair_progress = [&](uint64_t done) { progress(done_before + done); };
  for (size_t i = 0; i < count; ++i) {
    for (size_t j = i + 1; j < count; ++j) {
      Tally tally = RunBattles(names[i], names[j], BattlePlan::Sample(battles, seed), threads,
                               pair_progress);
      double n = static_cast<double>(tally.battles());
      rate[i][j] = static_cast<double>(tally.firstWins) / n;
      rate[j][i] = static_cast<double>(tally.secondWins) / n;
      done_before += battles;
    }
  }

  std::vector<RankRow> rows(count);
  for (size_t i = 0; i < count; ++i) {
    rows[i].name = names[i];
    rows[i].fighter.Build(names[i]);
    double sum = 0;
    for (size_t j = 0; j < count; ++j) {
      if (j == i)
        continue;
      sum += rate[i][j];
      if (rate[i][j] > rate[j][i])
        ++rows[i].beaten;
    }
    rows[i].meanWinRate = sum / static_cast<double>(count - 1);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const RankRow& a, const RankRow& b) {
    return a.meanWinRate > b.meanWinRate;
  });
  return rows;
}

}  // namespace bramble::lab
