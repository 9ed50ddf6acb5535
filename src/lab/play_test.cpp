#include "lab/play.h"

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

// One thread plays in pieces on the calling thread; the tally is the one
// RunBattles gives for the whole plan.
TEST(Play, OneThreadInPiecesGivesTheWholeRunsTally) {
  for (const BattlePlan& plan : {BattlePlan::Sample(3 * kPieceOfOneThread + 17, 99),
                                 BattlePlan::Range(4000000000u, 2 * kPieceOfOneThread + 5)}) {
    uint64_t heard = 0;
    Tally pieces = Play("abc", "xyz", plan, 1, [&](uint64_t done) { heard = done; });
    Tally whole = RunBattles("abc", "xyz", plan, 2);
    EXPECT_EQ(heard, plan.count);
    EXPECT_EQ(pieces.first_wins, whole.first_wins);
    EXPECT_EQ(pieces.second_wins, whole.second_wins);
    EXPECT_EQ(pieces.unfinished, whole.unfinished);
    for (uint32_t ticks = 1; ticks < 400; ++ticks)
      ASSERT_EQ(pieces.LengthCount(ticks), whole.LengthCount(ticks)) << ticks;
  }
}

}  // namespace
}  // namespace bramble::lab
