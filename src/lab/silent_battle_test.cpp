#include "lab/silent_battle.h"

#include <string>

#include <gtest/gtest.h>

#include "battle/arena.h"
#include "battle/random.h"
#include "console/terminal.h"
#include "lab/battle_run.h"

namespace bramble::lab {
namespace {

struct ArenaBattle {
  std::string loser;   // from the defeat line the Arena printed
  uint32_t ticks = 0;  // ticks the Arena took up to its defeat line
  bool ended = false;
  decltype(Fighter::slots) first{};
  decltype(Fighter::slots) second{};
  uint32_t stateAfter = 0;
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
  result.stateAfter = RandomState();
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

TEST(SilentBattle, MatchesTheGamesArenaTickForTick) {
  int battles = 0;
  std::string printed;  // every line of every battle, for the paths walked
  for (const auto& [name1, name2] : kPairs) {
    SilentBattle silent(name1, name2);
    for (uint64_t i = 0; i < 600; ++i) {
      // Spread over the whole state space, and some consecutive states.
      uint32_t state = i < 500 ? SampleState(7, i) : static_cast<uint32_t>(i);
      ArenaBattle arena = PlayInArena(state, name1, name2);
      BattleResult result = silent.Run(state);
      uint32_t silent_state = silent.stateAfter();
      SCOPED_TRACE(name1 + " vs " + name2 + ", state " + std::to_string(state));
      ASSERT_TRUE(arena.ended);
      ASSERT_NE(result.winner, Winner::kUnfinished);
      EXPECT_EQ(arena.loser, result.winner == Winner::kFirst ? name2 : name1);
      EXPECT_EQ(arena.ticks, result.ticks);
      // The same draws, and the same fighters at the end.
      EXPECT_EQ(arena.stateAfter, silent_state);
      EXPECT_EQ(arena.first, silent.first().slots);
      EXPECT_EQ(arena.second, silent.second().slots);
      printed += arena.text;
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
