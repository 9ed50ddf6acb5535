// The lab beside the battle: odds of two names (a sample, or exact over all
// 2^32 start states spread over Web Workers), and a ranking of many names.
// The work runs in workers (lab-worker.js), each with its own instance of
// the lab's WebAssembly, so the page stays responsive. Every name shown
// comes from the lab's JSON or from the address and is set as text, never
// as markup; pictures are the lab's SVG shown as images, which run nothing.
"use strict";
(function () {
  const RANK_MAX_NAMES = 2000;        // beyond this the matrix outgrows a page
  const CONFIRM_SECONDS = 30;         // work estimated longer asks first
  const PROBE_ABOVE = 2000000;        // battles beyond which the time is estimated first
  const CHUNK_MAX = 1 << 20;          // battles per call of an exact run
  const FOLD_EVERY = 8;               // shares merged into the running total at a time
  const BLANK = /[ \t\n\v\f\r]/;         // what ends a word for the game

  const $ = function (id) { return document.getElementById(id); };
  const T = BrambleTexts.text;
  const whole = BrambleTexts.whole;
  // What the panels last showed, for the tests: the report, its JSON and SVG.
  const lab = window.brambleLab = { runs: 0, busy: false, last: null, json: null, svg: null };

  // ---- Views: the battle, the odds, the ranking ----------------------------

  function show(view) {
    document.body.dataset.view = view;
    for (const tab of document.querySelectorAll("#tabs [role=tab]"))
      tab.setAttribute("aria-selected", String(tab.getAttribute("aria-controls") === view));
  }
  for (const tab of document.querySelectorAll("#tabs [role=tab]"))
    tab.addEventListener("click", function () { show(tab.getAttribute("aria-controls")); });
  // A wide screen shows the battle beside the odds; a narrow one the battle.
  show(matchMedia("(min-width: 1100px)").matches ? "odds" : "battle");

  // ---- Workers ---------------------------------------------------------------

  // A worker answering one call at a time, in order.
  function LabWorker() {
    this.worker = new Worker("lab-worker.js");
    this.pending = new Map();
    this.next = 0;
    const self = this;
    this.worker.onmessage = function (event) {
      const { id, text, error, ms } = event.data;
      const done = self.pending.get(id);
      self.pending.delete(id);
      if (error !== undefined)
        done.reject(new Error(T("lab_failed")));
      else
        done.resolve({ text: text, ms: ms });
    };
    this.broken = null;
    this.worker.onerror = function (event) {
      event.preventDefault();
      const message = T("lab_failed");
      self.broken = message;
      for (const done of self.pending.values())
        done.reject(new Error(message));
      self.pending.clear();
    };
  }
  LabWorker.prototype.call = function (op, args) {
    if (this.broken)
      return Promise.reject(new Error(this.broken));
    const id = this.next++;
    const self = this;
    return new Promise(function (resolve, reject) {
      self.pending.set(id, { resolve: resolve, reject: reject });
      self.worker.postMessage({ id: id, op: op, args: args });
    });
  };
  LabWorker.prototype.end = function () {
    this.worker.terminate();
    for (const done of this.pending.values())
      done.reject(new Error("cancelled"));
    this.pending.clear();
  };

  let workers = [];
  function pool(count) {
    while (workers.length < count)
      workers.push(new LabWorker());
    return workers.slice(0, count);
  }
  function cores() {
    return Math.max(1, Math.min(navigator.hardwareConcurrency || 2, 64));
  }
  // Cancelling ends every worker mid-call; the next run starts new ones.
  function endWorkers() {
    for (const worker of workers)
      worker.end();
    workers = [];
  }

  // A JSON answer of the lab, or its error as an exception.
  function parsed(answer) {
    let value;
    try {
      value = JSON.parse(answer.text);
    } catch (e) {
      throw new Error(T("lab_report"));
    }
    // The lab's refusal, in the page's words for its kind.
    if (value && typeof value.error === "string")
      throw new Error(BrambleTexts.has("lab_" + value.code) ? T("lab_" + value.code) : T("lab_refused"));
    return value;
  }

  // The lab's limits (the start states, the bounds of battles and seeds),
  // asked of the lab once, when a panel first needs them.
  let limits = null;
  async function labLimits() {
    if (!limits)
      limits = parsed(await pool(1)[0].call("limits", []));
    return limits;
  }
  function allStates(states) { return states === limits.states; }

  // ---- Numbers ---------------------------------------------------------------

  function percent(x, digits) { return (100 * x).toFixed(digits === undefined ? 2 : digits) + " %"; }
  function seconds(s) {
    if (s < 90)
      return T("seconds", { n: Math.ceil(s) });
    if (s < 5400)
      return T("minutes", { n: Math.round(s / 60) });
    if (s < 172800)
      return T("hours", { n: (s / 3600).toFixed(1) });
    return T("days", { n: whole(s / 86400) });
  }
  function randomSeed() {
    const words = new Uint32Array(1);
    crypto.getRandomValues(words);
    return String(words[0]);
  }

  function cell(row, text, className) {
    const td = document.createElement("td");
    td.textContent = text;
    if (className)
      td.className = className;
    row.appendChild(td);
    return td;
  }

  // The lab's SVG as an image (an image runs no script whatever it holds),
  // shown at a size whose smallest words are no smaller than the page's
  // small print: wider than its panel, the panel scrolls sideways.
  function picture(img, svg) {
    if (img.src.startsWith("blob:"))
      URL.revokeObjectURL(img.src);
    img.src = URL.createObjectURL(new Blob([svg], { type: "image/svg+xml" }));
    const width = /<svg[^>]* width="([\d.]+)"/.exec(svg);
    const sizes = (svg.match(/font-size="[\d.]+"/g) || []).map(function (a) { return parseFloat(a.slice(11)); });
    const small = parseFloat(getComputedStyle(document.documentElement).getPropertyValue("--small-print"));
    const smallest = Math.min.apply(null, sizes.concat([12]));
    if (width)
      img.style.width = (parseFloat(width[1]) * Math.max(1, small / smallest)).toFixed(1) + "px";
  }

  // The picture of a report, in the page's words.
  async function drawn(worker, report) {
    const answer = await worker.call("svg", [report, BrambleTexts.svgWords]);
    if (!answer.text.startsWith("<"))
      parsed(answer);
    return answer.text;
  }

  // The count in a box (its placeholder, the lab's default, when blank);
  // `message` says what it must be.
  function countIn(id, message) {
    const [low, high] = limits.battles;
    const count = BrambleLinks.wholeNumber($(id).value.trim() || $(id).placeholder, BigInt(low), BigInt(high));
    if (count === null)
      throw new Error(message);
    return Number(count);
  }

  // The seed in a box, or a random one, written into the box.
  function seedIn(id) {
    const text = $(id).value.trim();
    if (text && BrambleLinks.wholeNumber(text, BigInt(limits.seed[0]), BigInt(limits.seed[1])) === null)
      throw new Error(T("seed"));
    const seed = text || randomSeed();
    $(id).value = seed;
    return seed;
  }

  // The address of a run: its own keys, and the battle's pace kept.
  function runAddress(pairs) {
    const interval = BrambleLinks.read(location.search).interval;
    if (interval)
      pairs.push(["interval", interval]);
    return BrambleLinks.write(pairs);
  }

  // A cost that deserves a question first: the text says what it would
  // take; go() runs on yes.
  function confirmFirst(box, text, go, cancel) {
    $(box + "-confirm-text").textContent = text;
    $(box + "-confirm").hidden = false;
    $(box + "-confirm-go").onclick = function () { $(box + "-confirm").hidden = true; go(); };
    $(box + "-confirm-no").onclick = function () { $(box + "-confirm").hidden = true; cancel(); };
    $(box + "-confirm-go").focus();
  }

  // Battles per second of one worker for these names, from a short probe.
  async function rate(name1, name2) {
    const probe = 20000;
    const answer = await pool(1)[0].call("sample", [name1, name2, probe, 1]);
    parsed(answer);
    return probe / Math.max(answer.ms, 1) * 1000;
  }

  // A panel's controls: its form runs what it asks for (one run at a time;
  // `fresh` forgets what the last run's link carried), its cancel ends the
  // workers, and its buttons download what it last showed.
  function wirePanel(part, name, request, run, fresh) {
    part.form.addEventListener("submit", async function (event) {
      event.preventDefault();
      if (lab.busy) {
        part.status.textContent = T("busy");
        return;
      }
      if (fresh)
        fresh();
      let asked;
      try {
        asked = await request();
      } catch (error) {
        part.status.textContent = error.message;
        return;
      }
      run(asked, false);
    });
    part.cancel.addEventListener("click", function () {
      part.cancelled = true;
      endWorkers();
    });
    $(name + "-json").addEventListener("click", function () {
      BrambleDownload(part.fileName || "brambleworthen-" + name + ".json",
                      new Blob([part.json], { type: "application/json" }));
    });
    $(name + "-svg").addEventListener("click", function () {
      BrambleDownload("brambleworthen-" + name + ".svg", new Blob([part.svg], { type: "image/svg+xml" }));
    });
  }

  // ---- Odds of two names -------------------------------------------------------

  const odds = {
    form: $("odds-form"), status: $("odds-status"), progress: $("odds-progress"),
    cancel: $("odds-cancel"), run: $("odds-run"), result: $("odds-result"),
    json: null, svg: null, cancelled: false, fileName: null,
  };

  function setBusy(part, busy) {
    lab.busy = busy;
    part.run.disabled = busy;
    part.cancel.hidden = !busy;
  }

  // What the odds form asks for, checked against the lab's limits; throws a
  // message for the reader.
  async function oddsRequest() {
    await labLimits();
    const name1 = $("odds-name1").value, name2 = $("odds-name2").value;
    if (!name1 || !name2)
      throw new Error(T("two_names"));
    if (BLANK.test(name1) || BLANK.test(name2))
      throw new Error(T("name_blank"));
    if (name1 === name2)
      throw new Error(T("same_names"));
    const request = { name1: name1, name2: name2, exact: $("odds-exact").checked, ranges: null };
    if (request.exact) {
      request.ranges = odds.ranges || [[0, limits.states]];
      return request;
    }
    request.battles = countIn("odds-battles", T("battles"));
    request.seed = seedIn("odds-seed");
    return request;
  }

  // Start states the ranges of an exact run cover.
  function covered(ranges) {
    return ranges.reduce(function (sum, range) { return sum + range[1]; }, 0);
  }

  function oddsAddress(request) {
    const pairs = [["odds", [request.name1, request.name2]]];
    if (request.exact) {
      if (allStates(covered(request.ranges)))
        pairs.push(["exact", "1"]);
      else
        pairs.push(["range", request.ranges.map(function (r) { return r[0] + ":" + r[1]; }).join(",")]);
    } else {
      pairs.push(["battles", String(request.battles)], ["seed", request.seed]);
    }
    return runAddress(pairs);
  }

  function showOdds(report, svg) {
    const fighters = $("odds-fighters").tBodies[0];
    const wins = $("odds-wins").tBodies[0];
    fighters.textContent = "";
    wins.textContent = "";
    const exact = report.kind === "exact";
    report.fighters.forEach(function (f, i) {
      const row = fighters.insertRow();
      cell(row, f.name, "name");
      for (const key of ["hp", "mp", "atk", "def", "agility", "cunning"])
        cell(row, String(f[key]), f.hidden && f.hidden.indexOf(key) >= 0 ? "hidden-attribute" : "");
      const line = wins.insertRow();
      cell(line, f.name, "name");
      cell(line, whole(report.wins[i]));
      cell(line, whole(report.battles));
      cell(line, percent(report.fractions[i], exact ? 6 : 2));
      cell(line, exact ? report.exact[i] : percent(report.intervals[i][0]) + " – " + percent(report.intervals[i][1]));
    });
    $("odds-interval-head").textContent = T(exact ? "exact_head" : "interval_head");
    const summary = [T("lengths", { mean: report.ticks.mean.toFixed(2), median: whole(report.ticks.median) })];
    if (report.unfinished)
      summary.push(T("unfinished", { count: whole(report.unfinished), cap: whole(report.ticks.cap) }));
    if (exact)
      summary.push(allStates(report.states)
        ? T("all_states", { states: whole(limits.states) })
        : T("some_states", { states: whole(report.states), all: whole(limits.states),
                             ranges: report.ranges.map(function (r) { return r[0] + ":" + r[1]; }).join(", ") }));
    else
      summary.push(T("seed_used", { seed: report.seed }));
    $("odds-summary").textContent = summary.join(" ");
    picture($("odds-picture"), svg);
    odds.result.hidden = false;
  }

  async function oddsSample(request) {
    const worker = pool(1)[0];
    odds.status.textContent = request.estimate ? T("working_about", { time: seconds(request.estimate) }) : T("working");
    const started = performance.now();
    const answer = await worker.call("sample", [request.name1, request.name2, request.battles, Number(request.seed)]);
    const report = parsed(answer);
    const svg = await drawn(worker, answer.text);
    odds.status.textContent = T("sampled_in", { battles: whole(request.battles),
                                                time: seconds((performance.now() - started) / 1000) });
    return { text: answer.text, report: report, svg: svg };
  }

  // The calls of an exact run, as the lab cuts the range: a battle whose
  // twin is in the range too is played once for both.
  async function exactPlan(request) {
    const most = Math.max(1, Math.min(CHUNK_MAX, Math.ceil(covered(request.ranges) / (cores() * 16))));
    return parsed(await pool(cores())[0].call("exactPlan", [JSON.stringify(request.ranges), most]));
  }

  // An exact run: its calls handed to every worker in turn; the shares are
  // merged as --merge merges them, a batch at a time into a running total,
  // so that memory stays small over 2^32 states.
  async function oddsExact(request) {
    const count = covered(request.ranges);
    const team = pool(cores());
    const chunks = request.plan;
    let next = 0, done = 0;
    let failed = false;  // one call refused: the others stop too
    let pending = [];
    let total = Promise.resolve(null);  // the merged shares so far (JSON text)
    function fold(worker) {
      const batch = pending;
      pending = [];
      total = total.then(function (sofar) {
        return worker.call("merge", ["[" + (sofar ? [sofar].concat(batch) : batch).join(",") + "]"]);
      }).then(function (answer) {
        parsed(answer);
        return answer.text;
      });
      return total;
    }
    const started = performance.now();
    odds.progress.hidden = false;
    odds.progress.value = 0;
    odds.status.textContent = T("exact_working", { workers: team.length });
    async function work(worker) {
      try {
        while (next < chunks.length && !odds.cancelled && !failed) {
          const index = next++;
          const answer = await worker.call("exactShare", [request.name1, request.name2, JSON.stringify(chunks[index])]);
          parsed(answer);
          pending.push(answer.text);
          if (pending.length >= FOLD_EVERY)
            await fold(worker);
          for (const range of chunks[index])
            done += range[1];
          const elapsed = (performance.now() - started) / 1000;
          odds.progress.value = done / count;
          odds.status.textContent = T("exact_progress", { percent: percent(done / count, 1),
                                                          time: seconds(elapsed * (count - done) / done),
                                                          workers: team.length });
        }
      } catch (error) {
        failed = true;
        throw error;
      }
    }
    await Promise.all(team.map(work));
    if (odds.cancelled)
      throw new Error("cancelled");
    odds.progress.hidden = true;
    const merged = await fold(team[0]);
    const report = JSON.parse(merged);
    const svg = await drawn(team[0], merged);
    odds.status.textContent = T("exact_in", { states: whole(count), time: seconds((performance.now() - started) / 1000) });
    return { text: merged, report: report, svg: svg };
  }

  async function runOdds(request, asked) {
    $("odds-confirm").hidden = true;
    odds.cancelled = false;
    setBusy(odds, true);
    try {
      history.replaceState(null, "", oddsAddress(request));
      $("odds-link").href = location.href;
      $("odds-link").hidden = false;
      let work = request.battles;
      if (request.exact) {
        // Battles, not start states: a call's twins share its first range's.
        request.plan = await exactPlan(request);
        work = request.plan.reduce(function (sum, call) { return sum + call[0][1]; }, 0);
      }
      if (!asked && work > PROBE_ABOVE) {
        odds.status.textContent = T("estimating");
        const perWorker = await rate(request.name1, request.name2);
        const estimate = request.estimate = work / (perWorker * (request.exact ? cores() : 1));
        if (estimate > CONFIRM_SECONDS) {
          setBusy(odds, false);
          odds.status.textContent = "";
          confirmFirst("odds", T("odds_confirm", { work: whole(work), time: seconds(estimate),
                                                   rate: whole(Math.round(perWorker)) }),
                       function () { runOdds(request, true); },
                       function () { odds.status.textContent = T("not_started"); });
          return;
        }
      }
      const result = request.exact ? await oddsExact(request) : await oddsSample(request);
      odds.json = lab.json = result.text;
      odds.svg = lab.svg = result.svg;
      // A share of a run downloads under the name of its states, to be
      // merged with the others on any device.
      const share = request.exact && !allStates(covered(request.ranges));
      odds.fileName = share ? "brambleworthen-share-" +
        request.ranges.map(function (r) { return r[0] + "-" + r[1]; }).join("_") + ".json" : null;
      $("odds-share").hidden = !share;
      showOdds(result.report, result.svg);
      lab.runs += 1;
      lab.last = result.report;
    } catch (error) {
      odds.progress.hidden = true;
      odds.status.textContent = odds.cancelled ? T("cancelled") : T("error", { message: error.message });
    } finally {
      setBusy(odds, false);
    }
  }

  wirePanel(odds, "odds", oddsRequest, runOdds, function () { odds.ranges = null; });

  // ---- Shares of an exact run, merged ------------------------------------------

  // Files opened or dropped are merged one at a time into the total so far,
  // by the lab's own merge (--merge), so that a refused file leaves the
  // total as it was and the page can say which file it was and why.
  const merge = { total: null, files: 0 };
  lab.merges = 0;

  function mergeLine(text, refused) {
    const item = document.createElement("li");
    item.textContent = text;
    if (refused)
      item.className = "refused";
    $("merge-list").appendChild(item);
  }

  function rangesText(ranges) {
    return ranges.map(function (r) { return r[0] + ":" + r[1]; }).join(", ");
  }

  function coverageText(report) {
    if (allStates(report.states))
      return T("merge_done", { files: whole(merge.files), all: whole(limits.states) });
    const part = report.states / limits.states;
    return T("merge_state", { files: whole(merge.files), states: whole(report.states), all: whole(limits.states),
                              percent: percent(part, part < 0.01 ? 4 : 2) });
  }

  async function mergeFiles(files) {
    const status = $("merge-status");
    if (lab.busy) {
      status.textContent = T("busy");
      return;
    }
    lab.busy = true;
    odds.run.disabled = true;
    $("merge-files").disabled = true;
    status.textContent = T("merge_working");
    try {
      await labLimits();
      const worker = pool(1)[0];
      let taken = 0;
      for (const file of files) {
        let text;
        try {
          text = await file.text();
        } catch (error) {
          mergeLine(T("merge_file_refused", { file: file.name, reason: T("merge_unreadable") }), true);
          continue;
        }
        const answer = await worker.call("merge", [JSON.stringify(merge.total ? [merge.total, text] : [text])]);
        try {
          parsed(answer);
        } catch (error) {
          mergeLine(T("merge_file_refused", { file: file.name, reason: error.message }), true);
          continue;
        }
        merge.total = answer.text;
        merge.files += 1;
        taken += 1;
        mergeLine(T("merge_file_taken", { file: file.name, ranges: rangesText(JSON.parse(text).ranges) }));
      }
      if (merge.total) {
        const report = JSON.parse(merge.total);
        if (taken) {
          const svg = await drawn(worker, merge.total);
          odds.json = lab.json = merge.total;
          odds.svg = lab.svg = svg;
          odds.fileName = "brambleworthen-merged.json";
          $("odds-link").hidden = true;
          $("odds-share").hidden = true;
          showOdds(report, svg);
          lab.last = report;
        }
        $("merge-coverage").hidden = false;
        $("merge-coverage").value = report.states / limits.states;
        $("merge-clear").hidden = false;
        status.textContent = coverageText(report);
      } else {
        status.textContent = "";
      }
    } catch (error) {
      status.textContent = T("error", { message: error.message });
    } finally {
      lab.busy = false;
      odds.run.disabled = false;
      $("merge-files").disabled = false;
      lab.merges += 1;
    }
  }

  $("merge-files").addEventListener("change", function () {
    const files = Array.from(this.files);
    this.value = "";  // the same file may be chosen again
    mergeFiles(files);
  });
  $("merge-clear").addEventListener("click", function () {
    merge.total = null;
    merge.files = 0;
    $("merge-list").textContent = "";
    $("merge-coverage").hidden = true;
    $("merge-clear").hidden = true;
    $("merge-status").textContent = T("merge_cleared");
  });
  // Files dropped anywhere on the page are shares to merge (never a page
  // for the browser to open in place of this one).
  function carriesFiles(event) {
    return event.dataTransfer && Array.from(event.dataTransfer.types || []).indexOf("Files") >= 0;
  }
  document.addEventListener("dragover", function (event) {
    if (!carriesFiles(event))
      return;
    event.preventDefault();
    event.dataTransfer.dropEffect = "copy";
    $("merge").classList.add("dropping");
  });
  document.addEventListener("dragleave", function (event) {
    if (event.relatedTarget === null)
      $("merge").classList.remove("dropping");
  });
  document.addEventListener("drop", function (event) {
    if (!carriesFiles(event))
      return;
    event.preventDefault();
    $("merge").classList.remove("dropping");
    show("odds");
    mergeFiles(Array.from(event.dataTransfer.files));
  });

  // ---- Ranking -----------------------------------------------------------------

  const rank = {
    form: $("rank-form"), status: $("rank-status"), cancel: $("rank-cancel"),
    run: $("rank-run"), result: $("rank-result"), json: null, svg: null, cancelled: false,
  };

  async function rankRequest() {
    await labLimits();
    const lines = $("rank-names").value.split(/\r?\n/).map(function (n) { return n.replace(/^[ \t\v\f\r]+|[ \t\v\f\r]+$/g, ""); });
    const names = lines.filter(function (n) { return n !== ""; });
    if (names.length < 2)
      throw new Error(T("rank_few"));
    if (names.length > RANK_MAX_NAMES)
      throw new Error(T("rank_many", { count: whole(names.length), most: whole(RANK_MAX_NAMES),
                                       cells: whole(names.length * names.length) }));
    const seen = new Map();
    lines.forEach(function (name, i) {
      if (name === "")
        return;
      if (BLANK.test(name))
        throw new Error(T("rank_blank", { line: i + 1 }));
      if (seen.has(name))
        throw new Error(T("rank_repeat", { first: seen.get(name) + 1, second: i + 1, name: name }));
      seen.set(name, i);
    });
    const battles = countIn("rank-battles", T("battles_per_pair"));
    return { names: names, battles: battles, seed: seedIn("rank-seed") };
  }

  function showRank(report, svg) {
    const body = $("rank-table").tBodies[0];
    body.textContent = "";
    for (const entry of report.names) {
      const row = body.insertRow();
      cell(row, String(entry.rank));
      cell(row, entry.name, "name");
      cell(row, percent(entry.mean_win_rate));
      cell(row, percent(entry.interval[0]) + " – " + percent(entry.interval[1]));
      cell(row, whole(entry.wins));
      cell(row, whole(entry.battles));
      cell(row, whole(entry.beaten));
    }
    picture($("rank-picture"), svg);
    rank.result.hidden = false;
  }

  async function runRank(request, asked) {
    $("rank-confirm").hidden = true;
    rank.cancelled = false;
    setBusy(rank, true);
    try {
      history.replaceState(null, "", runAddress([["rank", request.names], ["battles", String(request.battles)],
                                                 ["seed", request.seed]]));
      $("rank-link").href = location.href;
      const n = request.names.length;
      const work = n * (n - 1) / 2 * request.battles;
      if (!asked && work > PROBE_ABOVE) {
        rank.status.textContent = T("estimating");
        const estimate = request.estimate = work / await rate(request.names[0], request.names[1]);
        if (estimate > CONFIRM_SECONDS) {
          setBusy(rank, false);
          rank.status.textContent = "";
          confirmFirst("rank", T("rank_confirm", { names: whole(n), pairs: whole(n * (n - 1) / 2),
                                                   work: whole(work), time: seconds(estimate) }),
                       function () { runRank(request, true); },
                       function () { rank.status.textContent = T("not_started"); });
          return;
        }
      }
      rank.status.textContent = request.estimate ? T("working_about", { time: seconds(request.estimate) }) : T("working");
      const started = performance.now();
      const worker = pool(1)[0];
      const answer = await worker.call("rank", [request.names.join("\n"), request.battles, Number(request.seed)]);
      const report = parsed(answer);
      const svg = await drawn(worker, answer.text);
      rank.json = lab.json = answer.text;
      rank.svg = lab.svg = svg;
      showRank(report, svg);
      rank.status.textContent = T("rank_in", { work: whole(work), time: seconds((performance.now() - started) / 1000) });
      lab.runs += 1;
      lab.last = report;
    } catch (error) {
      rank.status.textContent = rank.cancelled ? T("cancelled") : T("error", { message: error.message });
    } finally {
      setBusy(rank, false);
    }
  }

  wirePanel(rank, "rank", rankRequest, runRank);

  // ---- A link that holds a run opens its panel and runs it ----------------------

  const link = BrambleLinks.read(location.search);
  function linkError(part, message) {
    show(part === odds ? "odds" : "rank");
    part.status.textContent = message;
  }
  if (link.errors.length) {
    linkError(/[?&]rank=/.test(location.search) ? rank : odds, link.errors.join(BrambleTexts.text("list_separator")));
  } else if ("odds" in link) {
    show("odds");
    const names = link.odds;
    $("odds-name1").value = names[0] || "";
    $("odds-name2").value = names[1] || "";
    $("odds-battles").value = link.battles || "";
    $("odds-seed").value = link.seed || "";
    $("odds-exact").checked = link.exact === "1" || "range" in link;
    odds.ranges = null;
    (async function () {
      let request = null;
      try {
        if (names.length !== 2)
          throw new Error(T("link_pair"));
        // FIRST:COUNT, or several joined by commas (a range and its twins
        // 2^31 above, which play the same battles), read by the lab.
        if ("range" in link) {
          const ranges = JSON.parse((await pool(1)[0].call("ranges", [link.range])).text);
          if (!Array.isArray(ranges))
            throw new Error(T("link_range"));
          odds.ranges = ranges;
        }
        request = await oddsRequest();
      } catch (error) {
        odds.status.textContent = error.message;
      }
      if (request)
        runOdds(request, false);
    })();
  } else if ("rank" in link) {
    show("rank");
    $("rank-names").value = link.rank.join("\n");
    $("rank-battles").value = link.battles || "";
    $("rank-seed").value = link.seed || "";
    (async function () {
      let request = null;
      try {
        if (link.exact === "1")
          throw new Error(T("rank_exact_link"));
        request = await rankRequest();
      } catch (error) {
        rank.status.textContent = error.message;
      }
      if (request)
        runRank(request, false);
    })();
  }
})();
