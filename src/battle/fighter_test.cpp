#include "battle/fighter.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "battle/lines.h"
#include "console/recording_console_test.h"

namespace bramble {
namespace {

TEST(Fighter, AttributesComeFromTheSortedDigest) {
  Fighter abc;
  abc.Build("abc");
  EXPECT_EQ(abc.digest, "98500190B04FD23C7D3F96D6727FE128");
  EXPECT_EQ(abc.hp, 225);
  EXPECT_EQ(abc.mp, 214);
  EXPECT_EQ(abc.atk, 176);  // the fourth largest
  EXPECT_EQ(abc.def, 210);  // the third largest
  EXPECT_EQ(abc.agility, 150);
  EXPECT_EQ(abc.cunning, 152);

  Fighter upper;
  upper.Build("ABC");  // no case folding of names
  EXPECT_NE(upper.digest, abc.digest);

  Fighter gbk;
  gbk.Build("甲乙");
  EXPECT_EQ(gbk.digest, "D35C9E03DA7D3BAEAC25DCD637B27994");
}

TEST(Fighter, RebuildingResetsEveryAttribute) {
  Fighter fighter;
  fighter.Build("abc");
  fighter.hp = fighter.mp = fighter.atk = fighter.def = fighter.agility = fighter.cunning = -999;
  fighter.Build("abc");
  EXPECT_EQ(fighter.hp, 225);
  EXPECT_EQ(fighter.mp, 214);
  EXPECT_EQ(fighter.atk, 176);
  EXPECT_EQ(fighter.def, 210);
  EXPECT_EQ(fighter.agility, 150);
  EXPECT_EQ(fighter.cunning, 152);
}

TEST(Fighter, AttributeLineIsShownButNotSaved) {
  std::string path = ::testing::TempDir() + "fighter-transcript.txt";
  std::remove(path.c_str());
  RecordingConsole recording;
  Fighter abc;
  abc.Build("abc");
  Screen screen(recording, path);
  ScreenNarrator(screen).Tell({Happening::kIntroduced, &abc}, abc, abc);
  EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
  EXPECT_EQ(recording.marked,
            "{3}abc{15} {14}HP:{12}225{15} {14}MP:{12}214{15} {14}ATK:{12}176{15} "
            "{14}DEF:{12}210{15}\n{7}");
}

TEST(Fighter, AStatusLineShowsBothFightersHp) {
  Fighter abc;
  abc.Build("abc");
  Fighter xyz;
  xyz.Build("xyz");
  xyz.hp = 0;
  EXPECT_EQ(ChineseLine({Happening::kBlow, &xyz, &abc, 39}, abc, xyz),
            "<3>xyz<15>受到<12>39<15>点伤害    <3>abc<15> <14>HP:<12><12>225<15> <3>xyz<15> "
            "<14>HP:<12><12>0<15>");
}

TEST(Fighter, NumbersAndNames) {
  EXPECT_EQ(NumberText(0), "<12>0<15>");
  EXPECT_EQ(NumberText(-37), "<12>-37<15>");
  EXPECT_EQ(DecimalText(INT32_MIN), "-2147483648");
  EXPECT_EQ(DecimalText(INT32_MAX), "2147483647");
  Fighter tagged;
  tagged.name = "a<10>b";
  EXPECT_EQ(ColoredName(tagged), "<3>a<10>b<15>");
}

TEST(Fighter, HexValuesIgnoreLetterCase) {
  EXPECT_EQ(HexTextValue("fF", 2), 255);
  EXPECT_EQ(HexTextValue("0b", 2), 11);
  EXPECT_EQ(HexTextValue("", 0), 0);
  int32_t values[] = {3, 9, 9, -1, 0, 12};
  SortDescending(values, 6, true);
  EXPECT_EQ(std::vector<int32_t>(values, values + 6), (std::vector<int32_t>{12, 9, 9, 3, 0, -1}));
  SortDescending(values, 6, false);
  EXPECT_EQ(std::vector<int32_t>(values, values + 6), (std::vector<int32_t>{-1, 0, 3, 9, 9, 12}));
}

}  // namespace
}  // namespace bramble
