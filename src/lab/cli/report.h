#ifndef BRAMBLE_LAB_CLI_REPORT_H_
#define BRAMBLE_LAB_CLI_REPORT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "battle/fighter.h"
#include "lab/exact_parts.h"
#include "lab/rank.h"
#include "lab/tally.h"

namespace bramble::lab {

/// The lab's reports, as GBK text (the names are the game's bytes). Columns
/// are padded by bytes, which matches the screen: a GBK character takes two
/// bytes and two columns.

/// `text` padded with blanks to `width` bytes, on the right or the left.
std::string PadRight(std::string text, size_t width);
std::string PadLeft(const std::string& text, size_t width);

/// Both fighters' attributes, the two hidden ones marked as such.
std::string FighterTable(const Fighter& one, const Fighter& two);

/// Win probabilities with 95 % Wilson intervals and the battle lengths of a
/// sample.
std::string SampleReport(const Fighter& one, const Fighter& two, const Tally& tally, uint64_t seed,
                         int threads);

/// Exact win probabilities over the start states of `ranges` (all 2^32 of
/// them in normal use), as fractions and percentages.
std::string ExactReport(const Fighter& one, const Fighter& two, const Tally& tally,
                        const std::vector<StateRange>& ranges);

/// The leaderboard of a round-robin under `heading`: each name's mean win
/// rate with its 95 % interval, the opponents it beats, its attributes.
std::string RankTable(const Ranking& ranking, const std::string& heading);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_CLI_REPORT_H_
