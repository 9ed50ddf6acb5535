// The page around the game: shows the game's coloured text, hands it the
// words typed into the text box, keeps the transcript for download, and
// passes the address's `seed` and `interval` to the game.
"use strict";
(function () {
  // The sixteen console colours by attribute (1 blue, 2 green, 4 red,
  // 8 intensity), as a console shows them: 12 bright red, 11 light cyan...
  const COLOURS = [
    "#000000", "#000080", "#008000", "#008080", "#800000", "#800080", "#808000", "#c0c0c0",
    "#808080", "#0000ff", "#00ff00", "#00ffff", "#ff0000", "#ff00ff", "#ffff00", "#ffffff",
  ];
  const TRANSCRIPT = "brambleworthen.txt";

  const screen = document.getElementById("screen");
  const entry = document.getElementById("entry");
  const word = document.getElementById("word");
  const intervalBox = document.getElementById("interval");
  const status = document.getElementById("status");
  const params = new URLSearchParams(location.search);

  // seed: the generator's seed, a whole number taken modulo 2^32; interval:
  // milliseconds, read by the game as it reads /I:. Anything else is ignored.
  const seedText = params.get("seed") || "";
  const seed = /^\d{1,30}$/.test(seedText) ? Number(BigInt(seedText) % 4294967296n) : null;
  const intervalText = params.get("interval") || "";
  const interval = /^[+-]?\d{1,30}$/.test(intervalText) ? intervalText : "1000";
  intervalBox.value = interval;

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

  let colour = 7;
  let span = null;

  // New text scrolls into view unless the reader scrolled up, once per
  // frame: measuring the layout on every write would slow a fast battle.
  let following = true;
  let scrollPending = false;
  screen.addEventListener("scroll", function () {
    following = screen.scrollHeight - screen.scrollTop - screen.clientHeight < 40;
  });
  function followOutput(write) {
    write();
    if (following && !scrollPending) {
      scrollPending = true;
      requestAnimationFrame(function () {
        scrollPending = false;
        screen.scrollTop = screen.scrollHeight;
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

  function show(text) {
    if (!span) {
      span = document.createElement("span");
      span.style.color = COLOURS[colour & 15];
      if ((colour >> 4) & 15)
        span.style.backgroundColor = COLOURS[(colour >> 4) & 15];
      lineBlock().appendChild(span);
    }
    span.appendChild(document.createTextNode(text));
  }

  page.write = function (text) {
    followOutput(function () {
      const pieces = text.split("\n");
      pieces.forEach(function (piece, i) {
        const last = i === pieces.length - 1;
        if (piece || !last)
          show(last ? piece : piece + "\n");
        if (!last)
          line = span = null;
      });
    });
    if (text.indexOf("\x07") >= 0)
      bell();
  };

  // Typed bytes (UTF-8, a line feed after each line) wait here for the game.
  const typed = [];
  let waiting = null;

  page.readByte = function () {
    if (typed.length)
      return typed.shift();
    if (page.ended)
      return -1;
    if (page.firstReadAt === null)
      page.firstReadAt = performance.now();
    return new Promise(function (resolve) { waiting = resolve; });
  };

  entry.addEventListener("submit", function (event) {
    event.preventDefault();
    if (page.ended)
      return;
    const typedLine = word.value;
    word.value = "";
    // The echo a terminal gives, apart from the game's own text.
    followOutput(function () {
      const echo = document.createElement("span");
      echo.className = "typed";
      echo.textContent = typedLine + "\n";
      lineBlock().appendChild(echo);
      line = span = null;
    });
    for (const byte of new TextEncoder().encode(typedLine + "\n"))
      typed.push(byte);
    if (waiting) {
      const resolve = waiting;
      waiting = null;
      resolve(typed.shift());
    }
  });

  page.tick = function () {
    const now = performance.now();
    page.ticks += 1;
    if (page.firstTickAt === null)
      page.firstTickAt = now;
    page.lastTickAt = now;
  };

  page.appendToTranscript = function (path, bytes) {
    if (!page.transcripts.has(path))
      page.transcripts.set(path, []);
    page.transcripts.get(path).push(bytes);
  };

  // The transcript as a file: the GBK bytes with CR LF line ends.
  document.getElementById("save").addEventListener("click", function () {
    const parts = page.transcripts.get(TRANSCRIPT);
    if (!parts) {
      status.textContent = "还没有战况";
      return;
    }
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob(parts, { type: "application/octet-stream" }));
    link.download = TRANSCRIPT;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
  });

  intervalBox.addEventListener("change", function () {
    const ms = parseInt(intervalBox.value, 10);
    if (!(ms >= 10))
      return;
    if (instance)
      instance._BrambleSetInterval(ms);
    params.set("interval", String(ms));
    history.replaceState(null, "", "?" + params.toString());
  });

  document.getElementById("restart").addEventListener("click", function () {
    location.reload();
  });

  function finish(message) {
    page.ended = true;
    word.disabled = true;
    status.textContent = message;
    document.getElementById("restart").hidden = false;
    if (waiting) {
      const resolve = waiting;
      waiting = null;
      resolve(-1);
    }
  }

  let instance = null;
  createBrambleworthen({
    page: page,
    arguments: ["/I:" + interval, "/S:" + TRANSCRIPT],
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    onExit: function () { finish("游戏结束"); },
    onAbort: function (what) { finish("出错了：" + what); },
  }).then(function (module) {
    instance = module;
    word.focus();
  });
})();
