#ifndef BRAMBLE_LAB_HISTOGRAM_H_
#define BRAMBLE_LAB_HISTOGRAM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "lab/tally.h"

namespace bramble::lab {

/// Finished battles that lasted `low` to `high` ticks, both included.
struct LengthBin {
  uint32_t low = 0;
  uint32_t high = 0;
  uint64_t count = 0;
};

/// The battle lengths of a tally in at most about 24 bins of equal width,
/// from the shortest battle to the 99.9th percentile; longer battles, if
/// any, share one last bin that reaches to the longest. Empty when no
/// battle finished.
std::vector<LengthBin> LengthBins(const Tally& tally);

/// The bins as a histogram `columns` wide: one row per bin with its ticks,
/// a bar and its share of the finished battles. Bars are drawn with block
/// characters (eighths of a column) when `unicode`, with '#' otherwise.
/// GBK text; nothing when no battle finished.
std::string HistogramText(const Tally& tally, int columns, bool unicode);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_HISTOGRAM_H_
