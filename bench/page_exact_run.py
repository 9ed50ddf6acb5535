"""An exact run of the page's lab in headless Chromium, timed.

    /usr/bin/python3 page_exact_run.py SITE-FOLDER [STATES [NAME1 NAME2]]

Serves the built site (build/web/site) from a local static server, opens
the range link ?odds=NAME1,NAME2&range=0:STATES (default all 2^32 states of
abc and xyz, a whole exact run), and times it from the page's load to its answer (saying yes when
the page asks before a long run): the page plays it in one Worker per
core, as a player's browser would. Prints the
time, the states a second, the time for all 2^32 start states scaled
from it, with the load average before and after, and the wins the page
found (to hold against the command line's). Scaling holds only for
ranges of the same kind: a range of fewer than 2^31 states holds no twins
(a state and the one 2^31 above it, played as one battle), so it plays a
battle a state, where a whole run plays one for two. Needs chromium,
chromium-driver and python3-selenium (Debian's, hence /usr/bin/python3).
"""

import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ALL_STATES = 2 ** 32


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


def main():
    if len(sys.argv) not in (2, 3, 5):
        sys.exit(__doc__)
    site = sys.argv[1]
    states = int(sys.argv[2]) if len(sys.argv) > 2 else ALL_STATES
    names = sys.argv[3:5] if len(sys.argv) == 5 else ["abc", "xyz"]
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.mkdtemp(prefix="bramble-bench-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
                 "--user-data-dir=" + profile):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        query = "?odds=%s&range=0:%d" % (
            ",".join(urllib.parse.quote(n, safe="") for n in names), states)
        load_before = os.getloadavg()[0]
        start = time.monotonic()
        driver.get("http://127.0.0.1:%d/index.html%s" % (server.server_address[1], query))
        # A run the page estimates at more than half a minute waits for the
        # player's yes: given at once, as a player who asked for it would.
        while not driver.execute_script(
                "const go = document.getElementById('odds-confirm-go');"
                "if (go && !document.getElementById('odds-confirm').hidden) go.click();"
                "return !!(window.brambleLab && window.brambleLab.runs > 0)"):
            time.sleep(0.2)
        elapsed = time.monotonic() - start
        workers = driver.execute_script("return navigator.hardwareConcurrency")
        wins = driver.execute_script("return window.brambleLab.last.wins")
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
    print("%s vs %s, %d states, %s Workers: %.1f s, %.2f million states a second; "
          "all 2^32 scaled: %.1f min (load average %.2f before, %.2f after); wins %d and %d"
          % (names[0], names[1], states, workers, elapsed, states / elapsed / 1e6,
             elapsed * ALL_STATES / states / 60, load_before, os.getloadavg()[0], wins[0], wins[1]))


if __name__ == "__main__":
    main()
