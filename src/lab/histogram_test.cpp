#include "lab/histogram.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bramble::lab {
namespace {

Tally Lengths(const std::vector<std::pair<uint32_t, int>>& counts) {
  Tally tally;
  for (const auto& [ticks, count] : counts) {
    for (int i = 0; i < count; ++i)
      tally.Add({Winner::kFirst, ticks});
  }
  return tally;
}

// Columns a line of the histogram takes: block characters and the bar's
// edge are two GBK bytes but one column.
size_t Columns(const std::string& line) {
  size_t columns = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (static_cast<unsigned char>(line[i]) >= 0x80)
      ++i;
    ++columns;
  }
  return columns;
}

TEST(Histogram, BinsCoverEveryFinishedBattleOnce) {
  const std::vector<std::vector<std::pair<uint32_t, int>>> cases = {
      {{7, 3}},                           // one length
      {{5, 10}, {6, 20}, {90, 1}},        // a gap
      {{10, 500}, {11, 499}, {3000, 1}},  // a far tail beyond the 99.9th percentile
      {{1, 1}, {100000, 1}},              // the extremes
  };
  for (const auto& counts : cases) {
    Tally tally = Lengths(counts);
    std::vector<LengthBin> bins = LengthBins(tally);
    ASSERT_FALSE(bins.empty());
    EXPECT_LE(bins.size(), 26u);
    EXPECT_EQ(bins.front().low, counts.front().first);
    EXPECT_EQ(bins.back().high, counts.back().first);
    uint64_t total = 0;
    for (size_t i = 0; i < bins.size(); ++i) {
      EXPECT_LE(bins[i].low, bins[i].high);
      if (i > 0) {
        EXPECT_EQ(bins[i].low, bins[i - 1].high + 1);
      }
      total += bins[i].count;
    }
    EXPECT_EQ(total, tally.finished());
  }
  EXPECT_TRUE(LengthBins(Tally()).empty());
}

TEST(Histogram, FitsTheWidthAndTheLongestBarFillsIt) {
  Tally tally = Lengths({{4, 2}, {9, 40}, {12, 13}, {30, 1}});
  for (bool unicode : {false, true}) {
    for (int columns : {40, 80, 200}) {
      SCOPED_TRACE(std::to_string(columns) + (unicode ? " unicode" : " ascii"));
      std::istringstream text(HistogramText(tally, columns, unicode));
      std::string line;
      std::getline(text, line);  // the heading
      size_t widest = 0;
      while (std::getline(text, line)) {
        EXPECT_LT(Columns(line), static_cast<size_t>(columns));
        widest = std::max(widest, Columns(line.substr(0, line.rfind('%'))));
        if (!unicode) {
          EXPECT_EQ(line.find_first_not_of("0123456789-|# .%", 0), std::string::npos) << line;
        }
      }
      EXPECT_EQ(widest, static_cast<size_t>(columns - 2));
      EXPECT_NE(HistogramText(tally, columns, unicode).find(unicode ? "█" : "####"),
                std::string::npos);
    }
  }
}

TEST(Histogram, HeadingCountsTheFinishedBattles) {
  for (auto [battles, heading] :
       {std::pair{1, "(1 finished battle):"}, {2, "(2 finished battles):"}}) {
    std::string text = HistogramText(Lengths({{7, battles}}), 80, false);
    EXPECT_EQ(text.substr(0, text.find('\n')), std::string("Battle lengths in ticks ") + heading);
  }
}

}  // namespace
}  // namespace bramble::lab
