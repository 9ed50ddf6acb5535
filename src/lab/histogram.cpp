#include "lab/histogram.h"

#include <algorithm>
#include <cstdio>

namespace bramble::lab {

namespace {

constexpr uint32_t kMostBins = 24;

std::string BinLabel(const LengthBin& bin) {
  if (bin.low == bin.high)
    return std::to_string(bin.low);
  return std::to_string(bin.low) + "-" + std::to_string(bin.high);
}

// A bar of `eighths` eighths of a column: full blocks, then one partial.
std::string Bar(uint64_t eighths, bool unicode) {
  if (!unicode)
    return std::string((eighths + 4) / 8, '#');
  // U+2588 FULL BLOCK, then the left blocks from seven eighths down to one.
  static const char* const kBlocks[] = {"", "▏", "▎", "▍", "▌", "▋", "▊", "▉"};
  std::string bar;
  for (uint64_t i = 0; i < eighths / 8; ++i)
    bar += "█";
  return bar + kBlocks[eighths % 8];
}

}  // namespace

std::vector<LengthBin> LengthBins(const Tally& tally) {
  uint64_t finished = tally.finished();
  if (finished == 0)
    return {};
  uint32_t shortest = 0;
  uint32_t longest = 0;
  uint32_t cut = 0;  // the 99.9th percentile
  uint64_t seen = 0;
  for (uint32_t ticks = 1; ticks <= kTickCap; ++ticks) {
    uint64_t count = tally.LengthCount(ticks);
    if (count == 0)
      continue;
    if (shortest == 0)
      shortest = ticks;
    longest = ticks;
    seen += count;
    if (cut == 0 && seen * 1000 >= finished * 999)
      cut = ticks;
  }
  uint32_t width = (cut - shortest + kMostBins) / kMostBins;
  std::vector<LengthBin> bins;
  uint32_t low = shortest;
  for (; low <= cut; low += width)
    bins.push_back({low, std::min(low + width - 1, longest), 0});
  if (low <= longest)
    bins.push_back({low, longest, 0});
  for (LengthBin& bin : bins) {
    for (uint32_t ticks = bin.low; ticks <= bin.high; ++ticks)
      bin.count += tally.LengthCount(ticks);
  }
  return bins;
}

std::string HistogramText(const Tally& tally, int columns, bool unicode) {
  std::vector<LengthBin> bins = LengthBins(tally);
  if (bins.empty())
    return {};
  size_t label_width = 0;
  uint64_t most = 0;
  for (const LengthBin& bin : bins) {
    label_width = std::max(label_width, BinLabel(bin).size());
    most = std::max(most, bin.count);
  }
  // "  label | bar  12.34 %": the bar takes what the rest leaves.
  int fixed = static_cast<int>(label_width) + 2 + 3 + 9;
  uint64_t bar_columns = static_cast<uint64_t>(std::max(columns - fixed, 10));
  std::string text = "Battle lengths in ticks (" + std::to_string(tally.finished()) +
                     (tally.finished() == 1 ? " finished battle):\n" : " finished battles):\n");
  for (const LengthBin& bin : bins) {
    std::string label = BinLabel(bin);
    uint64_t eighths = (bin.count * bar_columns * 8 + most / 2) / most;
    std::string bar = Bar(eighths, unicode);
    size_t bar_shown = unicode ? (eighths + 7) / 8 : (eighths + 4) / 8;
    char share[16];
    std::snprintf(share, sizeof share, "%6.2f %%",
                  100.0 * static_cast<double>(bin.count) / static_cast<double>(tally.finished()));
    text += "  " + std::string(label_width - label.size(), ' ') + label + (unicode ? " │" : " |") +
            bar + std::string(bar_columns - bar_shown + 1, ' ') + share + "\n";
  }
  return text;
}

}  // namespace bramble::lab
