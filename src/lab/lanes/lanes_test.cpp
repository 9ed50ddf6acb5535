#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/lanes.h"
#include "lab/battle_run.h"
#include "lab/lanes/lane_paths.h"
#include "lab/lanes/vector_lanes.h"
#include "lab/silent_battle.h"

namespace bramble::lab {
namespace {

struct TestIsa {};
using Lanes4 = VectorLanes<4, TestIsa>;

// The lane arithmetic against the scalar rules' own, lane by lane, over
// every value the rules can give it and well beyond.
TEST(VectorLanes, ArithmeticAsTheScalarRules) {
  // Every 15-bit output into every range up to 200 wide.
  for (int32_t n = 1; n <= 200; ++n) {
    for (uint32_t k = 0; k < 32768; k += 4) {
      Lanes4::Bits outputs = {k, k + 1, k + 2, k + 3};
      Lanes4::Int scaled = Lanes4::Scale(outputs, 7, 7 + n);
      for (int lane = 0; lane < 4; ++lane)
        ASSERT_EQ(scaled[lane], ScaleOutput(k + lane, 7, 7 + n)) << k + lane << " of " << n;
    }
  }
  const int32_t bases[] = {0, 1, 49, 50, 100, 255, 1000, 99999, 5000000, 100000000, -1, -77};
  for (int32_t roll = 0; roll < 400; ++roll) {
    for (int32_t base : bases) {
      Lanes4::Int rolls = Lanes4::Splat(roll);
      Lanes4::Int values = {base, base / 2, base / 3 + 1, -base};
      Lanes4::Int percent = Lanes4::Percent(rolls, values);
      for (int lane = 0; lane < 4; ++lane)
        ASSERT_EQ(percent[lane], PercentOf(roll, values[lane])) << roll << " of " << values[lane];
      // The pummel's and the checks' products, within the reach their
      // comments give (beyond it they would overflow 32 bits).
      if (roll < 100 && base < 20000000) {
        Lanes4::Int over100 = Lanes4::Over100(rolls, values);
        Lanes4::Int floored = Lanes4::FloorTimesF(rolls, values);
        for (int lane = 0; lane < 4; ++lane) {
          ASSERT_EQ(over100[lane], OneLane::Over100(roll, values[lane])) << roll;
          ASSERT_EQ(floored[lane], OneLane::FloorTimesF(roll, values[lane])) << roll;
        }
      }
      if (roll <= 40 && base < 50000000) {
        Lanes4::Int checks = Lanes4::Check(rolls, values, 60);
        for (int lane = 0; lane < 4; ++lane)
          ASSERT_EQ(checks[lane] != 0, AttributeCheck(roll, values[lane], 60)) << roll;
      }
    }
  }
}

// A fold of every battle's outcome, final generator state and final
// attributes, in the order of the start states.
struct Fold {
  uint64_t hash = 1469598103934665603ull;
  void Add(uint32_t x) {
    for (int i = 0; i < 4; ++i) {
      hash ^= (x >> (8 * i)) & 0xFF;
      hash *= 1099511628211ull;
    }
  }
};

uint64_t ScalarFold(const char* name1, const char* name2, uint32_t first, uint32_t count) {
  SilentBattle battle(name1, name2);
  Fold fold;
  for (uint32_t i = 0; i < count; ++i) {
    BattleResult result = battle.Run(first + i);
    fold.Add(PackOutcome(result.ticks, static_cast<uint32_t>(result.winner)));
    fold.Add(battle.state_after());
    for (int slot = 16; slot < 22; ++slot)
      fold.Add(static_cast<uint32_t>(battle.first().slots[slot]));
    for (int slot = 16; slot < 22; ++slot)
      fold.Add(static_cast<uint32_t>(battle.second().slots[slot]));
  }
  return fold.hash;
}

uint64_t LaneFold(LanePlayer player, const char* name1, const char* name2, uint32_t first,
                  uint32_t count) {
  SilentBattle battle(name1, name2);
  LaneJob job;
  for (int i = 0; i < 6; ++i) {
    job.first[i] = battle.first().slots[16 + i];
    job.second[i] = battle.second().slots[16 + i];
  }
  constexpr uint32_t kBatch = 1 << 16;
  std::vector<uint32_t> states(kBatch), outcomes(kBatch), after(kBatch);
  std::vector<int32_t[12]> attributes(kBatch);
  job.states = states.data();
  job.outcomes = outcomes.data();
  job.states_after = after.data();
  job.attributes = attributes.data();
  Fold fold;
  for (uint32_t begin = 0; begin < count; begin += kBatch) {
    job.count = std::min(kBatch, count - begin);
    for (uint32_t i = 0; i < job.count; ++i)
      states[i] = first + begin + i;
    player(job);
    for (uint32_t i = 0; i < job.count; ++i) {
      fold.Add(outcomes[i]);
      fold.Add(after[i]);
      for (int32_t value : attributes[i])
        fold.Add(static_cast<uint32_t>(value));
    }
  }
  return fold.hash;
}

// Every lane path this processor runs plays every battle of a long range
// as the scalar engine does. BRAMBLE_LANE_STATES sets the range's length
// (the long test runs 10,000,000; by default, and at least, 200,000).
TEST(LaneEngine, EveryPathPlaysAsTheScalarEngine) {
  uint32_t count = 200000;
  if (const char* states = std::getenv("BRAMBLE_LANE_STATES"))
    count = std::max(static_cast<uint32_t>(std::strtoul(states, nullptr, 10)), count);
  const std::pair<const char*, const char*> pairs[] = {{"abc", "xyz"}, {"alice", "bob"}};
  std::vector<LanePath> paths = RunnablePaths();
  ASSERT_EQ(paths.front(), LanePath::kScalar);
  for (const auto& [name1, name2] : pairs) {
    // Past the top of the state space the range wraps around to 0.
    for (uint32_t first : {0u, 0xFFFFFFFFu - 5000u}) {
      uint32_t length = first == 0 ? count : 20000u;
      uint64_t expected = ScalarFold(name1, name2, first, length);
      for (LanePath path : paths) {
        if (path == LanePath::kScalar)
          continue;
        SCOPED_TRACE(std::string(name1) + " vs " + name2 + ", lanes " + LanePathName(path));
        EXPECT_EQ(LaneFold(PlayerOf(path), name1, name2, first, length), expected);
      }
    }
  }
}

TEST(LaneEngine, RunsGiveTheSameTallyOnEveryPath) {
  const BattlePlan plans[] = {BattlePlan::Sample(70001, 9), BattlePlan::Range(4000, 3),
                              BattlePlan::Range(0, 131073)};
  for (const BattlePlan& plan : plans) {
    Tally scalar = RunBattlesOn(LanePath::kScalar, "Brambleworthen", "odds", plan, 2);
    for (LanePath path : RunnablePaths()) {
      SCOPED_TRACE("lanes " + LanePathName(path) + ", " + std::to_string(plan.count));
      Tally lanes = RunBattlesOn(path, "Brambleworthen", "odds", plan, 2);
      EXPECT_EQ(lanes.first_wins, scalar.first_wins);
      EXPECT_EQ(lanes.second_wins, scalar.second_wins);
      EXPECT_EQ(lanes.unfinished, scalar.unfinished);
      for (uint32_t ticks = 0; ticks < 400; ++ticks)
        ASSERT_EQ(lanes.LengthCount(ticks), scalar.LengthCount(ticks)) << ticks << " ticks";
    }
  }
}

TEST(LanePaths, NamesReadBackAndOthersAreRefused) {
  for (LanePath path : {LanePath::kScalar, LanePath::k4, LanePath::k8, LanePath::k16})
    EXPECT_EQ(ParseLanePath(LanePathName(path)), path);
  for (const char* name : {"", "2", "8 ", "Scalar", "32", "avx2"})
    EXPECT_EQ(ParseLanePath(name), std::nullopt) << name;
  EXPECT_EQ(PlayerOf(LanePath::kScalar), nullptr);
  for (LanePath path : RunnablePaths())
    EXPECT_EQ(PlayerOf(path) == nullptr, path == LanePath::kScalar) << LanePathName(path);
}

}  // namespace
}  // namespace bramble::lab
