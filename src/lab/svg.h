#ifndef BRAMBLE_LAB_SVG_H_
#define BRAMBLE_LAB_SVG_H_

#include <string>

#include "battle/fighter.h"
#include "lab/rank.h"
#include "lab/tally.h"

namespace bramble::lab {

/// Standalone SVG pictures of the reports, UTF-8, for a browser. Every bar
/// and cell carries its numbers as data- attributes and a tooltip.

/// The distribution of battle lengths of a pair (the bins of LengthBins),
/// with a title, both axes and their labels.
std::string HistogramSvg(const Fighter& one, const Fighter& two, const Tally& tally,
                         const std::string& subtitle);

/// The head-to-head matrix of a ranking as a heat map in the colours of
/// the terminal's, each cell labelled with its win rate.
std::string HeatMapSvg(const Ranking& ranking, const std::string& subtitle);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_SVG_H_
