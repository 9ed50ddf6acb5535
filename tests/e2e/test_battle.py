"""Whole seeded battles of the built game, checked line by line against the
rules model (model.py), console and transcript alike."""

import os
import tempfile

import harness
import model
from harness import GameTest, run, words_input
from model import g

# Found with the model: these names and two rematches bring every kind of
# battle line (each attack, each response, each listening outcome, a last
# stand, a beating, poison, a deflection) in about 80 ticks.
WORDS = [b"w112", g("甲乙"), b"R", b"R", b"n"]
EVERY_KIND = ["垂死抗争", "发狂了", "投毒", "开始唱", "魔法攻击", "使用魔法防御，受到",
              "攻击失败", "普通攻击无效", "移花接木", "紧急回避", "躲开了", "什么都没在",
              "的HP、MP恢复", "自己的HP、MP恢复", "魔音传导", "被击败了"]


class RulesModel(GameTest):
    """The model against the worked figures of the rules, so that a wrong
    model cannot agree with a wrong game by chance."""

    def test_model_matches_the_worked_figures(self):
        rng = model.Random(0)
        first = model.Random.__new__(model.Random)
        first.state = 1
        self.assertEqual(first.next_output(), 41)
        zero = model.Random.__new__(model.Random)  # seeded with 0
        zero.state = 0
        self.assertEqual(zero.next_output(), 38)
        self.assertEqual(rng.int(5, 5), 5)
        self.assertEqual([model.percent_of(100, 50), model.percent_of(101, 50),
                          model.percent_of(110, 100), model.percent_of(50, 88)], [49, 50, 109, 43])
        self.assertEqual(model.percent_of_single(75, 176), 132)
        self.assertEqual(model.percent_of_single(100, 50), 50)
        self.assertEqual([model.ceil_half(x) for x in (7, 1, 0, -7, -23)], [4, 1, 0, -3, -11])
        abc = model.Fighter(b"abc")
        self.assertEqual((abc.hp, abc.mp, abc.atk, abc.defence, abc.agility, abc.cunning),
                         (225, 214, 176, 210, 150, 152))
        # RandomInt(60, 100) splits the outputs 819/820 per value
        for k, value in ((819, 60), (820, 61), (1638, 61), (1639, 62), (31948, 99)):
            r = model.Random.__new__(model.Random)
            r.next_output = lambda k=k: k
            self.assertEqual(r.int(60, 100), value, "output %d" % k)


class SeededBattle(GameTest):
    def test_every_kind_of_line_is_in_the_chosen_battles(self):
        text = model.plain(bytes(self.expected(WORDS).console)).decode("gbk")
        missing = [k for k in EVERY_KIND if k not in text]
        self.assertEqual(missing, [], "the chosen names no longer cover these lines")

    def test_whole_seeded_battles_line_by_line(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "duel.txt")
            r = run(["/I:10", "/S:" + path], words_input(*WORDS))
            self.assertStatus(r)
            with open(path, "rb") as f:
                transcript = f.read()
        out = self.expected(WORDS, saving="ok")
        self.assertBytes(r.stdout, bytes(out.console), "console output")
        self.assertBytes(transcript, bytes(out.transcript), "transcript")

    def test_first_lines_by_hand(self):
        # abc (HP 225 MP 214 ATK 176 DEF 210) against xyz (248 209 175 179).
        # Seed 1: output 41 is discarded; the draws then are (outputs
        # 18467, 6334, 26500, 19169, 15724, 11478, ...):
        #   first attacker: 18467 -> 1, xyz attacks first;
        #   family 6334 -> 0 with mp 209 >= 11: magic attack,
        #   26500 -> r=72: 175 + PercentOf(72, 87) = 175 + 62 = 237, mp cost 19169 -> 24;
        #   abc responds: family 15724 -> 1, plain defence,
        #   11478 -> r=97: PercentOf(97, 210) = 203, 203 - 237 <= 0: dodged.
        r = run(["/I:10"], words_input(b"abc", b"xyz", b"n"))
        lines = r.stdout.split(b"\n")
        start = lines.index(g("决斗开始！    "))
        self.assertEqual(lines[start - 3:start + 3], [
            b"",
            b"abc HP:225 MP:214 ATK:176 DEF:210",
            b"xyz HP:248 MP:209 ATK:175 DEF:179",
            g("决斗开始！    "),
            g("xyz使用魔法攻击，    abc HP:225 xyz HP:248"),
            g("被abc躲开了    abc HP:225 xyz HP:248"),
        ])


if __name__ == "__main__":
    harness.main()
