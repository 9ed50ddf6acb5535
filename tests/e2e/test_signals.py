"""The game in a real terminal (tmux) when it is interrupted, terminated or
hung up at any moment of a battle, when the player types while it fights,
when the window closes, and on light, plain-locale or colourless terminals.
After every end the terminal must show its own colours and keep the settings
it had before the game started."""

import os
import shlex
import signal
import subprocess
import tempfile
import time

import harness
from test_terminal import parse_screen

NAME_PROMPT = "请输入对战双方的姓名"
PLAY_AGAIN = "继续玩吗"
START = "决斗开始！"
ENDED = "[game ended: "


class Terminal(harness.GameTest):
    sessions = 0

    def setUp(self):
        self.env = harness.game_env("C.UTF-8")
        self.env.pop("TMUX", None)  # the test may itself run inside tmux
        Terminal.sessions += 1
        self.server = ["tmux", "-L", "bramble-sig-%d-%d" % (os.getpid(), Terminal.sessions),
                       "-f", "/dev/null"]
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        subprocess.run(self.server + ["kill-server"], env=self.env, capture_output=True)
        self.tmp.cleanup()

    def tmux(self, *args, check=True):
        r = subprocess.run(self.server + list(args), env=self.env, capture_output=True)
        if check and r.returncode != 0:
            self.fail("tmux %s failed: %s" % (" ".join(args), r.stderr.decode(errors="replace")))
        return r.stdout.decode("utf-8", "replace")

    def screen(self, colours=False):
        return self.tmux("capture-pane", "-p", "-S", "-", *(["-e"] if colours else []))

    def wait_for(self, what, predicate, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            screen = self.screen()
            if predicate(screen):
                return screen
            if time.monotonic() > deadline:
                self.fail("waited %ds for %s; the screen shows:\n%s" % (timeout, what, screen))
            time.sleep(0.05)

    def path(self, name):
        return os.path.join(self.tmp.name, name)

    def start(self, interval=20, env_words=(), locale="LC_ALL=C.UTF-8", wait_text=NAME_PROMPT):
        """Starts the game in a fresh pane of its own server; the shell
        around it notes the terminal settings before and after and the exit
        status, then keeps the pane open."""
        game = ["env", "-u", "NO_COLOR", "-u", "COLORFGBG", "-u", "LANG", "-u", "LC_ALL",
                "TERM=xterm"]
        game += [locale] if locale else []
        game += list(env_words) + harness.FAKETIME + [harness.GAME, "/I:%d" % interval]
        script = ("trap : INT; stty -g > %s; sh -c 'echo $$ > %s; exec %s'; "
                  'echo "%s$?]"; stty -g > %s; exec sleep 120'
                  % (shlex.quote(self.path("before")), shlex.quote(self.path("pid")),
                     shlex.join(game).replace("'", "'\\''"), ENDED,
                     shlex.quote(self.path("after"))))
        self.tmux("new-session", "-d", "-x", "200", "-y", "50", shlex.join(["sh", "-c", script]))
        self.wait_for(wait_text, lambda s: wait_text in s)
        with open(self.path("pid")) as f:
            return int(f.read())

    def type(self, text, enter=True):
        self.tmux("send-keys", "-l", text)
        if enter:
            self.tmux("send-keys", "Enter")

    def ended(self):
        screen = self.wait_for("the game to end", lambda s: ENDED in s)
        status = int(screen.split(ENDED, 1)[1].split("]", 1)[0])
        return screen, status

    @staticmethod
    def written(path):
        """Whether stty's one line stands whole in the file at path."""
        try:
            with open(path) as f:
                return f.read().endswith("\n")
        except FileNotFoundError:
            return False

    def assertRestored(self, what):
        """The terminal's own colour after the game, and its settings as
        they were before it."""
        lines = parse_screen(self.screen(colours=True))
        line = next(l for l in lines if ENDED in "".join(c for c, _ in l))
        text = "".join(c for c, _ in line)
        at = text.index(ENDED)
        colours = {fg for _, fg in line[at:]}
        self.assertEqual(colours, {None}, "%s: the shell's text after the game shows colour %s"
                         % (what, colours))
        # The shell's redirection makes the file before stty writes into it.
        self.wait_for("the settings after", lambda s: self.written(self.path("after")))
        with open(self.path("before")) as b, open(self.path("after")) as a:
            self.assertEqual(a.read(), b.read(), "%s: terminal settings changed" % what)


class Signals(Terminal):
    def test_each_signal_at_many_points_of_a_battle(self):
        # Rematches typed ahead keep battles running for seconds; each signal
        # comes at a different moment of them. Ctrl-C is typed as a player
        # would; SIGTERM and SIGHUP are sent as a system or closed session
        # sends them.
        statuses = {"C-c": 128 + signal.SIGINT, signal.SIGTERM: 128 + signal.SIGTERM,
                    signal.SIGHUP: 128 + signal.SIGHUP}
        delays = (0.05, 0.3, 0.8, 1.7)
        for how in ("C-c", signal.SIGTERM, signal.SIGHUP):
            for delay in delays:
                with self.subTest(signal=str(how), after=delay):
                    self.tearDown()
                    self.setUp()
                    pid = self.start()
                    self.type("甲乙 abc" + " R" * 8)
                    self.wait_for("the battle", lambda s: START in s)
                    time.sleep(delay)
                    if how == "C-c":
                        self.tmux("send-keys", "C-c")
                    else:
                        os.kill(pid, how)
                    screen, status = self.ended()
                    self.assertEqual(status, statuses[how], screen[-600:])
                    self.assertRestored("%s after %.2fs" % (how, delay))

    def test_closed_window_ends_the_game(self):
        pid = self.start()
        self.type("甲乙 abc" + " R" * 8)
        self.wait_for("the battle", lambda s: START in s)
        self.tmux("kill-server")
        deadline = time.monotonic() + 10
        while os.path.exists("/proc/%d" % pid) and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertFalse(os.path.exists("/proc/%d" % pid), "the game outlived its terminal")


class Typing(Terminal):
    def test_typed_during_a_battle_waits_for_the_prompt(self):
        self.start(interval=60)
        self.type("甲乙 abc")
        self.wait_for("the battle", lambda s: START in s)
        self.type("r")            # a whole line: read at the first prompt
        self.type("zz", enter=False)  # half a line: read at the second
        screen = self.wait_for("the second battle", lambda s: s.count(START) == 2)
        self.wait_for("the second prompt", lambda s: s.count(PLAY_AGAIN) == 2)
        self.type("q")
        screen, status = self.ended()
        self.assertEqual(status, 0)
        lines = screen.splitlines()
        prompts = [i for i, l in enumerate(lines) if PLAY_AGAIN in l]
        self.assertEqual(lines[prompts[0] + 1], "r", "the typed line after the first prompt")
        self.assertEqual(lines[prompts[1] + 1], "zzq", "the half line completed at the second")
        battle = "\n".join(l for i, l in enumerate(lines)
                           if i not in (prompts[0] + 1, prompts[1] + 1))
        for typed in ("r", "zz"):
            self.assertNotIn("\n" + typed, battle)
        for line in lines:
            if "HP" in line or "受到" in line:
                self.assertNotIn("zz", line, "typing shown inside a battle line")
        self.assertRestored("after typing ahead")

    def test_end_of_input_typed_during_a_battle(self):
        self.start(interval=60)
        self.type("甲乙 abc")
        self.wait_for("the battle", lambda s: START in s)
        self.tmux("send-keys", "C-d")
        screen, status = self.ended()
        self.assertEqual(status, 0)
        self.assertRestored("after Ctrl-D")


class Palettes(Terminal):
    def play(self, env_words=(), locale="LC_ALL=C.UTF-8"):
        self.start(interval=10, env_words=env_words, locale=locale)
        self.type("甲乙 abc")
        self.wait_for("the play-again prompt", lambda s: PLAY_AGAIN in s)
        coloured = self.screen(colours=True)
        self.type("n")
        self.ended()
        return coloured

    def test_light_background(self):
        # Bright white and yellow become black and dark yellow; a dark or
        # unknown background keeps the colours.
        for value, light in (("0;15", True), ("15;0", False), ("default;default", False)):
            with self.subTest(COLORFGBG=value):
                self.tearDown()
                self.setUp()
                colours = {fg for line in parse_screen(self.play(["COLORFGBG=" + value]))
                           for _, fg in line}
                # ANSI colour numbers: 15 bright white, 11 bright yellow,
                # 14 bright cyan, 10 bright green; 0 black, 3 dark yellow
                if light:
                    self.assertFalse(colours & {15, 11, 14, 10}, colours)
                    self.assertTrue({0, 3} <= colours, colours)
                else:
                    self.assertTrue({15, 11} <= colours, colours)

    def test_plain_locale_shows_chinese(self):
        # No LANG at all, or LANG=C: a terminal gets UTF-8. LC_ALL=C is a
        # choice and is obeyed: GBK bytes, which a UTF-8 tmux cannot show.
        for locale in (None, "LANG=C", "LANG=POSIX"):
            with self.subTest(locale=locale):
                self.tearDown()
                self.setUp()
                self.assertIn(START, self.play(locale=locale))
        self.tearDown()
        self.setUp()
        self.start(locale="LC_ALL=C", wait_text="Brambleworthen")
        time.sleep(0.3)
        self.assertNotIn(NAME_PROMPT, self.screen())

    def test_no_colour_wanted(self):
        lines = parse_screen(self.play(["NO_COLOR=1", "COLORFGBG=0;15"]))
        self.assertEqual({fg for line in lines for _, fg in line}, {None})


if __name__ == "__main__":
    harness.main()
