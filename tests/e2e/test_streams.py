"""The game on odd streams: a standard output whose reader goes away or that
is closed, and standard input that is a directory, empty, huge, or full of
bytes no name should hold. None of it may crash the game, hang it, or let a
battle play on into nowhere."""

import os
import select
import signal
import subprocess
import time

import harness
from harness import GameTest, run, words_input
from model import g

# A bound a busy two-core machine always meets; the game needs milliseconds.
PROMPTLY = 10
NAME_PROMPT = g("请输入对战双方的姓名")
START = g("决斗开始！")


def start_game(stdin=subprocess.PIPE, stdout=subprocess.PIPE, locale="C", preexec_fn=None,
               clock=True):
    # without the fixed clock where the faketime library could take a
    # descriptor the test closed
    return subprocess.Popen((harness.FAKETIME if clock else []) + [harness.GAME, "/I:10"],
                            stdin=stdin,
                            stdout=stdout, stderr=subprocess.PIPE, env=harness.game_env(locale),
                            start_new_session=True, preexec_fn=preexec_fn)


def read_until(proc, marker, timeout=PROMPTLY):
    data = b""
    deadline = time.monotonic() + timeout
    fd = proc.stdout.fileno()
    while marker not in data:
        if time.monotonic() > deadline:
            raise AssertionError("%r never came; the output was:\n%s"
                                 % (harness.show(marker), harness.show(data[-400:])))
        if select.select([fd], [], [], 0.2)[0]:
            chunk = os.read(fd, 65536)
            if not chunk:
                break
            data += chunk
    return data


class LostOutput(GameTest):
    def wait_end(self, proc, what):
        try:
            return proc.wait(timeout=PROMPTLY)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
            self.fail("the game played on after %s" % what)

    def test_reader_of_the_pipe_goes_away(self):
        # `brambleworthen | head -3`: whether the game is waiting for names
        # or in the middle of a battle, it ends at once, silently, with the
        # status of a broken pipe (141 in a shell), as any command there does.
        for moment, marker, typed in (("waiting for names", NAME_PROMPT, b""),
                                      ("in a battle", START, b"abc xyz\n")):
            with self.subTest(moment=moment):
                proc = start_game()
                proc.stdin.write(typed)
                proc.stdin.flush()
                read_until(proc, marker)
                proc.stdout.close()
                status = self.wait_end(proc, "its reader went away " + moment)
                self.assertEqual(status, -signal.SIGPIPE)
                self.assertEqual(proc.stderr.read(), b"", "a broken pipe ends quietly")
                proc.stdin.close()
                proc.stderr.close()

    def test_closed_standard_output(self):
        proc = start_game(stdout=None, preexec_fn=lambda: os.close(1), clock=False)
        try:
            proc.stdin.write(words_input(b"abc", b"xyz", b"R", b"R"))
            proc.stdin.close()
        except BrokenPipeError:
            pass  # the game may have ended at its first line, before reading
        status = self.wait_end(proc, "finding its standard output closed")
        err = proc.stderr.read()
        proc.stderr.close()
        self.assertEqual(status, 1, "nothing could be shown: a failure")
        self.assertEqual(err, b"brambleworthen: standard output: Bad file descriptor\n")


class OddInput(GameTest):
    def test_input_that_ends_before_two_names(self):
        # A directory, an empty file, and a megabyte name with no line end:
        # the banner and the prompt, then a quiet end.
        expected = bytes(self.expected([]).console)
        megabyte = b"\xd7" * (1 << 20)
        for what, stdin in (("a directory", "/"), ("/dev/null", "/dev/null"),
                            ("one megabyte name", None)):
            with self.subTest(stdin=what):
                if stdin is None:
                    r = run(["/I:10"], megabyte)
                else:
                    fd = os.open(stdin, os.O_RDONLY)
                    try:
                        proc = start_game(stdin=fd)
                        out, err = proc.communicate(timeout=harness.TIMEOUT)
                    finally:
                        os.close(fd)
                    r = harness.Result(out, err, proc.returncode, 0)
                self.assertStatus(r)
                self.assertBytes(r.stdout, expected)

    def test_names_of_any_bytes(self):
        # NUL bytes (the digest stops at the first), bytes that are not
        # UTF-8 (in a UTF-8 locale they are kept as typed), markup that never
        # closes, and names of a quarter megabyte: each is a fighter like any
        # other.
        cases = [
            [b"a\x00b", b"\x00", b"R", b"n"],
            [b"\xff\xfe\x80", b"\xc3(", b"n"],
            [b"<12", b"<<>", b"n"],
            [b"A" * (1 << 18), b"\x81" * (1 << 18), b"n"],
        ]
        defeat = g("被击败了")
        for words in cases:
            with self.subTest(names=[w[:8] for w in words[:2]]):
                r = run(["/I:10"], words_input(*words))
                self.assertStatus(r)
                self.assertBytes(r.stdout, bytes(self.expected(words).console))
                if len(words[0]) < 100:
                    utf8 = run(["/I:10"], words_input(*words), locale="C.UTF-8")
                    self.assertStatus(utf8)
                    self.assertEqual(utf8.stdout.count(defeat.decode("gbk").encode()),
                                     r.stdout.count(defeat))

    def test_a_line_of_a_hundred_thousand_words(self):
        # Equal words are refused in pairs until the input ends; different
        # words fight the first two and end at the third.
        for words in ([b"w"] * 100000, [b"w%d" % i for i in range(100000)]):
            with self.subTest(first=words[:3]):
                r = run(["/I:10"], b" ".join(words) + b"\n")
                self.assertStatus(r)
                self.assertBytes(r.stdout, bytes(self.expected(words).console))


if __name__ == "__main__":
    harness.main()
