#include "battle/arena.h"

#include <gtest/gtest.h>

#include <vector>

#include "battle/draw_script_test.h"
#include "battle/lines.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "console/recording_console_test.h"

namespace bramble {
namespace {

// Drives the Arena on a tick source that never waits; the test sees how
// many ticks a battle took and can end a battle with a quit after any tick.
class ArenaTest : public ::testing::Test {
 protected:
  size_t Count(const std::string& what) const {
    size_t count = 0;
    for (size_t at = told.text.find(what); at != std::string::npos;
         at = told.text.find(what, at + 1))
      ++count;
    return count;
  }

  // The first battle of a run with seed 1, quit after `ticks` ticks.
  std::string FirstBattle(uint64_t ticks) {
    told.text.clear();
    Dice seeded = Dice::Seeded(1);
    Arena arena(Ticker::Immediate(ticks), told, seeded);
    arena.Setup("abc", "xyz");
    arena.Battle();
    return told.text;
  }

  RecordingNarrator told;
  Dice dice = Dice::Seeded(1);
  Arena arena{Ticker::Immediate(1000000), told, dice};
};

TEST_F(ArenaTest, ABattleEndsOneTickAfterTheDefeatLine) {
  arena.Setup("abc", "xyz");
  EXPECT_EQ(arena.ticker.Waits(), 0);
  EXPECT_NE(arena.Battle(), 0);
  std::string text = told.text;
  int64_t waits = arena.ticker.Waits();
  EXPECT_EQ(Count("被击败了"), 1u);
  ASSERT_GE(waits, 3);
  EXPECT_TRUE(arena.bout.ended);
  EXPECT_EQ(text.rfind("\a    \n"), text.size() - 6) << "the defeat line is the last";
  EXPECT_EQ(text.substr(0, 1), "\n");
  EXPECT_EQ(text.find("abc HP:225 MP:214 ATK:176 DEF:210\n"), 1u);
  // The last tick printed nothing: quitting in its place changes nothing.
  // The defeat line came on the tick before it.
  EXPECT_EQ(FirstBattle(waits - 1), text);
  std::string cut = FirstBattle(waits - 2);
  EXPECT_EQ(cut.find("被击败了"), std::string::npos);
  EXPECT_EQ(text.rfind(cut, 0), 0u) << "a quit only cuts the battle short";
}

TEST_F(ArenaTest, ARematchStartsNoSecondTimerAndPrintsTheEmptyLineAfterTheFighters) {
  arena.interval = 10;
  arena.Setup("abc", "xyz");
  arena.Battle();
  EXPECT_EQ(arena.ticker.Starts(), 1);
  told.text.clear();
  arena.Rematch("xyz", "abc");
  EXPECT_EQ(arena.ticker.Starts(), 1);
  EXPECT_EQ(told.text.find("xyz HP:248"), 0u);
  size_t second_line = told.text.find('\n') + 1;
  EXPECT_EQ(told.text.substr(second_line, 4), "abc ");
  size_t empty_line = told.text.find('\n', second_line) + 1;
  EXPECT_EQ(told.text.substr(empty_line, 1), "\n");
  EXPECT_EQ(told.text.substr(empty_line + 1, 10), "决斗开始！");
  EXPECT_TRUE(arena.bout.ended);
}

TEST_F(ArenaTest, EveryBattleDrawsItsFirstAttackerAnew) {
  arena.Setup("abc", "xyz");
  arena.Battle();
  for (int32_t draw : {0, 1, 1, 0}) {
    dice = ScriptDraws({{0, 2, draw}});
    arena.ticker = Ticker::Immediate(0);  // only the first attacker matters here
    arena.Rematch("abc", "xyz");
    EXPECT_EQ(arena.bout.attacker, draw == 1 ? &arena.bout.second : &arena.bout.first);
  }
}

TEST_F(ArenaTest, AQuitEndsTheBattleAtOnce) {
  arena.ticker = Ticker::Immediate(2);
  arena.Setup("abc", "xyz");
  EXPECT_EQ(arena.Battle(), 0);
  EXPECT_EQ(arena.ticker.Waits(), 3);
  EXPECT_FALSE(arena.bout.ended);
  EXPECT_EQ(Count("\n"), 6u) << "the empty line, two fighters, the start, two steps";
}

TEST_F(ArenaTest, TheTranscriptGetsTheBattleButNotTheFighters) {
  std::string path = ::testing::TempDir() + "arena-transcript.txt";
  std::remove(path.c_str());
  RecordingConsole console;  // the screen's console, kept off the test's output
  Screen saving(console, path);
  ScreenNarrator saved_narrator(saving);
  Arena saved_arena(Ticker::Immediate(1000000), saved_narrator, dice);
  saved_arena.Setup("abc", "xyz");
  saved_arena.Battle();
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::string saved;
  for (int c; (c = std::fgetc(file)) != EOF;)
    saved += static_cast<char>(c);
  std::fclose(file);
  std::remove(path.c_str());
  EXPECT_EQ(saved.find("决斗开始！    \r\n"), 0u);
  EXPECT_EQ(saved.find("HP:225 MP"), std::string::npos);
  EXPECT_NE(saved.find("被击败了 --*\a    \r\n"), std::string::npos);
}

}  // namespace
}  // namespace bramble
