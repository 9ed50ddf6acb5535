#ifndef BRAMBLE_LAB_PLAY_H_
#define BRAMBLE_LAB_PLAY_H_

#include <cstdint>
#include <string_view>

#include "lab/battle_run.h"
#include "lab/tally.h"

namespace bramble::lab {

/// Battles RunBattles plays on the calling thread, without a worker: a
/// one-thread run is handed over in pieces of this size.
constexpr uint64_t kPieceOfOneThread = uint64_t{1} << 16;

/// Plays `plan` as RunBattles does, with the same result. On one thread
/// the battles are played on the calling thread, in pieces, so that a
/// program without threads (the browser's) can run any plan; `progress`
/// hears of each piece.
Tally Play(std::string_view name1, std::string_view name2, const BattlePlan& plan, int threads,
           const ProgressFn& progress = nullptr);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_PLAY_H_
