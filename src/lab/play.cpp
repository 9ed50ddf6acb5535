#include "lab/play.h"

#include <algorithm>

namespace bramble::lab {

Tally Play(std::string_view name1, std::string_view name2, const BattlePlan& plan, int threads,
           const ProgressFn& progress) {
  if (threads > 1 || plan.count <= kPieceOfOneThread)
    return RunBattles(name1, name2, plan, threads, progress);
  Tally total;
  for (uint64_t done = 0; done < plan.count;) {
    uint64_t count = std::min(kPieceOfOneThread, plan.count - done);
    total.Merge(RunBattles(name1, name2, plan.Part(done, count), 1));
    done += count;
    if (progress)
      progress(done);
  }
  return total;
}

}  // namespace bramble::lab
