#include "battle/arena.h"

#include <gtest/gtest.h>

#include <vector>

#include "battle/draw_script_test.h"
#include "battle/random.h"
#include "console/print_marked.h"
#include "console/terminal.h"

namespace bramble {
namespace {

// Drives the Arena with a tick source stepped by hand: every wait is one
// tick, and the test sees how many there were.
class ArenaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    arena.ticker.manual = [this] {
      ++ticks;
      printed_at_tick.push_back(console.text.size());
      return quit_at == ticks ? 0 : 1;
    };
    terminal::StartRecording(&console);
    SeedRandomWith(1);
  }
  void TearDown() override { terminal::StopRecording(); }

  size_t Count(const std::string& what) const {
    size_t count = 0;
    for (size_t at = console.text.find(what); at != std::string::npos;
         at = console.text.find(what, at + 1))
      ++count;
    return count;
  }

  Arena arena;
  terminal::Recording console;
  int ticks = 0;
  int quit_at = -1;
  std::vector<size_t> printed_at_tick;  // output size at each wait
};

TEST_F(ArenaTest, ABattleEndsOneTickAfterTheDefeatLine) {
  arena.Setup("abc", "xyz");
  EXPECT_EQ(ticks, 0);
  arena.Battle();
  std::string text = console.text;
  EXPECT_EQ(Count("被击败了"), 1u);
  ASSERT_GE(ticks, 2);
  // The defeat line came on the tick before the last; the last printed nothing.
  EXPECT_EQ(printed_at_tick.back(), text.size());
  size_t before_defeat_tick = printed_at_tick[printed_at_tick.size() - 2];
  EXPECT_NE(text.find("被击败了", before_defeat_tick), std::string::npos);
  EXPECT_TRUE(arena.bout.ended);
  EXPECT_EQ(text.rfind("\a    \n"), text.size() - 6) << "the defeat line is the last";
  EXPECT_EQ(text.substr(0, 1), "\n");
  EXPECT_EQ(text.find("abc HP:225 MP:214 ATK:176 DEF:210\n"), 1u);
}

TEST_F(ArenaTest, ARematchStartsNoSecondTimerAndPrintsTheEmptyLineAfterTheFighters) {
  arena.interval = 10;
  arena.Setup("abc", "xyz");
  arena.Battle();
  EXPECT_EQ(arena.ticker.starts, 1);
  console.text.clear();
  arena.Rematch("xyz", "abc");
  EXPECT_EQ(arena.ticker.starts, 1);
  EXPECT_EQ(console.text.find("xyz HP:248"), 0u);
  size_t second_line = console.text.find('\n') + 1;
  EXPECT_EQ(console.text.substr(second_line, 4), "abc ");
  size_t empty_line = console.text.find('\n', second_line) + 1;
  EXPECT_EQ(console.text.substr(empty_line, 1), "\n");
  EXPECT_EQ(console.text.substr(empty_line + 1, 10), "决斗开始！");
  EXPECT_TRUE(arena.bout.ended);
}

TEST_F(ArenaTest, EveryBattleDrawsItsFirstAttackerAnew) {
  arena.Setup("abc", "xyz");
  arena.Battle();
  for (int32_t draw : {0, 1, 1, 0}) {
    ScriptDraws({{0, 2, draw}});
    quit_at = ticks + 1;  // only the first attacker matters here
    arena.Rematch("abc", "xyz");
    EXPECT_EQ(arena.bout.attacker, draw == 1 ? &arena.bout.second : &arena.bout.first);
  }
}

TEST_F(ArenaTest, AQuitEndsTheBattleAtOnce) {
  quit_at = 3;
  arena.Setup("abc", "xyz");
  EXPECT_EQ(arena.Battle(), 0);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(arena.bout.ended);
}

TEST_F(ArenaTest, TheTranscriptGetsTheBattleButNotTheFighters) {
  std::string path = ::testing::TempDir() + "arena-transcript.txt";
  std::remove(path.c_str());
  transcriptPath = path;
  arena.Setup("abc", "xyz");
  arena.Battle();
  transcriptPath.clear();
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
