#include "lab/cli/report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "lab/match_up.h"
#include "lab/numbers.h"
#include "lab/wilson.h"

namespace bramble::lab {

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

size_t NameWidth(const Fighter& one, const Fighter& two) {
  return std::max<size_t>({one.name.size(), two.name.size(), 4});
}

std::string LengthLine(const Tally& tally) {
  if (tally.finished() == 0)
    return "Battle length: no battle finished\n";
  return "Battle length in ticks (first attack to defeat line): mean " +
         Format("%.2f", tally.MeanTicks()) + ", median " + Format("%g", tally.MedianTicks()) + "\n";
}

std::string UnfinishedLine(const Tally& tally) {
  return "  unfinished after " + std::to_string(kTickCap) +
         " ticks: " + std::to_string(tally.unfinished) + "\n";
}

// The attributes' labels (no fighter) or a fighter's values, each right
// aligned under its label; the hidden ones only when `hidden`.
std::string AttributeColumns(const Fighter* f, bool hidden) {
  std::string text;
  for (const Attribute& attribute : kAttributes) {
    if (attribute.hidden && !hidden)
      continue;
    size_t width = std::max<size_t>(5, std::strlen(attribute.text) + 2);
    text += PadLeft(f ? std::to_string(f->*attribute.slot) : attribute.text, width);
  }
  return text;
}

}  // namespace

std::string PadRight(std::string text, size_t width) {
  if (text.size() < width)
    text.append(width - text.size(), ' ');
  return text;
}

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string FighterTable(const Fighter& one, const Fighter& two) {
  size_t width = NameWidth(one, two);
  std::string text = "  " + PadRight("name", width) + AttributeColumns(nullptr, true) + "\n";
  for (const Fighter* f : {&one, &two})
    text += "  " + PadRight(f->name, width) + AttributeColumns(f, true) + "\n";
  text += "  * hidden: the game never shows these two\n";
  return text;
}

std::string SampleReport(const Fighter& one, const Fighter& two, const Tally& tally, uint64_t seed,
                         int threads) {
  size_t width = NameWidth(one, two);
  uint64_t n = tally.battles();
  std::string text = Counted(n, "battle") + " sampled (seed " + std::to_string(seed) + ", " +
                     std::to_string(threads) + (threads == 1 ? " thread)\n" : " threads)\n");
  const std::pair<const Fighter*, uint64_t> rows[] = {{&one, tally.first_wins},
                                                      {&two, tally.second_wins}};
  for (const auto& [fighter, wins] : rows) {
    double share = static_cast<double>(wins) / static_cast<double>(n);
    Interval ci = WilsonInterval(wins, n);
    text += "  " + PadRight(fighter->name, width) + "  wins " + Format("%8.4f %%", share * 100) +
            "   95 % CI " + Format("%.4f %%", ci.low * 100) + " .. " +
            Format("%.4f %%", ci.high * 100) + "   (" + Counted(wins, "battle") + ")\n";
  }
  text += UnfinishedLine(tally);
  text += LengthLine(tally);
  return text;
}

std::string ExactReport(const Fighter& one, const Fighter& two, const Tally& tally,
                        const std::vector<StateRange>& ranges) {
  size_t width = NameWidth(one, two);
  uint64_t count = Covered(ranges);
  std::string text;
  if (count == kStateCount)
    text = "Exact: all " + std::to_string(count) + " start states played\n";
  else if (ranges.size() == 1)
    text = "Exact over start states " + std::to_string(ranges[0].first) + " to " +
           std::to_string(ranges[0].first + count - 1) + " only (" + std::to_string(count) +
           " states)\n";
  else
    text = "Exact over " + std::to_string(count) + " start states in " +
           std::to_string(ranges.size()) + " ranges only\n";
  const std::pair<const Fighter*, uint64_t> rows[] = {{&one, tally.first_wins},
                                                      {&two, tally.second_wins}};
  for (const auto& [fighter, wins] : rows) {
    text += "  " + PadRight(fighter->name, width) + "  wins " + std::to_string(wins) + "/" +
            std::to_string(count);
    std::string lowest = LowestTerms(wins, count);
    if (lowest != std::to_string(wins) + "/" + std::to_string(count))
      text += " = " + lowest;
    text += " = " +
            Format("%.8f %%", static_cast<double>(wins) * 100 / static_cast<double>(count)) + "\n";
  }
  text += UnfinishedLine(tally);
  text += LengthLine(tally);
  return text;
}

std::string RankTable(const Ranking& ranking, const std::string& heading) {
  const std::vector<RankRow>& rows = ranking.rows;
  size_t width = 4;
  for (const RankRow& row : rows)
    width = std::max(width, row.fighter.name.size());
  std::string text = heading + "\n";
  text += "  rank  " + PadRight("name", width) + "  mean win   95 % CI              beats" +
          AttributeColumns(nullptr, false) + "\n";
  int rank = 0;
  for (const RankRow& row : rows) {
    text += PadLeft(std::to_string(++rank), 6) + "  " + PadRight(row.fighter.name, width) +
            Format("%8.3f %%", row.mean_win_rate * 100) + "   " +
            PadRight(Format("%.3f", row.interval.low * 100) + " .. " +
                         Format("%.3f %%", row.interval.high * 100),
                     20) +
            PadLeft(std::to_string(row.beaten) + "/" + std::to_string(rows.size() - 1), 5) +
            AttributeColumns(&row.fighter, false) + "\n";
  }
  text += "  beats: opponents it wins against more often than it loses\n";
  return text;
}

}  // namespace bramble::lab
