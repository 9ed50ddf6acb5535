#ifndef BRAMBLE_LAB_CLI_HEAT_MAP_H_
#define BRAMBLE_LAB_CLI_HEAT_MAP_H_

#include <cstdint>
#include <string>
#include <vector>

#include "console/console.h"
#include "lab/heat_scale.h"
#include "lab/rank.h"

namespace bramble::lab {

/// Text in one console colour attribute.
struct Segment {
  uint16_t attribute = kDefaultAttribute;
  std::string text;
};

/// The head-to-head matrix of a ranking as a heat map: every cell holds the
/// row's win rate against the column in per cent, on its HeatColour, so it
/// reads the same with the colours off. GBK text.
std::vector<Segment> HeatMap(const Ranking& ranking);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_HEAT_MAP_H_
