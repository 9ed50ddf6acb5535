"""Runs the built game as a player would, through pipes, with the calendar
clock started at 1 so that the seed, and with it every battle, is known.

Each test module is started as `python3 MODULE.py PATH-OF-GAME`; the path
is taken off the argument list before unittest sees it.
"""

import glob
import os
import select
import shutil
import signal
import subprocess
import sys
import time
import unittest

import model

GAME = None
def _faketime_library():
    for pattern in ("/usr/lib/*/faketime/libfaketime.so.1", "/usr/lib/faketime/libfaketime.so.1"):
        found = sorted(glob.glob(pattern))
        if found:
            return found[0]
    return None


# The clock starts at 1 when the game starts. The library is preloaded
# directly rather than through the faketime wrapper: the wrapper keeps a
# semaphore named after its process id, and one left behind by a killed run
# makes a later wrapper with the same id refuse to start.
FAKETIME_LIBRARY = _faketime_library()
FAKETIME = ["env", "LD_PRELOAD=%s" % FAKETIME_LIBRARY, "FAKETIME=@1970-01-01 00:00:01"]
# Long enough for any run here, short enough to catch a game that loops.
TIMEOUT = 30


class Result:
    def __init__(self, stdout, stderr, status, elapsed):
        self.stdout, self.stderr, self.status, self.elapsed = stdout, stderr, status, elapsed


def game_env(locale="C", extra=None):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith("LC_") and k not in ("LANG", "LANGUAGE", "NO_COLOR")}
    env["LC_ALL"] = locale
    # faketime preloads its library; a sanitizer build would refuse to start
    # unless told that its runtime need not come first. Its allocator must not
    # read the clock either: the first clock call makes faketime look up its
    # symbols, which allocates while the allocator holds its lock, and the
    # game hangs before its first line.
    env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"),
                                                 "verify_asan_link_order=0",
                                                 "allocator_release_to_os_interval_ms=-1"]))
    env.update(extra or {})
    return env


def run(args, stdin=b"", locale="C", cwd=None, timeout=TIMEOUT, env=None):
    """Runs the game to its end; a run that outlives timeout is killed and
    reported as a failure."""
    start = time.monotonic()
    proc = subprocess.Popen(FAKETIME + [GAME] + list(args), stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=cwd,
                            env=env or game_env(locale), start_new_session=True)
    try:
        out, err = proc.communicate(stdin, timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, err = proc.communicate()
        raise AssertionError(
            "the game did not end within %ss (args %r, input %r); its output ended with:\n%s"
            % (timeout, args, stdin, show(out[-400:])))
    return Result(out, err, proc.returncode, time.monotonic() - start)


def run_timed(args, stdin, wanted_lines, locale="C", timeout=TIMEOUT):
    """Starts the game and notes when each output line arrives, in seconds
    since the start; stops it once wanted_lines lines are in. Returns
    [(seconds, line bytes)]."""
    start = time.monotonic()
    proc = subprocess.Popen(FAKETIME + [GAME] + list(args), stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            env=game_env(locale), start_new_session=True)
    proc.stdin.write(stdin)
    proc.stdin.close()
    lines, pending = [], b""
    fd = proc.stdout.fileno()
    try:
        while len(lines) < wanted_lines:
            if time.monotonic() - start > timeout:
                raise AssertionError("only %d of %d lines arrived within %ss:\n%s"
                                     % (len(lines), wanted_lines, timeout,
                                        show(b"\n".join(l for _, l in lines))))
            if not select.select([fd], [], [], 0.5)[0]:
                continue
            chunk = os.read(fd, 65536)
            now = time.monotonic() - start
            if not chunk:
                break
            pending += chunk
            while b"\n" in pending:
                line, pending = pending.split(b"\n", 1)
                lines.append((now, line))
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        proc.stdout.close()
    return lines


def words_input(*words):
    """Typed words, one a line, as GBK bytes."""
    return b"".join(w + b"\n" for w in words)


def show(data, encoding="gbk"):
    return data.decode(encoding, "backslashreplace")


def first_difference(actual, expected, encoding="gbk", what="output"):
    """None when equal; otherwise a message naming the first line that
    differs, with both versions and a little context."""
    if actual == expected:
        return None
    a, e = actual.split(b"\n"), expected.split(b"\n")
    for i in range(max(len(a), len(e))):
        la = a[i] if i < len(a) else None
        le = e[i] if i < len(e) else None
        if la != le:
            before = b"\n".join(e[max(0, i - 3):i])
            return ("%s differs at line %d (of %d expected, %d actual)\n"
                    "  expected: %s\n  actual:   %s\n"
                    "  expected line before it:\n%s\n"
                    % (what, i + 1, len(e), len(a),
                       "<missing>" if le is None else repr(show(le, encoding)),
                       "<missing>" if la is None else repr(show(la, encoding)),
                       show(before, encoding)))
    return "%s differs (%d bytes vs %d expected)" % (what, len(actual), len(expected))


class GameTest(unittest.TestCase):
    maxDiff = None

    def assertBytes(self, actual, expected, what="output", encoding="gbk"):
        message = first_difference(actual, expected, encoding, what)
        if message:
            self.fail(message)

    def assertStatus(self, result, status=0, what="exit status"):
        self.assertEqual(result.status, status, "%s: expected %d, got %d; stderr %r"
                         % (what, status, result.status, result.stderr[-300:]))

    def expected(self, words, **kw):
        out, _ = model.run(words, verse=self.verse(), **kw)
        return out

    _verse = None

    @classmethod
    def verse(cls):
        """The verse bytes as the game shows them; their form is checked in
        the match-loop tests, here they are only a parameter of the model."""
        if GameTest._verse is None:
            r = run(["/I:10"], words_input(b"a", b"b", b"qzpw"))
            lines = r.stdout.split(b"\n")
            frame = model.plain(model.g(model.FRAME))
            marks = [i for i, line in enumerate(lines) if line == frame]
            # banner frames at 0 and 3, then the two around the verse
            if len(marks) < 4:
                raise AssertionError("no verse between frame lines in:\n" + show(r.stdout))
            verse = lines[marks[2] + 1:]
            text = b"\n".join(verse)
            GameTest._verse = text[:text.index(frame)]
        return GameTest._verse


def main():
    global GAME
    if len(sys.argv) < 2:
        sys.exit("usage: %s PATH-OF-GAME [unittest arguments]" % sys.argv[0])
    GAME = os.path.abspath(sys.argv.pop(1))
    if not FAKETIME_LIBRARY:
        sys.exit("libfaketime is not installed (apt-get install faketime); these tests need it")
    if not shutil.which("tmux"):
        sys.exit("tmux is not installed (apt-get install tmux); these tests need it")
    unittest.main(verbosity=2)
