#include "lab/silent_battle.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "battle/arena.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/recording_console_test.h"
#include "lab/battle_run.h"

namespace bramble::lab {
namespace {

struct ArenaBattle {
  std::string loser;   // from the defeat line the Arena printed
  uint32_t ticks = 0;  // ticks the Arena took up to its defeat line
  bool ended = false;
  Fighter first;
  Fighter second;
  uint32_t state_after = 0;
};

// The game's Arena on a tick source that never waits, output recorded.
ArenaBattle PlayInArena(uint32_t state, const std::string& name1, const std::string& name2) {
  RecordingConsole recording;
  Screen screen(recording);
  ScreenNarrator narrator(screen);
  Dice dice{state};
  Arena arena(Ticker::Immediate(uint64_t{kTickCap} + 1), narrator, dice);
  arena.Setup(name1, name2);
  arena.Battle();

  ArenaBattle result;
  result.ended = arena.bout.ended;
  // Battle returns one tick after the defeat line: that last wait made no step.
  result.ticks = static_cast<uint32_t>(arena.ticker.Waits() - 1);
  result.first = arena.bout.first;
  result.second = arena.bout.second;
  result.state_after = dice.state;
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

// The lab's one battle at a time against the game's Arena, battle for
// battle: the same loser after the same ticks, the same draws, the same
// fighters at the end.
TEST(SilentBattle, MatchesTheGamesArenaTickForTick) {
  for (const auto& [name1, name2] : kPairs) {
    SilentBattle silent(MatchUp::Of(name1, name2));
    // Spread over the whole state space, and some consecutive states.
    for (uint64_t i = 0; i < 600; ++i) {
      uint32_t state = i < 500 ? SampleState(7, i) : static_cast<uint32_t>(i);
      SCOPED_TRACE(name1 + " vs " + name2 + ", state " + std::to_string(state));
      ArenaBattle arena = PlayInArena(state, name1, name2);
      BattleResult result = silent.Run(state);
      ASSERT_TRUE(arena.ended);
      ASSERT_NE(result.winner, Winner::kUnfinished);
      EXPECT_EQ(arena.loser, result.winner == Winner::kFirst ? name2 : name1);
      EXPECT_EQ(arena.ticks, result.ticks);
      EXPECT_EQ(arena.state_after, silent.state_after());
      for (auto [a, s] :
           {std::pair{&arena.first, &silent.first()}, {&arena.second, &silent.second()}}) {
        EXPECT_EQ((std::array{a->hp, a->mp, a->atk, a->def, a->agility, a->cunning}),
                  (std::array{s->hp, s->mp, s->atk, s->def, s->agility, s->cunning}));
      }
    }
  }
}

TEST(SilentBattle, ReplaysTheSameBattleFromTheSameState) {
  SilentBattle silent(MatchUp::Of("abc", "xyz"));
  BattleResult first = silent.Run(12345);
  silent.Run(999);  // a battle in between changes nothing
  BattleResult again = silent.Run(12345);
  EXPECT_EQ(first.winner, again.winner);
  EXPECT_EQ(first.ticks, again.ticks);
}

TEST(SilentBattle, FightersAreBuiltFromTheirNames) {
  SilentBattle silent(MatchUp::Of("abc", "xyz"));
  EXPECT_EQ(silent.first().name, "abc");
  EXPECT_EQ(silent.first().hp, 225);
  EXPECT_EQ(silent.first().cunning, 152);
  EXPECT_EQ(silent.second().name, "xyz");
}

}  // namespace
}  // namespace bramble::lab
