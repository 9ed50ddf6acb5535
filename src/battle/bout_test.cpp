#include "battle/bout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "battle/draw_script_test.h"

namespace bramble {
namespace {

class BoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bout.first.Build("abc");
    bout.first.name = "A";
    bout.second.Build("abc");
    bout.second.name = "B";
    bout.attacker = &bout.first;
    bout.defender = &bout.second;
    bout.Begin();
  }

  // The plain lines printed by one step.
  std::vector<std::string> Step() {
    told.text.clear();
    bout.Step(dice);
    std::vector<std::string> lines;
    std::istringstream in(told.text);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  std::string Hp(int a, int b) {
    return "    A HP:" + std::to_string(a) + " B HP:" + std::to_string(b);
  }

  RecordingNarrator told;
  Bout bout{&told};
  Dice dice;
};

TEST_F(BoutTest, StartLine) {
  EXPECT_EQ(told.marked, "<12>决斗开始！    \n");
  EXPECT_EQ(bout.turn_state, TurnState::AttackTurn);
}

TEST_F(BoutTest, ThePoisonedFighterAttacksOnTheNextTickWithoutResponding) {
  dice = ScriptDraws({{0, 4, 2}, {0, 30, 0}, {0, 30, 29}, {0, 4, 1}, {60, 120, 100}});
  EXPECT_EQ(Step(), std::vector<std::string>{"A居然投毒，B所有属性减半" + Hp(225, 113)});
  EXPECT_EQ(bout.attacker, &bout.second);
  EXPECT_EQ(Step(), std::vector<std::string>{"B进攻，" + Hp(225, 113)});
  EXPECT_EQ(bout.last_value, 87);  // the halved atk 88, at r = 100
  EXPECT_EQ(bout.turn_state, TurnState::ResponseTurn);
}

TEST_F(BoutTest, ABeatingOfThreeBlowsTakesFourTicks) {
  // Pummel base 48 (atk 176 against def 210), three blows of r = 80, 81, 60.
  const std::initializer_list<Draw> script = {{0, 4, 2},       {0, 30, 29},   {50, 100, 75},
                                              {30, 80, 40},    {2, 5, 3},     {60, 100, kAny},
                                              {60, 100, kAny}, {60, 100, 80}, {0, 4, 1}};
  dice = ScriptDraws(script);
  std::vector<int32_t> draws = PeekDraws(dice, script);
  EXPECT_EQ(Step(), std::vector<std::string>{"A发狂了，把B摁在地上一顿暴打" + Hp(225, 225)});
  EXPECT_EQ(bout.pummel_hits, 3);
  int hp = 225;
  for (int blow = 0; blow < 3; ++blow) {
    int damage = draws[5 + blow] * 48 / 100 - (draws[5 + blow] * 48 % 100 == 0 ? 1 : 0);
    hp -= damage;
    EXPECT_EQ(Step(),
              std::vector<std::string>{"B受到" + std::to_string(damage) + "点伤害" + Hp(225, hp)});
  }
  EXPECT_EQ(Step(), std::vector<std::string>{});  // the silent tick
  EXPECT_EQ(bout.attacker, &bout.second);
  EXPECT_EQ(Step().at(0).substr(0, 7), "B进攻，");
}

TEST_F(BoutTest, ABlowThatFellsTheDefenderEndsTheBattleOnTheSameTick) {
  bout.second.hp = 30;
  dice =
      ScriptDraws({{0, 4, 2}, {0, 30, 29}, {50, 100, 75}, {30, 80, 40}, {2, 5, 4}, {60, 100, 99}});
  Step();
  std::vector<std::string> lines = Step();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "B受到47点伤害" + Hp(225, 0));
  EXPECT_EQ(lines[1], "*-- B被击败了 --*\a    ");
  EXPECT_EQ(bout.second.hp, 0);  // stored clamped, not negative
  EXPECT_TRUE(bout.ended);
  EXPECT_EQ(Step(), std::vector<std::string>{});
}

TEST_F(BoutTest, ADeflectionCanFellTheAttacker) {
  bout.first.hp = 10;
  bout.second.cunning = 200;
  dice = ScriptDraws({{0, 4, 1}, {60, 120, 100}, {0, 3, 2}, {0, 30, 29}, {20, 40, 39}});
  Step();
  std::vector<std::string> lines = Step();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "B移花接木，A受到反作用伤害68点" + Hp(0, 225));
  EXPECT_EQ(lines[1], "*-- A被击败了 --*\a    ");
  EXPECT_NE(told.marked.find("<12>*-- <3>A<15>被击败了<12> --*\a    \n"), std::string::npos);
}

TEST_F(BoutTest, WhenBothHaveFallenTheAttackerIsDeclaredDefeated) {
  // No response can fell both in one step; the order of the tests still
  // decides, so put the attacker at 0 by hand before the defender falls.
  bout.turn_state = TurnState::ResponseTurn;
  bout.last_kind = ActionKind::NormalAttack;
  bout.last_value = 0;
  bout.first.hp = 0;
  bout.second.hp = 1;
  dice = ScriptDraws({{0, 3, 1}, {80, 130, 100}});
  std::vector<std::string> lines = Step();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "B受到209点伤害" + Hp(0, 0));
  EXPECT_EQ(lines[1], "*-- A被击败了 --*\a    ");
}

TEST_F(BoutTest, ARespondingTurnSwapsTheRoles) {
  dice = ScriptDraws({{0, 4, 1}, {60, 120, 100}, {0, 3, 1}, {80, 130, 88}});
  Step();
  EXPECT_EQ(Step(), std::vector<std::string>{"B受到9点伤害" + Hp(225, 216)});
  EXPECT_EQ(bout.attacker, &bout.second);
  EXPECT_EQ(bout.turn_state, TurnState::AttackTurn);
}

TEST(BoutFirstAttacker, FighterTwoOnADrawOfOne) {
  Bout bout;
  Dice dice = ScriptDraws({{0, 2, 1}});
  bout.PickFirstAttacker(dice);
  EXPECT_EQ(bout.attacker, &bout.second);
  EXPECT_EQ(bout.defender, &bout.first);
  dice = ScriptDraws({{0, 2, 0}});
  bout.PickFirstAttacker(dice);
  EXPECT_EQ(bout.attacker, &bout.first);
  EXPECT_EQ(bout.defender, &bout.second);
}

}  // namespace
}  // namespace bramble
