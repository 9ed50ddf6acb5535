// The page around the game: shows the game's coloured text, hands it the
// words typed into the text box, keeps the transcript for download, and
// passes the address's `seed` and `interval` to the game. The seed of a
// battle goes into the address, so that a reload or a shared link replays
// it.
"use strict";
(function () {
  const TRANSCRIPT = "brambleworthen.txt";
  const TYPED_KEY = "brambleworthen.typed";  // sessionStorage: the lines typed so far

  const screen = document.getElementById("screen");
  const entry = document.getElementById("entry");
  const word = document.getElementById("word");
  const send = document.getElementById("send");
  const intervalBox = document.getElementById("interval");
  const status = document.getElementById("status");
  const restart = document.getElementById("restart");
  const link = BrambleLinks.read(location.search);

  // The game's end unwinds its stack with an ExitStatus thrown from where
  // it last waited, a promise; that is the normal end, not an error.
  window.addEventListener("unhandledrejection", function (event) {
    if (event.reason && event.reason.name === "ExitStatus")
      event.preventDefault();
  });

  // The address's seed belongs to the battle unless it holds a lab run
  // (odds or rank), whose sample it seeds. Without one the battle takes the
  // clock in seconds, as the other builds do, and writes it into the
  // address when the battle starts.
  function holdsLabRun() {
    const now = BrambleLinks.read(location.search);
    return "odds" in now || "rank" in now;
  }
  const labLink = holdsLabRun();
  const linkSeed = labLink ? null : BrambleLinks.wholeNumber(link.seed, 0n, 10n ** 30n);
  const seed = linkSeed !== null ? Number(linkSeed % 4294967296n)
                                 : Math.floor(Date.now() / 1000) % 4294967296;
  // The address's pace, or none: the game then keeps its own, which it
  // tells when it starts (below).
  const interval = /^[+-]?\d{1,30}$/.test(link.interval || "") ? link.interval : null;
  intervalBox.value = interval || "";

  // What the game calls (terminal_web.cpp, transcript_web.cpp, ticker_web.cpp,
  // seed_web.cpp), with what it shows; the tests read it too.
  const page = {
    seed: seed,
    ticks: 0,
    firstTickAt: null,
    lastTickAt: null,
    firstReadAt: null,
    ended: false,
    transcripts: new Map(),
  };
  window.brambleworthen = page;

  // The lines typed in this tab for this seed, kept across a reload.
  let typedLines = [];
  let replaying = [];
  try {
    const kept = JSON.parse(sessionStorage.getItem(TYPED_KEY) || "null");
    if (linkSeed !== null && kept && kept.seed === seed && Array.isArray(kept.lines))
      replaying = kept.lines.filter(function (line) { return typeof line === "string"; });
  } catch (e) {
    // no storage here (a private window may refuse it): no replay
  }
  function keepTyped() {
    try {
      if (page.ended)
        sessionStorage.removeItem(TYPED_KEY);
      else
        sessionStorage.setItem(TYPED_KEY, JSON.stringify({ seed: seed, lines: typedLines }));
    } catch (e) {
      // as above
    }
  }

  // New text follows unless the reader scrolled up. Text arriving below
  // moves nothing, so a scroll to above where the page itself last scrolled
  // is the reader's; scrolling down to near the bottom (new lines may have
  // arrived meanwhile) resumes following. The page scrolls once per frame:
  // measuring the layout on every write would slow a fast battle.
  let following = true;
  let scrollPending = false;
  let autoTop = 0;
  let lastTop = 0;
  screen.addEventListener("scroll", function () {
    const top = screen.scrollTop;
    const gap = screen.scrollHeight - top - screen.clientHeight;
    if (gap < 40 || (top > lastTop && gap < screen.clientHeight / 3))
      following = true;
    else if (top < autoTop - 1)
      following = false;
    lastTop = top;
  });
  // A screen shown again (a phone's battle tab) or resized catches up.
  new ResizeObserver(function () {
    if (following && screen.clientHeight > 0) {
      screen.scrollTop = screen.scrollHeight;
      autoTop = screen.scrollTop;
    }
  }).observe(screen);
  function followOutput(write) {
    write();
    if (following && !scrollPending) {
      scrollPending = true;
      requestAnimationFrame(function () {
        scrollPending = false;
        if (!following)
          return;
        screen.scrollTop = screen.scrollHeight;
        autoTop = screen.scrollTop;
      });
    }
  }

  let audio = null;
  function bell() {
    try {
      audio = audio || new AudioContext();
      const tone = audio.createOscillator();
      const gain = audio.createGain();
      gain.gain.value = 0.05;
      tone.frequency.value = 880;
      tone.connect(gain).connect(audio.destination);
      tone.start();
      tone.stop(audio.currentTime + 0.12);
    } catch (e) {
      // no sound here: the line is still shown
    }
  }

  let colour = null;  // the console's default colours, which the game tells first
  let span = null;
  page.attribute = function (attribute) {
    if (attribute !== colour) {
      colour = attribute;
      span = null;
    }
  };

  // Each line of the screen is a block of its own, so that a new line lays
  // out alone however long the battle has run.
  let line = null;
  function lineBlock() {
    if (!line) {
      line = document.createElement("div");
      screen.appendChild(line);
    }
    return line;
  }

  // A run of text in the current colour: the foreground as class cF and a
  // background as class kB (page.css holds the page's palette).
  function show(text) {
    if (!span) {
      span = document.createElement("span");
      span.className = "c" + (colour & 15) + ((colour >> 4) & 15 ? " k" + ((colour >> 4) & 15) : "");
      lineBlock().appendChild(span);
    }
    span.appendChild(document.createTextNode(text));
  }

  // The bell is a sound: its byte stays in the page's text, in an element
  // that is never drawn.
  function showBell() {
    const mark = document.createElement("span");
    mark.className = "bell";
    mark.textContent = "\x07";
    lineBlock().appendChild(mark);
    span = null;
    bell();
  }

  page.write = function (text) {
    followOutput(function () {
      const pieces = text.split("\n");
      pieces.forEach(function (piece, i) {
        const last = i === pieces.length - 1;
        const runs = piece.split("\x07");
        runs.forEach(function (run, j) {
          if (j > 0)
            showBell();
          const end = j === runs.length - 1;
          if (run || (end && !last))
            show(end && !last ? run + "\n" : run);
        });
        if (!last)
          line = span = null;
      });
    });
  };

  // Typed bytes (UTF-8, a line feed after each line) wait here for the game.
  const typed = [];
  let waiting = null;

  function echo(typedLine) {
    followOutput(function () {
      const shown = document.createElement("span");
      shown.className = "typed";
      shown.textContent = typedLine + "\n";
      lineBlock().appendChild(shown);
      line = span = null;
    });
  }

  function enter(typedLine) {
    echo(typedLine);
    for (const byte of new TextEncoder().encode(typedLine + "\n"))
      typed.push(byte);
    if (waiting) {
      const resolve = waiting;
      waiting = null;
      resolve(typed.shift());
    }
  }

  page.readByte = function () {
    if (page.firstReadAt === null) {
      page.firstReadAt = performance.now();
      // A reload in the middle of a game: the lines typed before it, again.
      if (replaying.length) {
        status.textContent = BrambleTexts.text("replaying");
        typedLines = replaying;
        for (const typedLine of replaying)
          enter(typedLine);
        replaying = [];
      }
    }
    if (typed.length)
      return typed.shift();
    if (page.ended)
      return -1;
    return new Promise(function (resolve) { waiting = resolve; });
  };

  entry.addEventListener("submit", function (event) {
    event.preventDefault();
    if (page.ended)
      return;
    const typedLine = word.value;
    word.value = "";
    typedLines.push(typedLine);
    keepTyped();
    enter(typedLine);
  });

  page.tick = function () {
    const now = performance.now();
    page.ticks += 1;
    if (page.firstTickAt === null) {
      page.firstTickAt = now;
      // The battle has started: its seed goes into the address (unless
      // the address describes a lab run), so the link replays it.
      if (!holdsLabRun() && linkSeed === null)
        BrambleLinks.update({ seed: String(seed) });
    }
    page.lastTickAt = now;
  };

  page.appendToTranscript = function (path, bytes) {
    if (!page.transcripts.has(path))
      page.transcripts.set(path, []);
    page.transcripts.get(path).push(bytes);
  };

  // The transcript as a file: the GBK bytes with CR LF line ends, once a
  // battle has begun (before, it would hold the banner alone).
  document.getElementById("save").addEventListener("click", function () {
    const parts = page.transcripts.get(TRANSCRIPT);
    if (!parts || page.firstTickAt === null) {
      status.textContent = BrambleTexts.text("nothing_to_save");
      return;
    }
    BrambleDownload(TRANSCRIPT, new Blob(parts, { type: "application/octet-stream" }));
  });

  intervalBox.addEventListener("change", function () {
    let ms = parseInt(intervalBox.value, 10);
    if (!(ms > 0))
      return;
    if (instance) {
      ms = instance._BrambleSetInterval(ms);  // the period the game took, within its limits
      intervalBox.value = ms;
    }
    BrambleLinks.update({ interval: String(ms) });
  });

  // A new game: a new seed from the clock, the rest of the address kept.
  restart.addEventListener("click", function () {
    try {
      sessionStorage.removeItem(TYPED_KEY);
    } catch (e) {
      // as above
    }
    if (!holdsLabRun())
      BrambleLinks.update({ seed: null });
    location.reload();
  });

  function finish(message) {
    page.ended = true;
    keepTyped();
    word.disabled = true;
    send.disabled = true;
    status.textContent = message;
    restart.hidden = false;
    if (!document.activeElement || document.activeElement === document.body ||
        document.activeElement === word)
      restart.focus();
    if (waiting) {
      const resolve = waiting;
      waiting = null;
      resolve(-1);
    }
  }

  let instance = null;
  const game = {
    page: page,
    arguments: (interval !== null ? ["/I:" + interval] : []).concat(["/S:" + TRANSCRIPT])
      .concat(BrambleTexts.lang === "en" ? ["/L:en"] : []),
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    onExit: function () { finish(BrambleTexts.text("game_over")); },
    onAbort: function (what) { finish(BrambleTexts.text("error", { message: what })); },
    // Before the game's first line: the console's colours and pace as the
    // game defines them (this object is the module by then).
    onRuntimeInitialized: function () {
      colour = game._BrambleDefaultAttribute();
      if (interval === null)
        intervalBox.value = game._BrambleDefaultInterval();
    },
  };
  createBrambleworthen(game).then(function (module) {
    instance = module;
    if (document.getElementById("battle").offsetParent !== null)
      word.focus();
  });
})();

// Offers bytes as a download under the given file name.
function BrambleDownload(fileName, blob) {
  const anchor = document.createElement("a");
  anchor.href = URL.createObjectURL(blob);
  anchor.download = fileName;
  document.body.appendChild(anchor);
  anchor.click();
  anchor.remove();
  setTimeout(function () { URL.revokeObjectURL(anchor.href); }, 60000);
}
