#ifndef BRAMBLE_LAB_SVG_H_
#define BRAMBLE_LAB_SVG_H_

#include <ostream>

#include "lab/reports.h"

namespace bramble::lab {

/// Standalone SVG pictures of the reports, UTF-8, for a browser. Names are
/// written as escaped text, never as markup. Every bar and cell carries its
/// numbers as data- attributes and a tooltip.

/// The distribution of a pair's battle lengths (the bins of LengthBins),
/// with a title, both axes and their labels.
void WriteSvg(std::ostream& out, const PairReport& report);

/// The head-to-head matrix of a ranking as a heat map in the colours of
/// the terminal's, each cell labelled with its win rate.
void WriteSvg(std::ostream& out, const RankReport& report);

/// The step of a count axis with about `ticks` ticks up to `most`: 1, 2 or
/// 5 times a power of ten.
uint64_t AxisStep(uint64_t most, uint64_t ticks);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_SVG_H_
