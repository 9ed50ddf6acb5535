"""The game on a terminal with a UTF-8 locale: first on a bare pseudo
terminal, where the escape sequences it sends are read as they are, then
in tmux, where names are typed with send-keys and the screen is read back
with capture-pane. Colours are compared character by character with what
the rules model says each segment's colour is."""

import os
import pty
import re
import select
import shlex
import subprocess
import time

import harness
import model
from harness import GameTest, words_input

NAMES = ("甲乙", "x\x1b[7mZ")  # the ESC must show as ^[, never reach the terminal
START_LINE = "决斗开始！"
PLAY_AGAIN = "继续玩吗"
_SGR = re.compile(r"\x1b\[([0-9;]*)m")


def ansi_colour(attribute):
    """A console attribute's foreground as an ANSI colour index (the console
    numbers blue and red the other way round); None for the default."""
    if attribute is None or attribute == 7:
        return None
    w = attribute & 0xF
    index = ((w & 1) << 2) | (w & 2) | ((w & 4) >> 2)
    return index + 8 if w & 8 else index


def parse_screen(text):
    """Lines of (character, colour index or None) from text with SGR
    sequences; the colour carries on across lines. Any other escape
    sequence is an error."""
    lines, line, fg = [], [], None
    pos = 0
    while pos < len(text):
        m = _SGR.match(text, pos)
        if m:
            params = [int(p) if p else 0 for p in m.group(1).split(";")]
            i = 0
            while i < len(params):
                p = params[i]
                if p == 0 or p == 39:
                    fg = None
                elif 30 <= p <= 37:
                    fg = p - 30
                elif 90 <= p <= 97:
                    fg = p - 90 + 8
                elif p in (38, 48):
                    i += 2 if params[i + 1:i + 2] == [5] else 4
                i += 1
            pos = m.end()
            continue
        ch = text[pos]
        pos += 1
        if ch == "\x1b":
            raise AssertionError("an escape sequence other than SGR reached the screen: %r"
                                 % text[pos - 1:pos + 10])
        if ch == "\n":
            lines.append(line)
            line = []
        elif ch not in "\r\a":
            line.append((ch, fg))
    lines.append(line)
    lines = [trim(l) for l in lines]
    while lines and not lines[-1]:
        lines.pop()
    return lines


def trim(line):
    while line and line[-1][0] == " ":
        line = line[:-1]
    return line


def expected_screen(segments, echoes=()):
    """Lines of (character, colour) that the model's output shows on a UTF-8
    terminal: control bytes as ^X, and each typed line (echoed by the
    terminal, default colour) after the first unused line holding its
    prompt."""
    lines, line = [], []
    for attribute, data in segments:
        fg = ansi_colour(attribute)
        for ch in data.decode("gbk"):
            if ch == "\n":
                lines.append(trim(line))
                line = []
            elif ch == "\x1b":
                line += [("^", fg), ("[", fg)]
            elif ch != "\a":
                line.append((ch, fg))
    lines.append(trim(line))
    while lines and not lines[-1]:
        lines.pop()
    at = 0
    for prompt, typed in echoes:
        at = next(i for i in range(at, len(lines))
                  if prompt in "".join(c for c, _ in lines[i])) + 1
        lines.insert(at, [(c, None) for c in typed.replace("\x1b", "^[")])
    return lines


def render(line):
    """A line with its colours written in, for failure messages."""
    out, last = [], "start"
    for ch, fg in line:
        if fg != last:
            out.append("{%s}" % ("-" if fg is None else fg))
            last = fg
        out.append(ch)
    return "".join(out)


class TerminalTest(GameTest):
    def assertScreen(self, actual, expected, what):
        for i in range(max(len(actual), len(expected))):
            a = actual[i] if i < len(actual) else None
            e = expected[i] if i < len(expected) else None
            if a != e:
                self.fail("%s differs at line %d ({n} is the colour index, {-} the default)\n"
                          "  expected: %s\n  actual:   %s"
                          % (what, i + 1, "<missing>" if e is None else render(e),
                             "<missing>" if a is None else render(a)))

    def model_segments(self, words):
        return self.expected([w.encode("gbk") for w in words]).segments


