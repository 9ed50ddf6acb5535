"""The browser build in headless Chromium, against the POSIX build.

    /usr/bin/python3 test_page.py SITE-FOLDER POSIX-GAME

Serves the site from a local static server, plays seeded matches in the
page (typing into its text box), and checks that the page shows the text
the POSIX game prints for the same seed and words (the POSIX game runs in a
UTF-8 locale with its clock fixed at the seed, so it converts with its own
converters), that the downloaded transcript equals the POSIX transcript
byte for byte, the start line's colour, and the pace of a battle at 10 ms.
Needs chromium, chromium-driver, python3-selenium (Debian's, hence
/usr/bin/python3) and faketime. Prints the time to the first prompt.
"""

import functools
import glob
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

SITE = POSIX_GAME = None
NAME_PROMPT = "*-- 请输入对战双方的姓名，用空格分开：--*"
START_LINE = "决斗开始！"
TRANSCRIPT = "brambleworthen.txt"
# Long enough for any match here on a busy machine, short enough to catch a
# page that hangs.
TIMEOUT = 120


def faketime_library():
    found = sorted(glob.glob("/usr/lib/*/faketime/libfaketime.so.1"))
    if not found:
        sys.exit("missing libfaketime: apt-get install -y faketime")
    return found[0]


def posix_run(seed, typed, interval=10):
    """The POSIX game's piped output (UTF-8) and transcript for the seed:
    its calendar clock reads `seed` seconds when it seeds."""
    with tempfile.TemporaryDirectory() as work:
        when = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(seed))
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LC_ALL": "C.UTF-8", "TZ": "UTC",
               "LD_PRELOAD": faketime_library(), "FAKETIME": "@" + when}
        path = os.path.join(work, TRANSCRIPT)
        out = subprocess.run([POSIX_GAME, "/I:%d" % interval, "/S:" + path],
                             input=typed.encode("utf-8"), stdout=subprocess.PIPE,
                             env=env, timeout=TIMEOUT, check=True).stdout
        with open(path, "rb") as f:
            return out.decode("utf-8"), f.read()


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        handler = functools.partial(Quiet, directory=SITE)
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.base = "http://127.0.0.1:%d/index.html" % cls.server.server_address[1]
        cls.profile = tempfile.mkdtemp(prefix="bramble-chromium-")
        cls.downloads = tempfile.mkdtemp(prefix="bramble-downloads-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     # a headless page counts as hidden, and a hidden page's
                     # timers are held to one a second: run it as a visible one
                     "--disable-background-timer-throttling",
                     "--disable-renderer-backgrounding",
                     "--disable-backgrounding-occluded-windows",
                     "--user-data-dir=" + cls.profile):
            options.add_argument(flag)
        options.add_experimental_option("prefs", {
            "download.default_directory": cls.downloads, "download.prompt_for_download": False})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": cls.downloads})

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.shutdown()
        shutil.rmtree(cls.profile, ignore_errors=True)
        shutil.rmtree(cls.downloads, ignore_errors=True)

    def wait_for(self, script, what, timeout=TIMEOUT):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.driver.execute_script(script)
            if value:
                return value
            time.sleep(0.05)
        self.fail("timed out waiting for %s; the page shows:\n%s" % (what, self.screen_text()))

    def screen_text(self):
        """The game's text on the page: the screen without the echo of what
        was typed."""
        return self.driver.execute_script("""
            let text = "";
            for (const span of document.querySelectorAll("#screen span:not(.typed)"))
              text += span.textContent;
            return text;""")

    def open(self, seed, interval=10):
        self.driver.get("%s?seed=%d&interval=%d" % (self.base, seed, interval))
        self.wait_for("return window.brambleworthen && window.brambleworthen.firstReadAt !== null",
                      "the name prompt")

    def type_lines(self, lines):
        box = self.driver.find_element(By.ID, "word")
        for line in lines:
            if all(ord(c) < 0x10000 for c in line):
                box.send_keys(line, Keys.ENTER)
            else:  # the driver types only the Basic Multilingual Plane
                self.driver.execute_script("""
                    const box = document.getElementById("word");
                    box.value = arguments[0];
                    document.getElementById("entry").requestSubmit();""", line)

    def play(self, seed, lines, interval=10):
        """Plays the lines in the page to the game's end and in the POSIX
        game; returns the POSIX output and transcript."""
        self.open(seed, interval)
        self.type_lines(lines)
        self.wait_for("return window.brambleworthen.ended", "the end of the game")
        return posix_run(seed, "".join(line + "\n" for line in lines), interval)

    def test_matches_show_what_the_posix_game_prints(self):
        matches = [
            ("one battle", 1, ["abc xyz", "n"]),
            ("rematch, new names, the same name refused, the verse", 12345,
             ["甲 乙", "R", "Y", "abc abc", "alice bob", "qzpw", "qzpw", "n"]),
            ("words typed ahead, markup and a name beyond GBK", 1700000000,
             ["张三 a<10>b R", "y", "😀 𠀀", "x"]),
        ]
        for what, seed, lines in matches:
            with self.subTest(what):
                out, _ = self.play(seed, lines)
                self.assertIn(START_LINE, out)
                self.assertEqual(self.screen_text(), out)

    def test_downloaded_transcript_is_the_posix_transcript(self):
        _, transcript = self.play(7, ["甲 乙", "r", "qzpw", "n"])
        self.driver.find_element(By.ID, "save").click()
        path = os.path.join(self.downloads, TRANSCRIPT)
        end = time.monotonic() + TIMEOUT
        while not os.path.exists(path) and time.monotonic() < end:
            time.sleep(0.1)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), transcript)
        self.assertIn(b"\r\n", transcript)

    def test_start_line_is_light_red(self):
        self.open(1)
        self.type_lines(["abc xyz"])
        colour = self.wait_for("""
            for (const span of document.querySelectorAll("#screen span"))
              if (span.textContent.includes(arguments[0]))
                return getComputedStyle(span).color;""".replace("arguments[0]", repr(START_LINE)),
                               "the start line")
        self.assertEqual(colour, "rgb(255, 0, 0)")

    def test_battles_at_10_ms_keep_pace(self):
        # The pace of the page's timer, not of a starved machine: the best of
        # three runs counts, and a machine far busier than its cores cannot
        # show the pace at all.
        ratios = []
        for _ in range(3):
            self.open(42, 10)
            self.type_lines(["abc xyz"] + ["R"] * 15 + ["n"])
            self.wait_for("return window.brambleworthen.ended", "the end of the game")
            ticks, first, last, first_read = self.driver.execute_script(
                "const p = window.brambleworthen;"
                "return [p.ticks, p.firstTickAt, p.lastTickAt, p.firstReadAt];")
            self.assertGreater(ticks, 200)
            ratios.append((last - first) / ((ticks - 1) * 10))
            print("\n%d ticks at 10 ms: elapsed / (ticks x interval) = %.4f; "
                  "first prompt %.0f ms after the page was opened" % (ticks, ratios[-1], first_read))
            if ratios[-1] <= 1.02:
                return
        load = os.getloadavg()[0] / os.cpu_count()
        if load > 1.5:
            self.skipTest("the machine runs %.1f jobs per core: no pace to measure (best %.3f)"
                          % (load, min(ratios)))
        self.assertLessEqual(min(ratios), 1.02)


if __name__ == "__main__":
    SITE, POSIX_GAME = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    del sys.argv[1:3]
    unittest.main(verbosity=2)
