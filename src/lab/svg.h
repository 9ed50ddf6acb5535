#ifndef BRAMBLE_LAB_SVG_H_
#define BRAMBLE_LAB_SVG_H_

#include <ostream>
#include <span>
#include <string>

#include "lab/reports.h"

namespace bramble::lab {

/// Every word a picture shows, in one language: UTF-8 templates whose
/// {placeholders} the picture fills in. A wording that counts something
/// has a form for one and a form for every other number. The command line
/// draws in English (EnglishSvgWords); the page hands its own language's
/// table over as JSON with the same keys (kSvgWordKeys).
struct SvgWords {
  struct Counted {
    std::string one, other;
    const std::string& For(uint64_t count) const { return count == 1 ? one : other; }
  };
  std::string group;          // put between groups of three digits ("" keeps numbers whole)
  std::string pair_title;     // {one} {two}
  Counted sampled;            // {battles} {seed}, counted by battles
  Counted exact;              // {states}, counted by states
  std::string pair_subtitle;  // {run} (sampled or exact), {finished}
  Counted finished;           // {count}
  std::string count_axis;     // the histogram's vertical axis
  std::string length_axis;    // its horizontal axis
  Counted bar_tip;            // {ticks} {count}, counted by count
  std::string rank_title;     //
  Counted rank_sampled;       // {names} {battles} {seed}, counted by battles
  std::string rank_exact;     // {names} {states} {all} {merged}
  std::string states_span;    // {fewest} {most}: pairs covered unequally
  Counted merged;             // {parts}; shown when the parts are known
  std::string cell_tip;       // {row} {column} {rate}
  std::string legend;         // before the legend's items
  std::string legend_item;    // {colour} (the swatch's English name) {range}
  std::string under;          // {below}
  std::string between;        // {from} {below}
  std::string over;           // {from}
};

/// The command line's words.
const SvgWords& EnglishSvgWords();

/// The JSON keys of SvgWords, each with its member; a counted wording is
/// an array [one, other] or one text for both.
struct SvgWordKey {
  const char* key;
  std::string SvgWords::*text;
  SvgWords::Counted SvgWords::*counted;
};
std::span<const SvgWordKey> SvgWordKeys();

/// A whole number's digits with `group` between groups of three.
std::string Grouped(uint64_t number, const std::string& group);

/// Standalone SVG pictures of the reports, UTF-8, for a browser. Names are
/// written as escaped text, never as markup. Every bar and cell carries its
/// numbers as data- attributes and a tooltip.

/// The distribution of a pair's battle lengths (the bins of LengthBins),
/// with a title, both axes and their labels.
std::string SvgText(const PairReport& report, const SvgWords& words = EnglishSvgWords());

/// The head-to-head matrix of a ranking as a heat map in the colours of
/// the terminal's, each cell labelled with its win rate.
std::string SvgText(const RankReport& report, const SvgWords& words = EnglishSvgWords());

/// SvgText written to a stream (the browser's lab takes the text and
/// needs no streams).
void WriteSvg(std::ostream& out, const PairReport& report,
              const SvgWords& words = EnglishSvgWords());
void WriteSvg(std::ostream& out, const RankReport& report,
              const SvgWords& words = EnglishSvgWords());

/// The step of a count axis with about `ticks` ticks up to `most`: 1, 2 or
/// 5 times a power of ten.
uint64_t AxisStep(uint64_t most, uint64_t ticks);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_SVG_H_
