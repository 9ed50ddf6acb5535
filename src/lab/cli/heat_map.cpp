#include "lab/cli/heat_map.h"

#include <algorithm>
#include <cstdio>

#include "lab/cli/report.h"

namespace bramble::lab {

namespace {

constexpr size_t kCell = 7;

}  // namespace

std::vector<Segment> HeatMap(const Ranking& ranking) {
  size_t width = 4;
  for (const RankRow& row : ranking.rows)
    width = std::max(width, row.fighter.name.size());
  std::vector<Segment> map;
  auto plain = [&map](std::string text) { map.push_back({kDefaultAttribute, std::move(text)}); };

  plain("Head to head: how often the row's name beats the column's, in %\n");
  std::string header(4 + 2 + width + 1, ' ');
  for (size_t c = 0; c < ranking.rows.size(); ++c)
    header += PadLeft(std::to_string(c + 1), kCell - 1) + " ";
  plain(header + "\n");
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const std::string& name = ranking.rows[r].fighter.name;
    plain(PadLeft(std::to_string(r + 1), 4) + "  " + PadRight(name, width) + " ");
    for (size_t c = 0; c < ranking.rows.size(); ++c) {
      if (c == r) {
        plain(PadLeft("-", kCell - 1) + " ");
        continue;
      }
      double rate = ranking.matrix[r][c].Rate();
      char cell[16];
      std::snprintf(cell, sizeof cell, "%6.1f ", rate * 100);
      map.push_back({HeatColour(rate), cell});
    }
    plain("\n");
  }
  plain("  colours:");
  for (size_t i = 0; i < HeatSteps().size(); ++i) {
    plain(" ");
    map.push_back({HeatSteps()[i].attribute, " " + HeatRange(i) + " "});
  }
  plain("\n");
  return map;
}

}  // namespace bramble::lab