class PseudoTerminal(TerminalTest):
    def test_escape_sequences_sent_to_a_terminal(self):
        master, slave = pty.openpty()
        env = harness.game_env("C.UTF-8", {"TERM": "xterm"})
        proc = subprocess.Popen(harness.FAKETIME + [harness.GAME, "/I:10"],
                                stdin=subprocess.PIPE, stdout=slave, stderr=slave, env=env,
                                start_new_session=True)
        os.close(slave)
        words = list(NAMES) + ["n"]
        proc.stdin.write(words_input(*(w.encode() for w in words)))
        proc.stdin.close()
        data = b""
        deadline = time.monotonic() + harness.TIMEOUT
        while time.monotonic() < deadline:
            if not select.select([master], [], [], 0.5)[0]:
                continue
            try:
                chunk = os.read(master, 65536)
            except OSError:  # the terminal closed with the last writer
                break
            if not chunk:
                break
            data += chunk
        os.close(master)
        self.assertEqual(proc.wait(timeout=harness.TIMEOUT), 0)
        text = data.decode("utf-8")
        # light red, yellow, cyan and light magenta as the game writes them
        for sequence, before in (("\x1b[0;91;49m", START_LINE), ("\x1b[0;93;49m", "*---"),
                                 ("\x1b[0;36;49m", "甲乙"), ("\x1b[0;95;49m", "V" + model.VERSION)):
            self.assertIn(sequence + before, text, "%r should stand before %s" % (sequence, before))
        self.assertTrue(text.endswith("\x1b[0m"), "the colours are restored at the end: %r"
                        % text[-40:])
        self.assertNotIn("\x1b[7m", text, "an ESC in a name must not reach the terminal")
        self.assertScreen(parse_screen(text), expected_screen(self.model_segments(words)),
                          "terminal output")


class Tmux(TerminalTest):
    plays = 0

    def setUp(self):
        self.env = harness.game_env("C.UTF-8")
        self.env.pop("TMUX", None)  # the test may itself run inside tmux
        self.server = None

    def tmux(self, *args):
        r = subprocess.run(self.server + list(args), env=self.env, capture_output=True)
        if r.returncode != 0:
            self.fail("tmux %s failed: %s" % (" ".join(args), r.stderr.decode(errors="replace")))
        return r.stdout.decode("utf-8")

    def tearDown(self):
        if self.server:
            subprocess.run(self.server + ["kill-server"], env=self.env, capture_output=True)
            self.server = None

    def wait_for(self, what, predicate, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            screen = self.tmux("capture-pane", "-p", "-S", "-")
            if predicate(screen):
                return screen
            if time.monotonic() > deadline:
                self.fail("waited %ds for %s; the screen shows:\n%s" % (timeout, what, screen))
            time.sleep(0.1)

    def play(self, env_words=()):
        """Starts the game in a tmux pane, types the two names and waits for
        the play-again prompt; returns the plain and the coloured screen,
        then answers n and checks the exit status."""
        # a server of our own for every game, so nothing is shared or reused
        self.tearDown()
        Tmux.plays += 1
        self.server = ["tmux", "-L", "bramble-e2e-%d-%d" % (os.getpid(), Tmux.plays),
                       "-f", "/dev/null"]
        game = ["env", "-u", "NO_COLOR", "LC_ALL=C.UTF-8"] + list(env_words)
        game += harness.FAKETIME + [harness.GAME, "/I:10"]
        # the shell shows the exit status and keeps the pane open
        script = shlex.join(game) + '; echo "[ended with status $?]"; exec sleep 120'
        self.tmux("new-session", "-d", "-x", "250", "-y", "50", shlex.join(["sh", "-c", script]))
        self.wait_for("the name prompt", lambda s: "请输入对战双方的姓名" in s)
        self.tmux("send-keys", "-l", " ".join(NAMES))
        self.tmux("send-keys", "Enter")
        self.wait_for("the play-again prompt", lambda s: PLAY_AGAIN in s)
        plain = self.tmux("capture-pane", "-p", "-S", "-")
        coloured = self.tmux("capture-pane", "-p", "-e", "-S", "-")
        self.tmux("send-keys", "n", "Enter")
        ended = self.wait_for("the game to end after n", lambda s: "[ended with status" in s)
        self.assertIn("[ended with status 0]", ended, "the game should end with status 0 after n")
        return plain, coloured

    def screen(self):
        segments = self.model_segments(list(NAMES) + ["n"])
        return expected_screen(segments, [("请输入对战双方的姓名", " ".join(NAMES))])

    def test_chinese_text_and_colours(self):
        plain, coloured = self.play()
        expected = self.screen()
        for must in ("Brambleworthen 控制台版 V" + model.VERSION, START_LINE, "甲乙 HP:",
                     "x^[[7mZ HP:", "被击败了"):
            self.assertIn(must, plain, "the screen should show %r:\n%s" % (must, plain))
        self.assertScreen(parse_screen(plain), [[(c, None) for c, _ in l] for l in expected],
                          "screen text")
        self.assertScreen(parse_screen(coloured), expected, "screen colours")

    def test_no_colour_where_it_is_not_wanted(self):
        expected = [[(c, None) for c, _ in l] for l in self.screen()]
        for env_words in (["NO_COLOR=1"], ["TERM=dumb"]):
            with self.subTest(env=env_words):
                plain, coloured = self.play(env_words)
                self.assertNotIn("\x1b", coloured, "no colour with %s" % env_words)
                self.assertScreen(parse_screen(plain), expected, "screen text")


if __name__ == "__main__":
    harness.main()
