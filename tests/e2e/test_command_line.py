"""Command line of the built game: banner, usage text, --help/-h/--version,
and how the interval and transcript switches are read."""

import os
import re
import tempfile

import harness
import model
from harness import GameTest, run, run_timed, show, words_input
from model import g

FRAME = b"*" + b"-" * 47 + b"*\n"
BANNER = (FRAME + g("*--------Brambleworthen 控制台版 V%s---------*\n" % model.VERSION)
          + g("*---------- Brambleworthen 开发组出品 ----------*\n") + FRAME)
PROMPT = g("*-- 请输入对战双方的姓名，用空格分开：--*\n")

USAGE_HEAD = g("Brambleworthen 控制台版 V%s\n" % model.VERSION)
USAGE_TAIL = g("Brambleworthen [/I:interval] [/S:filepath]\n\n"
               "  /I:interval\n"
               "              指定对战间隔，默认为1000ms\n"
               "              输入值按毫秒解释，不加单位\n"
               "  /S:filepath\n"
               "              指定路径保存对战信息，该参数将\n"
               "              把对战屏幕保存为指定的文本文件\n")


def files_under(root):
    found = []
    for base, dirs, files in os.walk(root):
        found += [os.path.relpath(os.path.join(base, f), root) for f in files]
    return sorted(found)


class Banner(GameTest):
    def test_banner_bytes_then_prompt(self):
        r = run(["/I:10"], b"")
        self.assertStatus(r)
        self.assertBytes(r.stdout, BANNER + PROMPT, "banner and name prompt")
        for line in BANNER.split(b"\n")[:4]:
            self.assertEqual(len(line), 49, "banner line %r is %d columns, not 49"
                             % (harness.show(line), len(line)))


class Usage(GameTest):
    def check_usage(self, stdout):
        # The maker notice (second line) is our own wording: 32 columns, no
        # markup, followed by an empty line.
        self.assertTrue(stdout.startswith(USAGE_HEAD), "usage starts with\n%s"
                        % harness.show(stdout[:120]))
        rest = stdout[len(USAGE_HEAD):]
        notice, _, tail = rest.partition(b"\n")
        self.assertEqual(len(notice), 32, "maker notice %r is %d columns, not 32"
                         % (harness.show(notice), len(notice)))
        self.assertNotIn(b"<", notice)
        self.assertBytes(tail, b"\n" + USAGE_TAIL, "usage text after the maker notice")

    def test_usage_and_nothing_else(self):
        cases = [["/?"], ["-?"], ["/I:10", "/?", "/S:usage.txt"], ["/S:usage.txt", "x?y"],
                 ["--help"], ["-h"], ["/I:10", "--help", "/S:usage.txt"], ["-h", "/S:usage.txt"]]
        for args in cases:
            with self.subTest(args=args), tempfile.TemporaryDirectory() as tmp:
                r = run(args, words_input(b"abc", b"xyz"), cwd=tmp)
                self.assertStatus(r)
                self.check_usage(r.stdout)
                self.assertEqual(r.stderr, b"")
                self.assertEqual(files_under(tmp), [], "usage must not open a transcript")

    def test_version(self):
        for args in (["--version"], ["/I:10", "--version"]):
            with self.subTest(args=args):
                r = run(args, words_input(b"abc", b"xyz"))
                self.assertStatus(r)
                self.assertBytes(r.stdout, USAGE_HEAD, "--version output")


def first_step(test, args):
    """Seconds from the start of the game, and from the start line, to the
    first step of the battle."""
    lines = run_timed(args, words_input(b"abc", b"xyz"), 10)
    start = [i for i, (_, line) in enumerate(lines) if g("决斗开始！") in line]
    test.assertTrue(start and start[0] + 1 < len(lines),
                    "no battle step after the start line:\n"
                    + harness.show(b"\n".join(l for _, l in lines)))
    i = start[0]
    return lines[i + 1][0], lines[i + 1][0] - lines[i][0]


