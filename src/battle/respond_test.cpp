#include <gtest/gtest.h>

#include "battle/draw_script_test.h"
#include "battle/respond.h"

namespace bramble {
namespace {

class RespondTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d.Build("abc");
    d.name = "D";
    d.hp = 200;
    d.mp = 5;
    d.def = 100;
    d.agility = 0;
    d.cunning = 0;
    a.Build("abc");
    a.name = "A";
    a.hp = 150;
  }

  // d's answer, as the game says it.
  std::string Respond(int32_t value, ActionKind kind) {
    return Said(bramble::Respond(d, a, value, kind, dice));
  }

  Fighter d;
  Fighter a;
  Dice dice;
};

TEST_F(RespondTest, PlainDefenceIsTheDefendersRollMinusTheValue) {
  struct Case {
    int32_t value;
    int32_t hp_after;
    const char* message;
  };
  // r = 110 against def 100: the roll is 109.
  const Case cases[] = {
      {60, 200 - 49, "<3>D<15>受到<12>49<15>点伤害"},
      {108, 199, "<3>D<15>受到<12>1<15>点伤害"},
      {109, 200, "<15>被<3>D<15>躲开了"},
      {500, 200, "<15>被<3>D<15>躲开了"},
  };
  for (const Case& c : cases) {
    d.hp = 200;
    dice = ScriptDraws({{0, 3, 1}, {80, 130, 110}});
    EXPECT_EQ(Respond(c.value, ActionKind::NormalAttack), c.message);
    EXPECT_EQ(d.hp, c.hp_after);
    EXPECT_EQ(a.hp, 150);
  }
}

TEST_F(RespondTest, MagicDefenceNeedsTwentyOneMp) {
  d.mp = 20;
  dice = ScriptDraws({{0, 3, 0}, {80, 130, 110}});
  EXPECT_EQ(Respond(60, ActionKind::NormalAttack), "<3>D<15>受到<12>49<15>点伤害");
  EXPECT_EQ(d.mp, 20);

  d.mp = 21;
  d.hp = 200;
  dice = ScriptDraws({{0, 3, 0}, {20, 45, 44}});
  EXPECT_EQ(Respond(60, ActionKind::NormalAttack),
            "<3>D<15>使用<9>魔法防御<15>，<3>A<15>的普通攻击无效");
  EXPECT_EQ(d.mp, 21 - 44);
  EXPECT_EQ(d.hp, 200);
}

TEST_F(RespondTest, MagicDefenceAgainstMagic) {
  // def 100 + PercentOf(60, 50) = 129, then the mp cost after the damage roll.
  const int32_t cases[][2] = {{128, 1}, {129, 0}, {29, 100}};
  for (const auto& c : cases) {
    d.hp = 200;
    d.mp = 100;
    dice = ScriptDraws({{0, 3, 0}, {60, 100, 60}, {20, 45, 20}});
    std::string message = Respond(c[0], ActionKind::MagicAttack);
    EXPECT_EQ(d.mp, 80);
    EXPECT_EQ(d.hp, 200 - c[1]);
    if (c[1] > 0)
      EXPECT_EQ(message,
                "<3>D<15>使用<9>魔法防御<15>，受到<12>" + std::to_string(c[1]) + "<15>点伤害");
    else
      EXPECT_EQ(message, "<3>D<15>使用<9>魔法防御<15>，<3>A<15>攻击失败");
  }
}

TEST_F(RespondTest, DeflectionTurnsDamageBackOntoTheAttacker) {
  d.cunning = 169;  // 29 x 169 is just above 70^2
  dice = ScriptDraws({{0, 3, 2}, {0, 30, 29}, {20, 40, 30}});
  EXPECT_EQ(Respond(200, ActionKind::NormalAttack),
            "<3>D<15><10>移花接木<15>，<3>A<15>受到反作用伤害<12>59<15>点");
  EXPECT_EQ(a.hp, 150 - 59);
  EXPECT_EQ(d.hp, 200);

  dice = ScriptDraws({{0, 3, 2}, {0, 30, 29}, {20, 40, 39}});
  EXPECT_EQ(Respond(2, ActionKind::NormalAttack),
            "<3>D<15><10>移花接木<15>，<3>A<15>受到反作用伤害<12>0<15>点");

  d.cunning = 168;  // never deflects: the evasion check and the plain defence follow
  dice = ScriptDraws({{0, 3, 2}, {0, 30, 29}, {0, 30, 29}, {80, 130, 110}});
  EXPECT_EQ(Respond(60, ActionKind::NormalAttack), "<3>D<15>受到<12>49<15>点伤害");
}

TEST_F(RespondTest, EmergencyEvasionNeedsAgility125) {
  d.agility = 125;
  dice = ScriptDraws({{0, 3, 2}, {0, 30, 29}, {0, 30, 29}});
  EXPECT_EQ(Respond(60, ActionKind::NormalAttack), "<3>D<15><14>紧急回避<15>，未受到任何伤害");
  EXPECT_EQ(d.hp, 200);
}

TEST_F(RespondTest, ASongIsAlwaysListenedToAfterTheFamilyDraw) {
  // The family draw is made and ignored; the listener (cunning 0) is hurt.
  for (int32_t family = 0; family < 3; ++family) {
    d.hp = 200;
    d.mp = 100;
    dice = ScriptDraws({{0, 3, family}, {0, 40, 39}, {0, 40, 39}, {0, 40, 39}, {0, 40, 5}});
    EXPECT_EQ(Respond(0, ActionKind::Song), "<3>D<15>受不了<3>A<15>的魔音传导，HP降低<12>25<15>点");
    EXPECT_EQ(d.hp, 175);
  }
}

}  // namespace
}  // namespace bramble
