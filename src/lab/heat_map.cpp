#include "lab/heat_map.h"

#include <algorithm>
#include <cstdio>

namespace bramble::lab {

namespace {

constexpr size_t kCell = 7;

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

uint16_t HeatColour(double rate) {
  // Console attributes: background in bits 4-7, foreground in bits 0-3.
  if (rate < 0.2)
    return 0x4F;  // white on red
  if (rate < 0.4)
    return 0xC0;  // black on light red
  if (rate < 0.6)
    return 0xE0;  // black on yellow
  if (rate < 0.8)
    return 0xA0;  // black on light green
  return 0x2F;    // white on green
}

std::vector<Segment> HeatMap(const Ranking& ranking) {
  size_t width = 4;
  for (const RankRow& row : ranking.rows)
    width = std::max(width, row.name.size());
  std::vector<Segment> map;
  auto plain = [&map](std::string text) {
    map.push_back({terminal::kDefaultAttribute, std::move(text)});
  };

  plain("Head to head: how often the row's name beats the column's, in %\n");
  std::string header(4 + 2 + width + 1, ' ');
  for (size_t c = 0; c < ranking.rows.size(); ++c)
    header += PadLeft(std::to_string(c + 1), kCell - 1) + " ";
  plain(header + "\n");
  for (size_t r = 0; r < ranking.rows.size(); ++r) {
    const std::string& name = ranking.rows[r].name;
    plain(PadLeft(std::to_string(r + 1), 4) + "  " + name + std::string(width - name.size(), ' ') +
          " ");
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
  for (double rate : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    static const char* const kRanges[] = {" <20 ", " 20-40 ", " 40-60 ", " 60-80 ", " >=80 "};
    plain(" ");
    map.push_back({HeatColour(rate), kRanges[static_cast<int>(rate * 5)]});
  }
  plain("\n");
  return map;
}

}  // namespace bramble::lab