class Interval(GameTest):
    """The pacing interval can only be seen in time: the timer starts after
    the names are read, and the first step comes one interval later."""

    def test_long_intervals(self):
        # first token holding "i:" wins; - and no prefix work like /; case is
        # ignored; the option may stand anywhere in the token; /I is no option
        for args, ms in ((["/I:750", "/I:20"], 750), (["-I:400"], 400), (["/i:400"], 400),
                         (["I:400"], 400), (["/xI:400"], 400), (["/I"], 1000)):
            with self.subTest(args=args):
                since_launch, _ = first_step(self, args)
                self.assertGreaterEqual(since_launch, ms / 1000,
                                        "%r: first step %.3fs after launch, expected %dms or more"
                                        % (args, since_launch, ms))

    def test_short_interval_wins_when_first(self):
        _, gap = first_step(self, ["/I:20", "/I:750"])
        self.assertLess(gap, 0.5, "/I:20 /I:750: first step %.3fs after the start line, "
                        "expected about 20ms" % gap)

    def test_empty_or_non_numeric_interval_is_zero(self):
        # 0 ms reaches the timer, which ticks at its 10 ms minimum: the battle
        # is the seeded one, and takes at least one such tick per step.
        words = [b"abc", b"xyz", b"n"]
        out, arena = model.run(words)
        for args in (["/I:"], ["/I:abc"]):
            with self.subTest(args=args):
                r = run(args, words_input(*words))
                self.assertStatus(r)
                self.assertBytes(r.stdout, bytes(out.console), "output with %r" % args)
                self.assertGreaterEqual(r.elapsed, arena.ticks * 0.010,
                                        "%d ticks took only %.3fs" % (arena.ticks, r.elapsed))


class TranscriptSwitch(GameTest):
    WORDS = [b"abc", b"xyz", b"n"]

    def test_value_keeps_its_letter_case(self):
        with tempfile.TemporaryDirectory() as tmp:
            os.mkdir(os.path.join(tmp, "Logs"))
            os.mkdir(os.path.join(tmp, "logs"))
            r = run(["/I:10", "/S:Logs/Duel.txt"], words_input(*self.WORDS), cwd=tmp)
            self.assertStatus(r)
            self.assertEqual(files_under(tmp), [os.path.join("Logs", "Duel.txt")],
                             "the transcript must be written as typed")
            out = self.expected(self.WORDS, saving="ok")
            self.assertBytes(r.stdout, bytes(out.console), "console output")
            with open(os.path.join(tmp, "Logs", "Duel.txt"), "rb") as f:
                self.assertBytes(f.read(), bytes(out.transcript), "transcript")

    def test_switches_that_set_no_transcript(self):
        # -S:C:/logs/x.txt: the token is what follows the first "/", which
        # holds no "s:"; /S: gives an empty path
        for args in (["/I:10", "-S:C:/logs/x.txt"], ["/I:10", "/S:"]):
            with self.subTest(args=args), tempfile.TemporaryDirectory() as tmp:
                os.makedirs(os.path.join(tmp, "C:", "logs"))
                os.mkdir(os.path.join(tmp, "logs"))
                r = run(args, words_input(*self.WORDS), cwd=tmp)
                self.assertStatus(r)
                self.assertEqual(files_under(tmp), [], "no transcript may be written")
                self.assertBytes(r.stdout, bytes(self.expected(self.WORDS).console),
                                 "console output")


