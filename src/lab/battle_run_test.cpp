#include "lab/battle_run.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace bramble::lab {
namespace {

Tally Played(const char* name1, const char* name2, const BattlePlan& plan, int threads,
             const ProgressFn& progress = nullptr) {
  return RunBattles(MatchUp::Of(name1, name2), plan, {WidestLanePath(), threads, progress});
}

void ExpectSameTally(const Tally& a, const Tally& b) {
  EXPECT_EQ(a.first_wins, b.first_wins);
  EXPECT_EQ(a.second_wins, b.second_wins);
  EXPECT_EQ(a.unfinished, b.unfinished);
  EXPECT_DOUBLE_EQ(a.MeanTicks(), b.MeanTicks());
  EXPECT_DOUBLE_EQ(a.MedianTicks(), b.MedianTicks());
}

// Every battle of the plan, one after another on this thread.
Tally OneByOne(const char* name1, const char* name2, const BattlePlan& plan) {
  SilentBattle battle(MatchUp::Of(name1, name2));
  Tally tally;
  for (uint64_t i = 0; i < plan.count; ++i)
    tally.Add(battle.Run(plan.StateOf(i)));
  return tally;
}

TEST(RunBattles, RangesAddUpEveryStateOnceWhateverTheThreads) {
  // Counts that are not whole chunks, and the very end of the state space.
  const BattlePlan plans[] = {
      BattlePlan::Range(0, 1),
      BattlePlan::Range(1000, 150001),
      BattlePlan::Range((uint64_t{1} << 32) - 70000, 70000),
  };
  for (const BattlePlan& plan : plans) {
    Tally expected = OneByOne("abc", "xyz", plan);
    EXPECT_EQ(expected.battles(), plan.count);
    for (int threads : {1, 2, 3, 1024}) {  // more threads than chunks too
      SCOPED_TRACE("first " + std::to_string(plan.first) + ", threads " + std::to_string(threads));
      ExpectSameTally(Played("abc", "xyz", plan, threads), expected);
    }
  }
}

TEST(RunBattles, SamplesDependOnTheSeedOnly) {
  BattlePlan plan = BattlePlan::Sample(140000, 42);
  Tally one = Played("alice", "bob", plan, 1);
  ExpectSameTally(Played("alice", "bob", plan, 3), one);
  ExpectSameTally(OneByOne("alice", "bob", plan), one);
  Tally other = Played("alice", "bob", BattlePlan::Sample(140000, 43), 2);
  EXPECT_NE(other.first_wins, one.first_wins);
}

TEST(RunBattles, ReportsProgressUpToTheEnd) {
  uint64_t last = 0;
  int calls = 0;
  Played("abc", "xyz", BattlePlan::Range(0, 100000), 2, [&](uint64_t done) {
    EXPECT_GE(done, last);
    last = done;
    ++calls;
  });
  EXPECT_GE(calls, 1);
  EXPECT_EQ(last, 100000u);
}

// One thread plays on the calling thread, telling its progress after each
// piece; the tally is the one many threads give.
TEST(RunBattles, OneThreadTellsEachPieceAndGivesTheSameTally) {
  for (const BattlePlan& plan :
       {BattlePlan::Sample(3 * kPiece + 17, 99), BattlePlan::Range(4000000000u, 2 * kPiece + 5)}) {
    std::vector<uint64_t> heard;
    Tally pieces = Played("abc", "xyz", plan, 1, [&](uint64_t done) { heard.push_back(done); });
    ASSERT_EQ(heard.size(), plan.count / kPiece + 1);
    EXPECT_EQ(heard[0], kPiece);
    EXPECT_EQ(heard.back(), plan.count);
    ExpectSameTally(pieces, Played("abc", "xyz", plan, 2));
  }
}

TEST(SampleState, SpreadsOverTheStatesAndFollowsTheSeed) {
  std::set<uint32_t> seen;
  bool high_half = false;
  for (uint64_t i = 0; i < 1000; ++i) {
    uint32_t state = SampleState(1, i);
    seen.insert(state);
    high_half |= state >= 0x80000000u;
  }
  EXPECT_EQ(seen.size(), 1000u);
  EXPECT_TRUE(high_half);
  EXPECT_NE(SampleState(1, 0), SampleState(2, 0));
  EXPECT_EQ(BattlePlan::Range(5, 10).StateOf(3), 8u);
}

}  // namespace
}  // namespace bramble::lab
