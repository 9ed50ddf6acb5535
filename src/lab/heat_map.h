#ifndef BRAMBLE_LAB_HEAT_MAP_H_
#define BRAMBLE_LAB_HEAT_MAP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "console/terminal.h"
#include "lab/rank.h"

namespace bramble::lab {

/// Text in one console colour attribute.
struct Segment {
  uint16_t attribute = terminal::kDefaultAttribute;
  std::string text;
};

/// The background colour of a win rate: red for a heavy loss through
/// yellow near even to green for a heavy win, in five steps, each with a
/// foreground that reads on it.
uint16_t HeatColour(double rate);

/// The head-to-head matrix of a ranking as a heat map: every cell holds the
/// row's win rate against the column in per cent, on its HeatColour, so it
/// reads the same with the colours off. GBK text.
std::vector<Segment> HeatMap(const Ranking& ranking);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_HEAT_MAP_H_
