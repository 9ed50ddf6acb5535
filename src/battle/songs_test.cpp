#include "battle/songs.h"

#include <gtest/gtest.h>

#include "battle/draw_script_test.h"
#include "battle/lines.h"

namespace bramble {
namespace {

TEST(Songs, Tables) {
  EXPECT_EQ(kSongTitles[8].substr(0, 2), "\x94\x44");  // the traditional character
  EXPECT_EQ(kSongTitles[5], "Big Big World");
  EXPECT_EQ(kSongTitles[20], "十送红军");
  EXPECT_EQ(kReactionLines[5], "啊，啊，啊，受不了啦！S、T、O、P！");
  EXPECT_EQ(kReactionLines[8], "暂停一回合，给我个签名照？");
}

TEST(Songs, EveryRowCanBeDrawn) {
  for (int32_t row = 0; row < rules::kSongTitleCount; ++row) {
    Dice dice = ScriptDraws({{0, 21, row}});
    EXPECT_EQ(PickSongTitle(dice), row);
  }
  for (int32_t row = 0; row < rules::kReactionLineCount; ++row) {
    Dice dice = ScriptDraws({{0, 9, row}});
    EXPECT_EQ(PickReaction(dice), row);
  }
}

class ListenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    listener.Build("abc");
    listener.name = "L";
    listener.hp = 100;
    listener.mp = -10;
    singer.Build("abc");
    singer.name = "S";
    singer.hp = 50;
    singer.mp = 0;
  }
  // The listener's answer, as the game says it.
  std::string Listen() { return Said(ListenToSong(listener, singer, dice)); }

  Fighter listener;
  Fighter singer;
  Dice dice;
};

TEST_F(ListenTest, Unmoved) {
  listener.cunning = 270;
  dice = ScriptDraws({{0, 40, 31}});  // 31 x 270 > 90^2
  EXPECT_EQ(Listen(), "什么都没在<3>L<15>身上发生，<3>S<15>很无语......");
  EXPECT_EQ(listener.hp, 100);
  EXPECT_EQ(singer.hp, 50);
}

TEST_F(ListenTest, ListenerRefreshedAfterAProductExactlyAtTheFirstThreshold) {
  listener.cunning = 270;
  // 30 x 270 is exactly 90^2 and fails; 24 x 270 passes 80^2.
  dice = ScriptDraws({{0, 40, 30}, {0, 40, 24}, {0, 80, 79}, {0, 40, 0}, {0, 9, 3}});
  EXPECT_EQ(
      Listen(),
      "<3>L<15>说：<5>看招！（一个板凳扔了过去）<15>\n<3>S<15>唱完，<3>L<15>的HP、MP恢复了一点");
  EXPECT_EQ(listener.hp, 100 + 99);
  EXPECT_EQ(listener.mp, -10 + 20);
  EXPECT_EQ(singer.hp, 50);
}

TEST_F(ListenTest, SingerRefreshed) {
  listener.cunning = 164;  // 39 x 164 is below 80^2: never refreshed itself
  const std::initializer_list<Draw> script = {{0, 40, 39}, {0, 40, 39},   {0, 40, 39},
                                              {0, 80, 0},  {0, 40, kAny}, {0, 9, kAny}};
  dice = ScriptDraws(script);
  std::vector<int32_t> draws = PeekDraws(dice, script);
  EXPECT_EQ(Listen(), "<3>L<15>说：<5>" + std::string(kReactionLines[draws[5]]) +
                          "<15>\n<3>S<15>唱完，自己的HP、MP恢复了一点");
  EXPECT_EQ(singer.hp, 50 + 20);
  EXPECT_EQ(singer.mp, 0 + draws[4] + 20);
  EXPECT_EQ(listener.hp, 100);
}

TEST_F(ListenTest, ListenerHurt) {
  listener.cunning = 125;  // never refreshes the singer
  dice = ScriptDraws({{0, 40, 39}, {0, 40, 39}, {0, 40, 39}, {0, 40, 39}});
  EXPECT_EQ(Listen(), "<3>L<15>受不了<3>S<15>的魔音传导，HP降低<12>59<15>点");
  EXPECT_EQ(listener.hp, 41);
}

}  // namespace
}  // namespace bramble
