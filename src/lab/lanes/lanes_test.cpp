#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "battle/bout.h"
#include "battle/rules.h"
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
      Lanes4::Bits states = {k << 16, (k + 1) << 16 | 0xFFFF, (k + 2) << 16 | 0x80000000u,
                             (k + 3) << 16 | 0x8000FFFFu};  // other bits the output leaves
      Lanes4::Int scaled = Lanes4::Scale(Lanes4::Output(states), 7, 7 + n);
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
      Lanes4::Int halved = Lanes4::HalveUp(values - roll);
      for (int lane = 0; lane < 4; ++lane) {
        ASSERT_EQ(percent[lane], PercentOf(roll, values[lane])) << roll << " of " << values[lane];
        ASSERT_EQ(halved[lane], HalveUp(values[lane] - roll)) << values[lane] - roll;
      }
      // The pummel's and the checks' products, within the reach their
      // comments give (beyond it they would overflow 32 bits).
      if (roll < 100 && base < 20000000) {
        Lanes4::Int over100 = Lanes4::Over100(rolls, values);
        Lanes4::Int floored = Lanes4::FloorTimesF(rolls, values);
        for (int lane = 0; lane < 4; ++lane) {
          ASSERT_EQ(over100[lane], int64_t{roll} * values[lane] / 100) << roll;
          ASSERT_EQ(floored[lane], PummelAttackTerm(roll, values[lane])) << roll;
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

// What a battle came to after its last step, or after `cap` steps: its
// outcome, its generator state, and both fighters' attributes.
struct Played {
  uint32_t outcome = 0;
  uint32_t state_after = 0;
  std::array<int32_t, 12> attributes{};
  bool operator==(const Played&) const = default;
};

std::string Describe(const Played& p) {
  std::string text = "ticks " + std::to_string(p.outcome >> 2) + ", winner " +
                     std::to_string(p.outcome & 3) + ", state " + std::to_string(p.state_after) +
                     ", attributes";
  for (int32_t value : p.attributes)
    text += " " + std::to_string(value);
  return text;
}

// The reference: the game's own rules, one battle at a time, as the Arena
// plays them, counting what happens.
class PlainRules : public Narrator {
 public:
  PlainRules(const std::string& name1, const std::string& name2) {
    one_.Build(name1);
    two_.Build(name2);
  }
  void Tell(const Event& event, const Fighter&, const Fighter&) override {
    ++seen[static_cast<size_t>(event.what)];
  }
  Played Play(uint32_t state, uint32_t cap) {
    Bout bout(this);
    bout.first = one_;
    bout.second = two_;
    Dice dice{state};
    bout.PickFirstAttacker(dice);
    bout.Begin();
    uint32_t ticks = cap;
    for (uint32_t tick = 1; tick <= cap; ++tick) {
      bout.Step(dice);
      if (bout.ended) {
        ticks = tick;
        break;
      }
    }
    Winner winner = !bout.ended                 ? Winner::kUnfinished
                    : bout.loser == &bout.first ? Winner::kSecond
                                                : Winner::kFirst;
    Played played{PackOutcome(ticks, static_cast<uint32_t>(winner)), dice.state, {}};
    int k = 0;
    for (const Fighter* f : {&bout.first, &bout.second}) {
      for (int32_t value : {f->hp, f->mp, f->atk, f->def, f->agility, f->cunning})
        played.attributes[k++] = value;
    }
    return played;
  }
  const Fighter& one() const { return one_; }
  const Fighter& two() const { return two_; }

  std::array<uint64_t, static_cast<size_t>(Happening::kHurtBySong) + 1> seen{};

 private:
  Fighter one_;
  Fighter two_;
};

// Every battle of `states` on a lane path, each stopped after `cap` steps.
std::vector<Played> PlayInLanes(LanePlayer player, const PlainRules& plain,
                                const std::vector<uint32_t>& states, uint32_t cap) {
  LaneJob job = JobFor({plain.one(), plain.two()});
  std::vector<uint32_t> outcomes(states.size()), after(states.size());
  std::vector<int32_t[2 * kAttributeCount]> attributes(states.size());
  job.states = states.data();
  job.count = states.size();
  job.outcomes = outcomes.data();
  job.states_after = after.data();
  job.attributes = attributes.data();
  job.tick_cap = cap;
  player(job);
  std::vector<Played> played(states.size());
  for (size_t i = 0; i < states.size(); ++i) {
    played[i] = {outcomes[i], after[i], {}};
    std::copy(std::begin(attributes[i]), std::end(attributes[i]), played[i].attributes.begin());
  }
  return played;
}

// Every lane path this processor runs is held to the game's plain rules,
// battle by battle: the same outcome, the same draws, the same fighters at
// the end. A battle that differs is told by its pair, its start state and
// the first step after which the two differ. BRAMBLE_LANE_STATES sets how
// many start states a pair plays (the long test 10,000,000; by default,
// and at least, 200,000), and the pairs must between them make every
// action, answer and song outcome happen.
TEST(LaneEngine, EveryPathPlaysAsThePlainRules) {
  uint32_t count = 200000;
  if (const char* states = std::getenv("BRAMBLE_LANE_STATES"))
    count = std::max(static_cast<uint32_t>(std::strtoul(states, nullptr, 10)), count);
  const std::pair<std::string, std::string> pairs[] = {
      {"abc", "xyz"}, {"alice", "bob"}, {"甲乙", "Brambleworthen"}, {"a", "zzzzzzzz"}};
  constexpr size_t kPairs = std::size(pairs);
  using Seen = std::array<uint64_t, static_cast<size_t>(Happening::kHurtBySong) + 1>;
  // What one pair found: the first battle that differs, and what happened.
  struct Checked {
    std::string differs;
    Seen seen{};
  };
  auto check = [&](const std::pair<std::string, std::string>& pair) {
    const auto& [name1, name2] = pair;
    Checked checked;
    PlainRules plain(name1, name2);
    constexpr uint32_t kBatch = 1 << 16;
    // Past the top of the state space the range wraps around to 0.
    for (uint32_t first : {0u, 0xFFFFFFFFu - 5000u}) {
      uint32_t length = first == 0 ? count : 20000u;
      for (uint32_t begin = 0; begin < length; begin += kBatch) {
        std::vector<uint32_t> states(std::min(kBatch, length - begin));
        for (uint32_t i = 0; i < states.size(); ++i)
          states[i] = first + begin + i;
        std::vector<Played> want(states.size());
        for (size_t i = 0; i < states.size(); ++i)
          want[i] = plain.Play(states[i], kTickCap);
        for (LanePath path : RunnablePaths()) {
          if (path == LanePath::kScalar)
            continue;
          std::vector<Played> got = PlayInLanes(PlayerOf(path), plain, states, kTickCap);
          auto differs = std::mismatch(got.begin(), got.end(), want.begin()).first;
          if (differs == got.end())
            continue;
          uint32_t state = states[differs - got.begin()];
          uint32_t step = 1;
          while (step < kTickCap &&
                 PlayInLanes(PlayerOf(path), plain, {state}, step)[0] == plain.Play(state, step))
            ++step;
          checked.differs =
              name1 + " vs " + name2 + ", lanes " + LanePathName(path) +
              ": the battle from start state " + std::to_string(state) +
              " first differs after step " + std::to_string(step) +
              ":\n  plain rules: " + Describe(plain.Play(state, step)) +
              "\n  lanes:       " + Describe(PlayInLanes(PlayerOf(path), plain, {state}, step)[0]);
          return checked;
        }
      }
    }
    for (size_t i = 0; i < checked.seen.size(); ++i)
      checked.seen[i] = plain.seen[i];
    return checked;
  };
  // The pairs are checked side by side, a pair a core (the long test plays
  // 40,000,000 battles twice over); each pair is told alone.
  std::vector<Checked> checked(kPairs);
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers(
      std::clamp<size_t>(std::thread::hardware_concurrency(), 1, kPairs));
  for (std::thread& worker : workers)
    worker = std::thread([&] {
      for (size_t p; (p = next++) < kPairs;)
        checked[p] = check(pairs[p]);
    });
  for (std::thread& worker : workers)
    worker.join();
  Seen seen{};
  for (const Checked& pair : checked) {
    if (!pair.differs.empty())
      ADD_FAILURE() << pair.differs;
    for (size_t i = 0; i < seen.size(); ++i)
      seen[i] += pair.seen[i];
  }
  for (size_t i = static_cast<size_t>(Happening::kStart); i < seen.size(); ++i)
    EXPECT_GT(seen[i], 0u) << "no battle made happening " << i << " happen";
}

// A battle stopped by the tick cap ends where the plain rules stop it,
// whatever it was doing: the lanes play a beating whole only where the cap
// leaves room for it, and a tick at a time near the cap.
TEST(LaneEngine, BattlesStoppedAtTheCapAsThePlainRules) {
  for (const auto& [name1, name2] : {std::pair{"alice", "bob"}, std::pair{"a", "zzzzzzzz"}}) {
    PlainRules plain(name1, name2);
    std::vector<uint32_t> states(3000);
    for (uint32_t i = 0; i < states.size(); ++i)
      states[i] = i * 2654435761u;
    for (uint32_t cap = 1; cap <= 40; ++cap) {
      std::vector<Played> want(states.size());
      for (size_t i = 0; i < states.size(); ++i)
        want[i] = plain.Play(states[i], cap);
      for (LanePath path : RunnablePaths()) {
        if (path == LanePath::kScalar)
          continue;
        std::vector<Played> got = PlayInLanes(PlayerOf(path), plain, states, cap);
        for (size_t i = 0; i < states.size(); ++i) {
          ASSERT_EQ(got[i], want[i])
              << name1 << " vs " << name2 << ", lanes " << LanePathName(path) << ", cap " << cap
              << ", start state " << states[i] << ":\n  plain rules: " << Describe(want[i])
              << "\n  lanes:       " << Describe(got[i]);
        }
      }
    }
  }
}

TEST(LaneEngine, RunsGiveTheSameTallyOnEveryPath) {
  const BattlePlan plans[] = {BattlePlan::Sample(70001, 9), BattlePlan::Range(4000, 3),
                              BattlePlan::Range(0, 131073)};
  for (const BattlePlan& plan : plans) {
    const MatchUp match = MatchUp::Of("Brambleworthen", "odds");
    Tally scalar = RunBattles(match, plan, {LanePath::kScalar, 2});
    for (LanePath path : RunnablePaths()) {
      SCOPED_TRACE("lanes " + LanePathName(path) + ", " + std::to_string(plan.count));
      Tally lanes = RunBattles(match, plan, {path, 2});
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
