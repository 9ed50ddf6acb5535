#include "lab/rank.h"

#include <algorithm>
#include <map>

#include "console/ascii.h"
#include "lab/numbers.h"

namespace bramble::lab {

NameList ReadNames(std::string_view text, const std::function<std::string(std::string)>& decode) {
  NameList list;
  std::map<std::string, int> first_line;
  // Lines as std::getline splits them: a last line without its line feed
  // counts, nothing after a final line feed does.
  size_t at = 0;
  for (int number = 1; at < text.size(); ++number) {
    size_t line_end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, line_end - at);
    at = line_end + 1;
    size_t begin = 0;
    size_t end = line.size();
    while (begin < end && IsWhiteSpace(line[begin]))
      ++begin;
    while (end > begin && IsWhiteSpace(line[end - 1]))
      --end;
    if (begin == end)
      continue;
    std::string typed(line.substr(begin, end - begin));
    if (std::any_of(typed.begin(), typed.end(), IsWhiteSpace)) {
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
  if (list.names.size() < 2)
    list.error = "a ranking needs at least two names, found " + std::to_string(list.names.size());
  return list;
}

NameList ReadNames(std::istream& in, const std::function<std::string(std::string)>& decode) {
  std::string text;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
    text.append(chunk, static_cast<size_t>(in.gcount()));
  if (in.bad()) {
    NameList list;
    list.error = "the list of names could not be read";
    return list;
  }
  return ReadNames(text, decode);
}

Ranking RankPairs(const std::vector<Fighter>& field, const std::vector<PairResult>& pairs) {
  size_t count = field.size();
  std::vector<std::vector<Share>> share(count, std::vector<Share>(count));
  for (const PairResult& pair : pairs) {
    share[pair.first][pair.second] = {pair.first_wins, pair.battles};
    share[pair.second][pair.first] = {pair.second_wins, pair.battles};
  }

  Ranking ranking;
  ranking.rows.resize(count);
  for (size_t i = 0; i < count; ++i) {
    RankRow& row = ranking.rows[i];
    row.fighter = field[i];
    row.index = i;
    double sum = 0;
    bool even = true;  // every opponent played as often
    const uint64_t battles = share[i][i == 0 ? 1 % count : 0].battles;
    for (size_t j = 0; j < count; ++j) {
      if (j == i)
        continue;
      sum += share[i][j].Rate();
      even = even && share[i][j].battles == battles;
      row.total.wins += share[i][j].wins;
      row.total.battles += share[i][j].battles;
      if (share[i][j].wins > share[j][i].wins)
        ++row.beaten;
    }
    // With as many battles against each opponent, the mean of the rates is
    // the share of all battles won: one division of the counts, as exact
    // as a double holds it.
    row.mean_win_rate = even        ? Ratio(row.total.wins, row.total.battles)
                        : count > 1 ? sum / static_cast<double>(count - 1)
                                    : 0;
    row.interval = WilsonInterval(row.total.wins, row.total.battles);
  }
  std::stable_sort(
      ranking.rows.begin(), ranking.rows.end(),
      [](const RankRow& a, const RankRow& b) { return a.mean_win_rate > b.mean_win_rate; });
  for (const RankRow& row : ranking.rows) {
    std::vector<Share> line;
    for (const RankRow& column : ranking.rows)
      line.push_back(share[row.index][column.index]);
    ranking.matrix.push_back(std::move(line));
  }
  return ranking;
}

Ranking RankField(const std::vector<Fighter>& field, uint64_t battles, uint64_t seed,
                  const Playing& playing) {
  std::vector<PairResult> pairs;
  uint64_t done_before = 0;
  Playing each = playing;
  if (playing.progress)
    each.progress = [&](uint64_t done) { playing.progress(done_before + done); };
  for (size_t i = 0; i < field.size(); ++i) {
    for (size_t j = i + 1; j < field.size(); ++j) {
      Tally tally = RunBattles({field[i], field[j]}, BattlePlan::Sample(battles, seed), each);
      pairs.push_back({i, j, tally.first_wins, tally.second_wins, tally.battles()});
      done_before += battles;
    }
  }
  return RankPairs(field, pairs);
}

}  // namespace bramble::lab
