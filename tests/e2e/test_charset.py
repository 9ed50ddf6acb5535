"""Character sets through pipes: under a UTF-8 locale the game writes UTF-8
and reads typed UTF-8 names as GBK; under LC_ALL=C bytes pass unchanged.
The transcript holds GBK either way."""

import hashlib
import os
import tempfile

import harness
from harness import GameTest, run, words_input
from model import g

WORDS = ["甲乙", "abc", "qzpw", "R", "n"]


def attribute_numbers(name_bytes):
    v = sorted(hashlib.md5(name_bytes).digest(), reverse=True)
    return " HP:%d MP:%d ATK:%d DEF:%d" % (v[0], v[1], v[3], v[2])


class Charset(GameTest):
    def test_utf8_locale_converts_both_ways(self):
        gbk_words = [w.encode("gbk") for w in WORDS]
        expected = self.expected(gbk_words, saving="ok")
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "duel.txt")
            r = run(["/I:10", "/S:" + path], words_input(*(w.encode() for w in WORDS)),
                    locale="C.UTF-8")
            self.assertStatus(r)
            with open(path, "rb") as f:
                transcript = f.read()
        self.assertBytes(r.stdout, bytes(expected.console).decode("gbk").encode("utf-8"),
                         "UTF-8 output", encoding="utf-8")
        self.assertBytes(transcript, bytes(expected.transcript), "transcript (GBK)")

    def test_same_fighter_from_gbk_under_c_and_utf8_under_utf8(self):
        c = run(["/I:10"], g("甲乙 abc\nn\n"), locale="C")
        u = run(["/I:10"], "甲乙 abc\nn\n".encode(), locale="C.UTF-8")
        self.assertStatus(c)
        self.assertStatus(u)
        self.assertIn(g("甲乙") + attribute_numbers(b"\xbc\xd7\xd2\xd2").encode(), c.stdout)
        self.assertBytes(u.stdout, c.stdout.decode("gbk").encode("utf-8"),
                         "UTF-8 run against the GBK run", encoding="utf-8")

    def test_names_beyond_gbk(self):
        # a character GBK lacks is read as GB18030 writes it; bytes that are
        # not UTF-8 are kept; either way the fighter is that of those bytes
        for typed, held in (("a😀".encode(), b"a" + "😀".encode("gb18030")),
                            (b"\xff\xfeq", b"\xff\xfeq")):
            with self.subTest(typed=typed):
                r = run(["/I:10"], typed + b" abc\nn\n", locale="C.UTF-8")
                self.assertStatus(r)
                first = r.stdout.split(b"\n")[6].decode("utf-8")
                self.assertTrue(first.endswith(attribute_numbers(held)),
                                "attribute line %r should end in %r (the fighter of %r)"
                                % (first, attribute_numbers(held), held))


if __name__ == "__main__":
    harness.main()
