"""Name entry and the play-again loop of the built game, through pipes.
Every run is compared byte for byte with the rules model, so a battle
that runs when it should not (or the other way round) shows as a
difference in the output."""

import harness
from harness import GameTest, run, words_input
from model import g

START = g("决斗开始！")


class MatchLoop(GameTest):
    def play(self, words, stdin=None, what=None):
        """Runs the game on the words (or on raw stdin) and checks its whole
        output against the model; returns the output."""
        r = run(["/I:10"], words_input(*words) if stdin is None else stdin)
        self.assertStatus(r, 0, "exit status for input %r" % (stdin or words,))
        self.assertBytes(r.stdout, bytes(self.expected(words).console),
                         what or "output for input %r" % (stdin or words,))
        return r.stdout

    def test_same_name_is_asked_again(self):
        out = self.play([b"abc", b"abc", b"abc", b"ABC", b"n"])
        self.assertEqual(out.count(g("自己跟自己打架？")), 1)
        self.assertEqual(out.count(START), 1, "abc against ABC is one battle")

    def test_three_words_on_one_line(self):
        # the waiting R is the answer to the first play-again prompt
        out = self.play([g("甲"), g("乙"), b"R"], stdin=g("甲 乙 R\n"))
        self.assertEqual(out.count(START), 2, "battle and rematch without further input")

    def test_last_word_without_line_end(self):
        self.play([b"abc", b"xyz", b"R"], stdin=b"abc\txyz\n\n  R")

    def test_rematch_answers(self):
        out = self.play([b"abc", b"xyz", b"R", b"r", b"n"])
        self.assertEqual(out.count(START), 3)

    def test_new_names(self):
        out = self.play([b"abc", b"xyz", b"Y", g("甲乙"), b"Bob", b"n"])
        self.assertEqual(out.count(START), 2)
        self.play([b"abc", b"xyz", b"y", b"foo", b"foo", b"foo", b"bar", b"n"])

    def test_verse_any_number_of_times(self):
        out = self.play([b"abc", b"xyz", b"qzpw", b"qzpw", b"qzpw", b"n"])
        self.assertEqual(out.count(START), 1, "the verse never starts a battle")
        self.assertEqual(out.count(self.verse()), 3)

    def test_verse_form(self):
        verse = self.verse()
        self.assertEqual(len(verse), 131, "verse is %d bytes, not 131" % len(verse))
        self.assertNotIn(b"<", verse)
        lines = verse.decode("gbk").split("\n")
        self.assertEqual(lines[12:], [""], "12 lines, each ended by a line feed")
        title, indented, *rest = lines[:12]
        self.assertEqual(len(title), 2, "title line %r" % title)
        self.assertTrue(indented.startswith(" " * 5) and len(indented) == 10
                        and " " not in indented[5:], "indented line %r" % indented)
        self.assertEqual(rest[0::3], ["", "", "", ""], "blank lines after title and stanzas")
        for line in rest[1::3] + rest[2::3]:
            self.assertTrue(line and all(len(ch.encode("gbk")) == 2 for ch in line),
                            "stanza line %r must hold double-byte characters only" % line)

    def test_answers_that_end_the_game(self):
        for answer in (b"RR", b"yes", b"n", b"Q", b"QZPW", b"rematch"):
            with self.subTest(answer=answer):
                out = self.play([b"abc", b"xyz", answer, b"r"])
                self.assertEqual(out.count(START), 1)

    def test_end_of_input_at_every_prompt(self):
        cases = [[], [b"abc"], [b"abc", b"abc"], [b"abc", b"abc", b"abc"], [b"abc", b"xyz"],
                 [b"abc", b"xyz", b"Y"], [b"abc", b"xyz", b"y", b"foo"],
                 [b"abc", b"xyz", b"Y", b"foo", b"foo"], [b"abc", b"xyz", b"qzpw"],
                 [b"abc", b"xyz", b"R"]]
        for words in cases:
            with self.subTest(words=words):
                r = run(["/I:10"], words_input(*words), timeout=15)
                self.assertStatus(r, 0, "exit status at end of input after %r" % words)
                self.assertBytes(r.stdout, bytes(self.expected(words).console),
                                 "output at end of input after %r" % words)
                self.assertLess(r.elapsed, 10, "end of input after %r took %.1fs"
                                % (words, r.elapsed))

    def test_control_bytes_and_markup_in_names_reach_a_pipe_unchanged(self):
        # only a terminal gets placeholders; a tag typed into a name is obeyed
        # (and so is not shown)
        out = self.play([b"a\x1b[7mb", b"c\x01d\x7f", b"y", b"e<10>f", b"g", b"n"])
        self.assertIn(b"a\x1b[7mb HP:", out)
        self.assertIn(b"ef HP:", out)


if __name__ == "__main__":
    harness.main()
