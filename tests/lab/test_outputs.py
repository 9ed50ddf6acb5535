"""The lab's output for scripts and pictures, from the built program: JSON and
CSV round trips with the documented keys and types, SVG files parsed as XML
whose bars and cells carry the report's numbers, and an exact run split into
jobs, run by GNU parallel and merged, equal to one run over the same range.

Usage: test_outputs.py PATH_TO_BRAMBLEWORTHEN_ODDS
"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ODDS = os.path.abspath(sys.argv[1])
SVG = "{http://www.w3.org/2000/svg}"
failures = []
passed = 0


def check(what, condition):
    global passed
    if condition:
        passed += 1
    else:
        failures.append(what)
        print("FAILED:", what, file=sys.stderr)


def odds(*args, cwd=None):
    run = subprocess.run([ODDS, *args], capture_output=True, cwd=cwd, stdin=subprocess.DEVNULL,
                         env=dict(os.environ, LC_ALL="C.UTF-8"), timeout=300)
    if run.returncode != 0:
        raise SystemExit(f"brambleworthen-odds {' '.join(args)}: status {run.returncode}: "
                         f"{run.stderr.decode(errors='replace')}")
    return run.stdout.decode("utf-8")


def typed(value, kind):
    return isinstance(value, kind) and not (kind is int and isinstance(value, bool))


VERSION = odds("--version").split()[-1]
FIGHTER = {"name": str, "gbk": str, "hp": int, "mp": int, "atk": int, "def": int,
           "agility": int, "cunning": int, "hidden": list}
PAIR = {"program": str, "version": str, "schema": int, "kind": str, "fighters": list, "battles": int,
        "wins": list, "unfinished": int, "fractions": list, "ticks": dict}


def check_keys(what, doc, keys):
    for key, kind in keys.items():
        check(f"{what}: '{key}' is a {kind.__name__}", key in doc and typed(doc[key], kind))


def check_pair(what, doc, kind):
    check_keys(what, doc, PAIR)
    check(f"{what}: kind {kind}, version {VERSION}, schema 2",
          doc["kind"] == kind and doc["version"] == VERSION and doc["schema"] == 2)
    for fighter in doc["fighters"]:
        check_keys(what + " fighter", fighter, FIGHTER)
        check(f"{what}: hidden attributes marked", fighter["hidden"] == ["agility", "cunning"])
    check(f"{what}: wins and unfinished add up", sum(doc["wins"]) + doc["unfinished"] == doc["battles"])
    check(f"{what}: fractions", all(abs(f - w / doc["battles"]) < 1e-12
                                    for f, w in zip(doc["fractions"], doc["wins"])))
    lengths = doc["ticks"]["lengths"]
    check(f"{what}: lengths count the finished battles",
          sum(count for _, count in lengths) == sum(doc["wins"]))
    check(f"{what}: tick statistics", all(isinstance(doc["ticks"][k], (int, float))
                                          for k in ("mean", "median", "cap")))


# The pair report, sampled and exact, and its CSV.
sample = json.loads(odds("-n", "3000", "-s", "5", "--format", "json", "abc", "xyz"))
check_pair("sample", sample, "sample")
check_keys("sample", sample, {"seed": int, "threads": int, "intervals": list})
check("sample: seed", sample["seed"] == 5)
check("sample: intervals hold the fractions",
      all(lo <= f <= hi for (lo, hi), f in zip(sample["intervals"], sample["fractions"])))
rows = list(csv.DictReader(io.StringIO(odds("-n", "3000", "-s", "5", "--format", "csv", "abc", "xyz"))))
check("sample csv: a row per fighter with the JSON's wins",
      [int(r["wins"]) for r in rows] == sample["wins"] and rows[0]["name"] == "abc")

exact = json.loads(odds("--exact-range=100:2000", "abc", "xyz"))  # JSON unless told otherwise
check_pair("exact", exact, "exact")
check_keys("exact", exact, {"ranges": list, "states": int, "coverage": float, "exact": list})
check("exact: range and coverage", exact["ranges"] == [[100, 2000]] and exact["states"] == 2000
      and abs(exact["coverage"] - 2000 / 2**32) < 1e-18)

# A name beyond ASCII keeps its bytes and reads as itself.
gbk_pair = json.loads(odds("-n", "500", "-s", "1", "--format=json", "张三", "abc"))
check("names: Unicode text and GBK bytes", gbk_pair["fighters"][0]["name"] == "张三" and
      bytes.fromhex(gbk_pair["fighters"][0]["gbk"]) == "张三".encode("gbk"))

# The ranking with its matrix, and its CSV.
tmp = tempfile.mkdtemp(prefix="bramble-lab-")
names = os.path.join(tmp, "names.txt")
with open(names, "w") as f:
    f.write("abc\nxyz\nalice\n")
rank = json.loads(odds("--rank", names, "-n", "2000", "-s", "3", "--format", "json"))
check_keys("rank", rank, {"version": str, "schema": int, "kind": str, "names": list,
                          "matrix": list, "battles_per_pair": int, "seed": int})
for row in rank["names"]:
    check_keys("rank row", row, dict(FIGHTER, rank=int, mean_win_rate=float, interval=list,
                                     wins=int, battles=int, beaten=int))
    # Every pair played as often: the mean rate is the share of all battles
    # won, the double nearest the quotient of the counts.
    check("rank: the mean win rate is wins / battles", row["mean_win_rate"] == row["wins"] / row["battles"])
    check("rank: interval holds the rate", row["interval"][0] <= row["wins"] / row["battles"]
          <= row["interval"][1])
matrix = rank["matrix"]
check("rank: the matrix is square, null on its diagonal",
      len(matrix) == 3 and all(len(r) == 3 and r[i] is None for i, r in enumerate(matrix)))
check("rank: the matrix adds up to each name's wins",
      all(sum(c["wins"] for c in matrix[i] if c) == rank["names"][i]["wins"] for i in range(3)))
rank_rows = list(csv.DictReader(io.StringIO(
    odds("--rank", names, "-n", "2000", "-s", "3", "--format", "csv"))))
check("rank csv: same order", [r["name"] for r in rank_rows] == [r["name"] for r in rank["names"]])
check("rank csv: figures read back as the counts give them",
      all(float(r["mean_win_rate"]) == int(r["wins"]) / int(r["battles"]) and
          len(r["mean_win_rate"]) <= len(repr(int(r["wins"]) / int(r["battles"]))) for r in rank_rows))

# The replay's summary agrees with the replay itself.
replay = json.loads(odds("--replay", "12345", "--format", "json", "abc", "xyz"))
check_keys("replay", replay, {"schema": int, "state": int, "ended": bool, "winner": int,
                              "ticks": int, "tick_cap": int, "hp_after": list, "fighters": list})
shown = odds("--replay", "12345", "abc", "xyz")
loser = replay["fighters"][2 - replay["winner"]]["name"]
check("replay: the summary names the loser the battle shows", f"*-- {loser}被击败了" in shown)

# Pictures: the histogram's bars carry the bins of the lengths, the heat
# map's cells the matrix.
svg_path = os.path.join(tmp, "h.svg")
odds("-n", "3000", "-s", "5", "--svg", svg_path, "--format", "json", "abc", "xyz")
bars = [r for r in ET.parse(svg_path).iter(SVG + "rect") if r.get("class") == "bar"]
lengths = dict(map(tuple, sample["ticks"]["lengths"]))
check("svg histogram: bars cover every finished battle",
      sum(int(b.get("data-count")) for b in bars) == sum(sample["wins"]))
check("svg histogram: each bar counts the battles of its lengths",
      all(int(b.get("data-count")) == sum(lengths.get(t, 0) for t in
                                          range(int(b.get("data-low")), int(b.get("data-high")) + 1))
          for b in bars))
tallest = max(bars, key=lambda b: int(b.get("data-count")))
check("svg histogram: heights follow the counts", all(
    abs(float(b.get("height")) / float(tallest.get("height")) -
        int(b.get("data-count")) / int(tallest.get("data-count"))) < 0.01 for b in bars))
texts = "".join(t.text or "" for t in ET.parse(svg_path).iter(SVG + "text"))
check("svg histogram: title and axes", "abc vs xyz" in texts and "ticks" in texts and "battles" in texts)
ticks = [int(t.text) for t in ET.parse(svg_path).iter(SVG + "text") if t.get("text-anchor") == "end"
         and (t.text or "").isdigit() and "rotate" not in (t.get("transform") or "")]
steps = {b - a for a, b in zip(ticks, ticks[1:])}
check(f"svg histogram: the count axis steps by 1, 2 or 5 times a power of ten ({ticks})",
      ticks[0] == 0 and len(steps) == 1 and str(steps.pop()).rstrip("0") in ("1", "2", "5")
      and ticks[-1] >= max(int(b.get("data-count")) for b in bars))

svg_path = os.path.join(tmp, "m.svg")
odds("--rank", names, "-n", "2000", "-s", "3", "--svg", svg_path)
cells = {(c.get("data-row"), c.get("data-column")): c for c in ET.parse(svg_path).iter(SVG + "rect")
         if c.get("class") == "cell"}
check("svg heat map: a cell per ordered pair", len(cells) == 6)
root = ET.parse(svg_path).getroot()
legend = [t for t in root.iter(SVG + "text") if t.get("class") == "legend"]
check("svg heat map: the legend names every colour, within the picture's width",
      "green 80 % and over" in [t.text for t in legend] and
      all(float(t.get("x")) + 7 * len(t.text) <= float(root.get("width")) for t in legend))
for i, row in enumerate(rank["names"]):
    for j, column in enumerate(rank["names"]):
        if i != j:
            cell = cells[(row["name"], column["name"])]
            check("svg heat map: the cell carries the matrix's numbers",
                  int(cell.get("data-wins")) == matrix[i][j]["wins"] and
                  int(cell.get("data-battles")) == matrix[i][j]["battles"])

# An exact run split into jobs, run by GNU parallel on two slots, merged:
# the same answer as one run over the same range, and as its states played
# one by one. The range holds twins (a state and the one 2^31 above it,
# played as one battle), so each job stands for a range and its twins.
RANGE = "0:30000,2147483648:30000"
jobs = odds("--exact-range=" + RANGE, "--split", "4", "abc", "xyz", cwd=tmp)
check("split: four job lines, each a range and its twins",
      [line.count(",2147") for line in jobs.splitlines()] == [1] * 4)
check("split: --exact is understood", odds("--split", "4", "abc", "xyz", cwd=tmp) ==
      odds("--exact", "--split", "4", "abc", "xyz", cwd=tmp))

# Job lines survive any name a shell could misread: each line, run by sh,
# writes the share of exactly the names given.
for name in ("a'b", "x$y;*", "`id`", "'", "\\", "--", "-n"):
    line = odds("--exact-range=0:100", "--split", "1", "--", name, "abc", cwd=tmp)
    subprocess.run(["sh", "-c", line], cwd=tmp, check=True, timeout=60,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    share = json.load(open(os.path.join(tmp, "part-1.json")))
    check(f"split: the job line of {name!r} plays that name",
          share["fighters"][0]["name"] == name and share["ranges"] == [[0, 100]])
os.remove(os.path.join(tmp, "part-1.json"))
if shutil.which("parallel"):
    subprocess.run(["parallel", "-j", "2"], input=jobs.encode(), cwd=tmp, check=True, timeout=300)
    parts = sorted(p for p in os.listdir(tmp) if p.startswith("part-"))
    merged = json.loads(odds("--merge", "--format", "json", *parts, cwd=tmp))
    one_by_one = []
    for name, states in (("lower.json", "0:30000"), ("upper.json", "2147483648:30000")):
        with open(os.path.join(tmp, name), "w") as f:
            f.write(odds("--exact-range=" + states, "abc", "xyz"))
        one_by_one.append(name)
    whole = json.loads(odds("--merge", "--format", "json", *one_by_one, cwd=tmp))
    for key in ("wins", "unfinished", "ticks", "ranges", "states", "exact"):
        check(f"split: merged {key} equals the states' played one by one", merged[key] == whole[key])
    merged_text = odds("--merge", *parts, cwd=tmp)
    check("split: the merged report says its coverage",
          "60000 of the 4294967296 start states" in merged_text)
    check("split: the merged report is the one run's report",
          merged_text.split("\n", 1)[1] == odds("--exact-range=" + RANGE, "--format=text", "abc", "xyz"))
    for p in one_by_one:
        os.remove(os.path.join(tmp, p))
    for p in parts:
        os.remove(os.path.join(tmp, p))
else:
    failures.append("GNU parallel is missing (apt-get install parallel)")


def run_bytes(args, locale, cwd=tmp, status=0):
    run = subprocess.run([ODDS.encode(), *args], capture_output=True, cwd=cwd,
                         stdin=subprocess.DEVNULL, env=dict(os.environ, LC_ALL=locale), timeout=300)
    if run.returncode != status:
        raise SystemExit(f"brambleworthen-odds {args}: status {run.returncode}: {run.stderr!r}")
    return run


# Names beyond ASCII (a name given as GBK bytes, which are no UTF-8, among
# them) and names a shell misreads, split in a UTF-8 locale and in C, run by
# GNU parallel and by xargs, merge to exactly the counts of the whole range.
NAMES = ["张三".encode(), "é".encode(), "甲乙".encode("gbk"), b"a'b", b"x$y;*", b"`id`", b"'",
         b"\\", b"--", b"-n"]
RUNNERS = {"parallel": ["parallel", "-j", "2"], "xargs": ["xargs", "-d", "\n", "-n", "1", "-P", "2", "sh", "-c"]}
for locale in ("C.UTF-8", "C"):
    for one, two in zip(NAMES, NAMES[1:] + NAMES[:1]):
        # A range and some of its twins: job lines naming two ranges each.
        whole = json.loads(run_bytes([b"--exact-range=0:1000,2147483648:500", b"--", one, two], locale).stdout)
        job_lines = run_bytes([b"--exact-range=0:1000,2147483648:500", b"--split", b"3", b"--", one, two],
                              locale).stdout
        for runner, command in RUNNERS.items():
            if not shutil.which(command[0]):
                continue
            # The jobs run in a locale of their own: the job lines name the
            # fighters whatever the locale.
            subprocess.run(command, input=job_lines, cwd=tmp, check=True, timeout=300,
                           env=dict(os.environ, LC_ALL="C.UTF-8" if locale == "C" else "C"))
            merged = json.loads(run_bytes([b"--merge", b"--format=json", b"part-1.json", b"part-2.json",
                                           b"part-3.json"], locale).stdout)
            check(f"split {locale} {runner} {one!r} {two!r}: the merged counts are the whole range's",
                  [merged[k] for k in ("fighters", "wins", "unfinished", "ticks", "ranges")] ==
                  [whole[k] for k in ("fighters", "wins", "unfinished", "ticks", "ranges")])
            for k in (1, 2, 3):
                os.remove(os.path.join(tmp, f"part-{k}.json"))

# A message that names a fighter names it as the user typed it.
with open(names, "wb") as f:
    f.write("abc\nxyz\n张三\n".encode())
for locale in ("C.UTF-8", "C"):
    with open(os.path.join(tmp, "share.json"), "wb") as f:
        f.write(run_bytes([b"--exact-range=0:10", b"abc", b"xyz"], locale).stdout)
    refused = run_bytes([b"--rank", names.encode(), b"--merge", b"share.json"], locale, status=2)
    check(f"messages ({locale}): a name as typed",
          "no part of the pair abc and 张三\n".encode() in refused.stderr)

# Seeds read back exactly as a double (jq, JavaScript): drawn or given,
# none is above 2^53, and a larger one is refused.
for args in ((), ("-s", str(2**53))):
    seed = json.loads(odds("-n", "10", *args, "--format=json", "abc", "xyz"))["seed"]
    check(f"seed {args}: within 2^53, exact as a double", seed <= 2**53 and int(float(seed)) == seed)
check("seed: beyond 2^53 refused",
      run_bytes([b"-s", str(2**53 + 1).encode(), b"abc", b"xyz"], "C", status=2).stderr != b"")

# CSV names a spreadsheet would run as formulas start with an apostrophe.
rows = list(csv.DictReader(io.StringIO(odds("-n", "10", "-s", "1", "--format=csv", "--", "=1+1", "@x"))))
check("csv: formulas neutralised", [r["name"] for r in rows] == ["'=1+1", "'@x"])

# A share another program wrote is refused.
share = json.loads(odds("--exact-range=0:10", "abc", "xyz"))
share["program"] = "something-else"
with open(os.path.join(tmp, "other.json"), "w") as f:
    json.dump(share, f)
check("merge: a share of another program is refused",
      b"not written by brambleworthen-odds" in run_bytes([b"--merge", b"other.json"], "C", status=2).stderr)

shutil.rmtree(tmp)
print(f"lab outputs: {passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
