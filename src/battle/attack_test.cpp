#include <gtest/gtest.h>

#include "battle/attack.h"
#include "battle/draw_script_test.h"

namespace bramble {
namespace {

class AttackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    abc.Build("abc");  // hp 225, mp 214, atk 176, def 210, agility 150, cunning 152
    def.Build("abc");
    def.name = "def";
  }

  // Attacks def with the fixture's generator; the message as the game says it.
  ActionResult Attack() {
    ActionResult result = bramble::Attack(abc, def, dice);
    message = Said(result.message);
    return result;
  }

  // The draws that follow, as RandomInt(0, 32768) would see them.
  uint32_t StateAfter(std::initializer_list<Draw> script) {
    uint32_t state = dice.state;
    for (const Draw& draw : script)
      ReferenceDraw(&state, draw.a, draw.b);
    return state;
  }

  Fighter abc;
  Fighter def;
  Dice dice;
  std::string message;
};

TEST_F(AttackTest, NormalAttack) {
  const int32_t cases[][2] = {{100, 175}, {101, 177}, {60, 105}, {119, 209}};
  for (const auto& c : cases) {
    dice = ScriptDraws({{0, 4, 1}, {60, 120, c[0]}});
    uint32_t end = StateAfter({{0, 4, 1}, {60, 120, c[0]}});
    ActionResult result = Attack();
    EXPECT_EQ(result.value, c[1]) << "r=" << c[0];
    EXPECT_EQ(result.kind, ActionKind::NormalAttack);
    EXPECT_EQ(message, "<3>abc<15>进攻，");
    EXPECT_EQ(dice.state, end) << "one draw too many or too few";
  }
  abc.atk = 0;
  dice = ScriptDraws({{0, 4, 1}, {60, 120, 119}});
  EXPECT_EQ(Attack().value, 0);
}

TEST_F(AttackTest, MagicAttackNeedsElevenMpAndCostsMp) {
  dice = ScriptDraws({{0, 4, 0}, {40, 80, 50}, {10, 35, 12}});
  ActionResult result = Attack();
  EXPECT_EQ(result.value, 176 + 43);  // 50 x 88 is a multiple of 100
  EXPECT_EQ(result.kind, ActionKind::MagicAttack);
  EXPECT_EQ(abc.mp, 214 - 12);
  EXPECT_EQ(message, "<3>abc<15>使用<9>魔法攻击<15>，");

  abc.mp = 11;
  dice = ScriptDraws({{0, 4, 0}, {40, 80, 40}, {10, 35, 34}});
  EXPECT_EQ(Attack().kind, ActionKind::MagicAttack);
  EXPECT_EQ(abc.mp, 11 - 34);  // may go below zero

  abc.mp = 10;
  dice = ScriptDraws({{0, 4, 0}, {60, 120, 100}});
  EXPECT_EQ(Attack().kind, ActionKind::NormalAttack);
  EXPECT_EQ(abc.mp, 10);
}

TEST_F(AttackTest, PummelValueFromBothTerms) {
  // atk 176 against def 210: 132 - 84 = 48.
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 29}, {50, 100, 75}, {30, 80, 40}});
  ActionResult result = Attack();
  EXPECT_EQ(result.kind, ActionKind::Pummel);
  EXPECT_EQ(result.value, 48);
  EXPECT_EQ(message, "<3>abc<15>发狂了，把<3>def<15>摁在地上一顿暴打");

  // The attack term rounds to single precision first: 200 x 50 gives 100
  // (PercentOf would give 99); the absolute value keeps the base positive.
  abc.atk = 200;
  def.def = 0;
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 29}, {50, 100, 50}, {30, 80, 79}});
  EXPECT_EQ(Attack().value, 100);
  def.def = 210;
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 29}, {50, 100, 50}, {30, 80, 79}});
  EXPECT_EQ(Attack().value, 165 - 100);
}

TEST_F(AttackTest, PoisonHalvesEveryAttributeRoundingUp) {
  def.hp = 7;
  def.mp = -7;
  def.atk = 1;
  def.def = 0;
  def.agility = 2;
  def.cunning = -23;
  // The pummel check fails on its roll of 0, the poison check passes.
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 0}, {0, 30, 29}});
  uint32_t end = StateAfter({{0, 4, 2}, {0, 30, 0}, {0, 30, 29}});
  ActionResult result = Attack();
  EXPECT_EQ(result.kind, ActionKind::Poison);
  EXPECT_EQ(dice.state, end);
  EXPECT_EQ(message, "<3>abc<15>居然<6>投毒<15>，<3>def<15>所有属性减半");
  EXPECT_EQ(def.hp, 4);
  EXPECT_EQ(def.mp, -3);
  EXPECT_EQ(def.atk, 1);
  EXPECT_EQ(def.def, 0);
  EXPECT_EQ(def.agility, 1);
  EXPECT_EQ(def.cunning, -11);
}

TEST_F(AttackTest, LowAttackNeverPummelsAndLowCunningNeverPoisons) {
  abc.atk = 124;
  abc.cunning = 124;
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 29}, {0, 30, 29}, {60, 120, 100}});
  ActionResult result = Attack();
  EXPECT_EQ(result.kind, ActionKind::NormalAttack);
  EXPECT_EQ(result.value, 123);
}

TEST_F(AttackTest, LastStandRaisesEverythingThenAttacksWithTheRaisedAtk) {
  abc.hp = 39;
  const std::initializer_list<Draw> script = {{0, 4, 2},      {20, 60, 22},   {20, 60, kAny},
                                              {20, 60, 22},   {20, 60, kAny}, {20, 60, kAny},
                                              {20, 60, kAny}, {60, 120, 100}};
  dice = ScriptDraws(script);
  std::vector<int32_t> raise = PeekDraws(dice, script);
  ActionResult result = Attack();
  EXPECT_EQ(abc.hp, 39 + 22);
  EXPECT_EQ(abc.mp, 214 + raise[2]);
  EXPECT_EQ(abc.atk, 176 + 22);
  EXPECT_EQ(abc.def, 210 + raise[4]);
  EXPECT_EQ(abc.agility, 150 + raise[5]);
  EXPECT_EQ(abc.cunning, 152 + raise[6]);
  EXPECT_EQ(result.kind, ActionKind::NormalAttack);
  EXPECT_EQ(result.value, 197);  // PercentOf(100, 198): the raised atk
  EXPECT_EQ(message, "<3>abc<15>做<11>垂死抗争<15>，所有指数上升\n<3>abc<15>进攻，");

  abc.hp = 40;  // no last stand: the pummel check comes next
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 29}, {50, 100, 50}, {30, 80, 30}});
  EXPECT_EQ(Attack().kind, ActionKind::Pummel);
}

TEST_F(AttackTest, SongOrNormalAttack) {
  dice = ScriptDraws({{0, 4, 3}, {0, 30, 29}, {0, 21, 8}});
  ActionResult result = Attack();
  EXPECT_EQ(result.kind, ActionKind::Song);
  EXPECT_EQ(result.value, 0);
  EXPECT_EQ(message, "<3>abc<15>开始唱<13>\x94\x44公交<15>，");

  dice = ScriptDraws({{0, 4, 3}, {0, 30, 23}, {60, 120, 61}});  // 23 x 152 = 3496
  result = Attack();
  EXPECT_EQ(result.kind, ActionKind::NormalAttack);
  EXPECT_EQ(result.value, 107);
}

}  // namespace
}  // namespace bramble