class Language(GameTest):
    """The game is Chinese unless the player asks for English with /L:en;
    English tells the same battle, line for line, number for number."""
    WORDS = [b"abc", b"xyz", b"R", b"n"]

    def test_chinese_unless_english_is_chosen(self):
        # /L:zh in any case, a language the game does not know, /L without
        # its colon, and a path that happens to hold "l:" change no byte
        out = bytes(self.expected(self.WORDS).console)
        for args in (["/L:zh"], ["/l:ZH"], ["/L:fr"], ["/L:"], ["/L"], ["-L:english"],
                     ["/S:"], ["-S:mail:en"]):
            with self.subTest(args=args), tempfile.TemporaryDirectory() as tmp:
                r = run(["/I:10"] + args, words_input(*self.WORDS), cwd=tmp)
                self.assertStatus(r)
                self.assertBytes(r.stdout, out, "output with %r" % args)

    def test_english_tells_the_same_battle(self):
        chinese = bytes(self.expected(self.WORDS).console).split(b"\n")
        english = None
        for locale in ("C", "C.UTF-8"):
            with self.subTest(locale=locale):
                r = run(["/I:10", "/L:en"], words_input(*self.WORDS), locale=locale)
                self.assertStatus(r)
                if english is not None:
                    self.assertBytes(r.stdout, b"\n".join(english), "the same in every locale")
                english = r.stdout.split(b"\n")
        self.assertEqual(len(english), len(chinese), "as many lines as the Chinese game")
        for en, zh in zip(english, chinese):
            self.assertEqual(re.findall(rb"\d+", en), re.findall(rb"\d+", zh),
                             "%r against %r" % (en, show(zh)))
            self.assertTrue(all(b < 0x80 for b in en), "not ASCII: %r" % en)
        self.assertIn(b"*-----Brambleworthen Console Edition V%s-----*" % model.VERSION.encode(),
                      english)
        self.assertIn(b"Fight!    ", english)

    def test_english_transcript_is_ascii_with_cr_lf(self):
        with tempfile.TemporaryDirectory() as tmp:
            r = run(["/I:10", "/L:en", "/S:duel.txt"], words_input(*self.WORDS), cwd=tmp)
            self.assertStatus(r)
            with open(os.path.join(tmp, "duel.txt"), "rb") as f:
                saved = f.read()
            self.assertIn(b"Fight!    \r\n", saved)
            self.assertNotIn(b"\n", saved.replace(b"\r\n", b""))
            self.assertTrue(all(b < 0x80 for b in saved))

    def test_english_usage_and_version(self):
        r = run(["/L:EN", "/?"])
        self.assertStatus(r)
        self.assertTrue(r.stdout.startswith(b"Brambleworthen Console Edition V"), r.stdout)
        self.assertIn(b"  /L:language\n              zh (Chinese, the default) or en (English)\n",
                      r.stdout)
        r = run(["--version", "/L:en"])
        self.assertBytes(r.stdout, b"Brambleworthen Console Edition V%s\n" % model.VERSION.encode())

    def test_usage_follows_an_english_locale_and_the_game_stays_chinese(self):
        # The locale of messages: LC_ALL, else LC_MESSAGES, else LANG. In an
        # English one the usage is English and names /L:; /L: still wins;
        # a Chinese, C or POSIX locale keeps every byte of the Chinese.
        english_usage = run(["/L:en", "/?"]).stdout
        for variables, args, english in (
                ({"LC_ALL": "en_US.UTF-8"}, ["/?"], True),
                ({"LANG": "en_GB.UTF-8"}, ["--help"], True),
                ({"LC_MESSAGES": "en_US.UTF-8", "LANG": "zh_CN.UTF-8"}, ["-h"], True),
                ({"LC_ALL": "en_US.UTF-8"}, ["/L:zh", "/?"], False),
                ({"LC_ALL": "zh_CN.GBK"}, ["/?"], False),
                ({"LC_ALL": "C"}, ["--help"], False),
                ({"LANG": "POSIX"}, ["/?"], False)):
            with self.subTest(variables=variables, args=args):
                env = harness.game_env()
                del env["LC_ALL"]
                env.update(variables)
                r = run(args, env=env)
                self.assertStatus(r)
                if english:
                    self.assertBytes(r.stdout, english_usage, "the English usage")
                    self.assertIn(b"/L:language", r.stdout)
                else:
                    Usage.check_usage(self, r.stdout)
        env = harness.game_env()
        del env["LC_ALL"]
        env["LANG"] = "en_US.UTF-8"
        r = run(["/I:10"], b"", env=env)
        self.assertBytes(r.stdout, BANNER + PROMPT, "the game in an English locale")


if __name__ == "__main__":
    harness.main()
