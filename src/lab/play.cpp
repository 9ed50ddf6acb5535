#include "lab/play.h"

#include <algorithm>

namespace bramble::lab {

namespace {

// SampleState(seed, index) depends on seed + (index + 1) * this constant
// alone, so a sample's battles from `index` on are the battles of a sample
// whose seed is moved by index times it.
constexpr uint64_t kSampleStride = 0x9E3779B97F4A7C15ull;

}  // namespace

Tally Play(std::string_view name1, std::string_view name2, const BattlePlan& plan, int threads,
           const ProgressFn& progress) {
  if (threads > 1 || plan.count <= kPieceOfOneThread)
    return RunBattles(name1, name2, plan, threads, progress);
  Tally total;
  for (uint64_t done = 0; done < plan.count;) {
    uint64_t count = std::min(kPieceOfOneThread, plan.count - done);
    BattlePlan piece = plan.kind == BattlePlan::Kind::kRange
                           ? BattlePlan::Range(plan.first + done, count)
                           : BattlePlan::Sample(count, plan.seed + done * kSampleStride);
    total.Merge(RunBattles(name1, name2, piece, 1));
    done += count;
    if (progress)
      progress(done);
  }
  return total;
}

}  // namespace bramble::lab
