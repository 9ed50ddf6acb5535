#ifndef BRAMBLE_LAB_EXPORT_H_
#define BRAMBLE_LAB_EXPORT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "battle/fighter.h"
#include "lab/exact_parts.h"
#include "lab/rank.h"
#include "lab/silent_battle.h"
#include "lab/tally.h"

namespace bramble::lab {

/// The lab's results for scripts: JSON documents and CSV tables, UTF-8,
/// each line ending in a line feed. Names are given as Unicode text and, in
/// JSON, also as the game's bytes in hexadecimal ("gbk"), which identify a
/// fighter exactly. The README describes every field.

/// A sampled pair report.
std::string SampleJson(const Fighter& one, const Fighter& two, const Tally& tally, uint64_t seed,
                       int threads);
std::string SampleCsv(const Fighter& one, const Fighter& two, const Tally& tally);

/// An exact pair report over `ranges`; what --merge reads back.
std::string ExactJson(const Fighter& one, const Fighter& two, const Tally& tally,
                      const std::vector<StateRange>& ranges);
std::string ExactCsv(const Fighter& one, const Fighter& two, const Tally& tally);

/// A ranking: `battles` per pair and `seed` for a sample, nothing for an
/// exact one over `states` start states per pair.
std::string RankJson(const Ranking& ranking, std::optional<uint64_t> battles,
                     std::optional<uint64_t> seed, uint64_t states);
std::string RankCsv(const Ranking& ranking);

/// How the battle from `state` went: the fighters as they began, who won
/// after how many ticks, and their HP at the end.
std::string ReplayJson(uint32_t state, const Fighter& one, const Fighter& two,
                       const BattleResult& result, int32_t hp1, int32_t hp2);
std::string ReplayCsv(uint32_t state, const Fighter& one, const Fighter& two,
                      const BattleResult& result, int32_t hp1, int32_t hp2);

/// A name as Unicode text for files: control bytes shown as ^X, bytes that
/// are not GBK as U+FFFD.
std::string NameText(const std::string& gbk);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_EXPORT_H_
