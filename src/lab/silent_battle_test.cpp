#include "lab/silent_battle.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/arena.h"
#include "battle/random.h"
#include "console/terminal.h"
#include "lab/battle_run.h"
#include "lab/lanes/lane_paths.h"

namespace bramble::lab {
namespace {

struct ArenaBattle {
  std::string loser;   // from the defeat line the Arena printed
  uint32_t ticks = 0;  // ticks the Arena took up to its defeat line
  bool ended = false;
  decltype(Fighter::slots) first{};
  decltype(Fighter::slots) second{};
  uint32_t state_after = 0;
  std::string text;  // what the Arena printed
};

// The game's Arena on a tick source that never waits, output recorded.
ArenaBattle PlayInArena(uint32_t state, const std::string& name1, const std::string& name2) {
  terminal::Recording recording;
  terminal::StartRecording(&recording);
  Arena arena(Ticker::Immediate(uint64_t{kTickCap} + 1));
  SetRandomState(state);
  arena.Setup(name1, name2);
  arena.Battle();
  terminal::StopRecording();

  ArenaBattle result;
  result.ended = arena.bout.ended;
  // Battle returns one tick after the defeat line: that last wait made no step.
  result.ticks = static_cast<uint32_t>(arena.ticker.Waits() - 1);
  result.first = arena.bout.first.slots;
  result.second = arena.bout.second.slots;
  result.state_after = RandomState();
  result.text = recording.text;
  for (const std::string& name : {name1, name2}) {
    if (recording.text.find("*-- " + name + "被击败了") != std::string::npos)
      result.loser = name;
  }
  return result;
}

// Pairs chosen for their spread of attributes: fighters that pummel, poison
// and sing, a GBK name, and a lopsided match.
const std::pair<std::string, std::string> kPairs[] = {
    {"abc", "xyz"}, {"alice", "bob"}, {"甲乙", "Brambleworthen"}, {"a", "zzzzzzzz"}};

// Words that only one kind of battle line holds: the silent engine picks
// its common actions and answers without a jump and branches off for the
// rare ones, so the comparison below must have walked every one of them.
const char* const kEveryPath[] = {"进攻，",   "魔法攻击",   "暴打",         "投毒",
                                  "垂死抗争", "开始唱",     "点伤害",       "躲开了",
                                  "魔法防御", "攻击失败",   "普通攻击无效", "移花接木",
                                  "紧急回避", "什么都没在", "唱完，自己的", "魔音传导"};

// What an engine made of one battle: as SilentBattle::Run gives it, or as
// a lane path's job records it.
struct EngineBattle {
  BattleResult result;
  uint32_t state_after = 0;
  std::array<int32_t, 12> attributes{};  // both fighters' hp .. cunning
};

// Every battle of `states` on the scalar engine, or on a lane path.
std::vector<EngineBattle> PlayOnEngine(LanePath path, const std::string& name1,
                                       const std::string& name2,
                                       const std::vector<uint32_t>& states) {
  SilentBattle silent(name1, name2);
  std::vector<EngineBattle> battles(states.size());
  if (path == LanePath::kScalar) {
    for (size_t i = 0; i < states.size(); ++i) {
      battles[i].result = silent.Run(states[i]);
      battles[i].state_after = silent.state_after();
      for (int k = 0; k < 6; ++k) {
        battles[i].attributes[k] = silent.first().slots[16 + k];
        battles[i].attributes[6 + k] = silent.second().slots[16 + k];
      }
    }
    return battles;
  }
  LaneJob job;
  for (int k = 0; k < 6; ++k) {
    job.first[k] = silent.first().slots[16 + k];
    job.second[k] = silent.second().slots[16 + k];
  }
  std::vector<uint32_t> outcomes(states.size());
  std::vector<uint32_t> after(states.size());
  std::vector<int32_t[12]> attributes(states.size());
  job.states = states.data();
  job.count = states.size();
  job.outcomes = outcomes.data();
  job.states_after = after.data();
  job.attributes = attributes.data();
  PlayerOf(path)(job);
  for (size_t i = 0; i < states.size(); ++i) {
    battles[i].result = {static_cast<Winner>(outcomes[i] & 3), outcomes[i] >> 2};
    battles[i].state_after = after[i];
    std::copy(std::begin(attributes[i]), std::end(attributes[i]), battles[i].attributes.begin());
  }
  return battles;
}

// The scalar engine and every lane path this processor runs, each against
// the Arena battle for battle.
TEST(SilentBattle, MatchesTheGamesArenaTickForTick) {
  int battles = 0;
  std::string printed;  // every line of every battle, for the paths walked
  std::vector<LanePath> paths = RunnablePaths();
  for (const auto& [name1, name2] : kPairs) {
    // Spread over the whole state space, and some consecutive states.
    std::vector<uint32_t> states;
    for (uint64_t i = 0; i < 600; ++i)
      states.push_back(i < 500 ? SampleState(7, i) : static_cast<uint32_t>(i));
    std::vector<ArenaBattle> arenas;
    for (uint32_t state : states)
      arenas.push_back(PlayInArena(state, name1, name2));
    for (LanePath path : paths) {
      std::vector<EngineBattle> engine = PlayOnEngine(path, name1, name2, states);
      for (size_t i = 0; i < states.size(); ++i) {
        const ArenaBattle& arena = arenas[i];
        const EngineBattle& silent = engine[i];
        SCOPED_TRACE(name1 + " vs " + name2 + ", state " + std::to_string(states[i]) + ", lanes " +
                     LanePathName(path));
        ASSERT_TRUE(arena.ended);
        ASSERT_NE(silent.result.winner, Winner::kUnfinished);
        EXPECT_EQ(arena.loser, silent.result.winner == Winner::kFirst ? name2 : name1);
        EXPECT_EQ(arena.ticks, silent.result.ticks);
        // The same draws, and the same fighters at the end.
        EXPECT_EQ(arena.state_after, silent.state_after);
        for (int k = 0; k < 6; ++k) {
          EXPECT_EQ(arena.first[16 + k], silent.attributes[k]) << "fighter one, " << k;
          EXPECT_EQ(arena.second[16 + k], silent.attributes[6 + k]) << "fighter two, " << k;
        }
      }
    }
    for (size_t i = 0; i < states.size(); ++i) {
      printed += arenas[i].text;
      ++battles;
    }
  }
  EXPECT_EQ(battles, 2400);
  for (const char* mark : kEveryPath)
    EXPECT_NE(printed.find(mark), std::string::npos) << "no battle printed " << mark;
  // A refreshed listener: one refresh line more than the singer's own.
  size_t refreshes = 0;
  size_t singers = 0;
  for (size_t at = printed.find("恢复了一点"); at != std::string::npos;
       at = printed.find("恢复了一点", at + 1))
    ++refreshes;
  for (size_t at = printed.find("唱完，自己的"); at != std::string::npos;
       at = printed.find("唱完，自己的", at + 1))
    ++singers;
  EXPECT_GT(refreshes, singers);
}

TEST(SilentBattle, ReplaysTheSameBattleFromTheSameState) {
  SilentBattle silent("abc", "xyz");
  BattleResult first = silent.Run(12345);
  silent.Run(999);  // a battle in between changes nothing
  BattleResult again = silent.Run(12345);
  EXPECT_EQ(first.winner, again.winner);
  EXPECT_EQ(first.ticks, again.ticks);
}

TEST(SilentBattle, FightersAreBuiltFromTheirNames) {
  SilentBattle silent("abc", "xyz");
  EXPECT_EQ(silent.first().name, "abc");
  EXPECT_EQ(silent.first().hp(), 225);
  EXPECT_EQ(silent.first().cunning(), 152);
  EXPECT_EQ(silent.second().name, "xyz");
}

}  // namespace
}  // namespace bramble::lab
