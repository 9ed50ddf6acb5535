"""The documents say what the programs do.

Runs every command of the EXAMPLES sections of both manual pages, of the
lab examples in the READMEs and of doc/exact-runs.md against the built
programs (with smaller sizes where an example would take minutes), runs the
job runners of doc/exact-runs.md on job lines whose names hold quotes and
shell characters, checks that every option of each program's usage text is
in its manual page and every option the page describes is accepted, that
the numbers the documents repeat (default pace, sample sizes, tick cap, the
timer's limits) are the programs' own, that every document a page cites and
every link between the documents leads somewhere, that figures of speed and
size stay in doc/figures.md, that the README stays short with its contents
list, that the pages' sections come in the usual order, that
doc/building.md installs by hand what ./check installs, and that the
Windows README.txt keeps its layout.

Usage: test_documents.py GAME LAB SOURCE_DIR GAME_PAGE LAB_PAGE
(the pages as CMake configured them; mandoc renders them).
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

PROBLEMS = []
CHECKED = [0]


def expect(ok, what):
    CHECKED[0] += 1
    if not ok:
        PROBLEMS.append(what)
    return ok


def run(args, cwd=None, stdin=b"", env=None, timeout=120, shell=False):
    return subprocess.run(args, cwd=cwd, input=stdin, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, env=env, timeout=timeout, shell=shell)


def flat(text):
    """Text with every run of white space made one blank."""
    return re.sub(r"\s+", " ", text)


def rendered(page):
    """The page as a reader sees it, on one long line."""
    out = run(["mandoc", "-T", "ascii", "-O", "width=500", page]).stdout.decode()
    return flat(re.sub(".\b", "", out))


def roff_sections(page):
    """{section name: its roff lines}, in order."""
    sections, name = {}, None
    with open(page, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith(".SH "):
                name = line[4:].strip('"')
                sections[name] = []
            elif name:
                sections[name].append(line)
    return sections


def unescape(roff):
    return roff.replace("\\-", "-").replace("\\e", "\\").replace("\\ ", " ")


def page_examples(page):
    """The shell text of each .EX ... .EE block of the EXAMPLES section."""
    blocks, block = [], None
    for line in roff_sections(page)["EXAMPLES"]:
        if line == ".EX":
            block = []
        elif line == ".EE":
            blocks.append("\n".join(block))
            block = None
        elif block is not None:
            block.append(unescape(line))
    return blocks


def markdown_blocks(path, heading):
    """The ```sh blocks under a heading, up to the next heading of its level."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    level = heading.split(" ")[0]
    start = text.index(heading + "\n")
    end = text.find("\n" + level + " ", start + 1)
    part = text[start:end if end >= 0 else len(text)]
    return re.findall(r"```sh\n(.*?)```", part, re.S)


# Examples that would take minutes run at a smaller size; each stand-in must
# still find what it replaces, or it has gone stale.
SMALLER = [
    ("/I:500", "/I:10"),                                  # a battle in a second, not in 15
    ("-n 5000000", "-n 50000"),
    ("--exact abc xyz", "--exact-range=0:20000 abc xyz"),  # all 2^32 states: minutes
    ("--exact --split 64", "--exact-range=0:6400 --split 64"),
    ("build/release/src/lab/brambleworthen-odds", "brambleworthen-odds"),  # on PATH below
]

# Stands in for Slurm's sbatch: runs `--array=A-B --wrap CMD` task by task.
SBATCH = r"""#!/bin/sh
range= wrap=
while [ $# -gt 0 ]; do
  case $1 in
    --array=*) range=${1#--array=} ;;
    --wrap) wrap=$2; shift ;;
    *) echo "sbatch stand-in: $1 not known" >&2; exit 2 ;;
  esac
  shift
done
i=${range%-*}
while [ "$i" -le "${range#*-}" ]; do
  SLURM_ARRAY_TASK_ID=$i sh -c "$wrap" || exit 1
  i=$((i + 1))
done
"""

HOSTILE = ["a'b", "x$y;*", 'q"r s']


def check_examples(work, bindir, examples):
    """Runs the blocks of each document in order, in one folder, as a reader would."""
    used = set()
    folders = {}
    for where, block in examples:
        script = block
        for old, new in SMALLER:
            if old in script:
                used.add(old)
                script = script.replace(old, new)
        if where not in folders:
            folders[where] = tempfile.mkdtemp(dir=work)
            with open(os.path.join(folders[where], "names.txt"), "w") as f:
                f.write("abc\nxyz\nalice\n")
        folder = folders[where]
        env = dict(os.environ, PATH=bindir + os.pathsep + os.environ["PATH"], LC_ALL="C.UTF-8")
        done = run(["bash", "-e", "-o", "pipefail", "-c", script], cwd=folder,
                   stdin=b"abc xyz\nn\n", env=env, timeout=300)
        ok = expect(done.returncode == 0, "%s: exit status %d:\n%s\n%s" % (
            where, done.returncode, script, done.stderr.decode(errors="replace")[-2000:]))
        # Every transcript an example names was written.
        for path in re.findall(r"/S:(\S+)|--replay \S+ -t (\S+)", script):
            path = "".join(path)
            ok = expect(os.path.getsize(os.path.join(folder, path)) > 0
                        if os.path.exists(os.path.join(folder, path)) else False,
                        "%s: no transcript %s" % (where, path)) and ok
    for old, _ in SMALLER:
        expect(old in used, "the stand-in for %r matches no example any more" % old)


def check_runners(work, bindir, recipe):
    """The recipe's job runners on job lines of names that need quoting."""
    block = markdown_blocks(recipe, "# Exact runs across machines")[0]
    runners = [line for line in block.splitlines() if "jobs" in line and "--split" not in line]
    expect(len(runners) >= 3, "doc/exact-runs.md shows %d job runners" % len(runners))
    env = dict(os.environ, PATH=bindir + os.pathsep + os.environ["PATH"], LC_ALL="C.UTF-8")
    for runner in runners:
        folder = tempfile.mkdtemp(dir=work)
        with open(os.path.join(folder, "jobs"), "wb") as f:
            f.write(run(["brambleworthen-odds", "--exact-range=0:3000", "--split", "3"] + HOSTILE[:2],
                        env=env).stdout)
        done = run(["bash", "-c", runner], cwd=folder, env=env, timeout=120)
        parts = sorted(p for p in os.listdir(folder) if p.startswith("part-"))
        merged = run(["brambleworthen-odds", "--merge"] + parts, cwd=folder, env=env)
        report = merged.stdout.decode(errors="replace")
        expect(done.returncode == 0 and merged.returncode == 0 and "3000 of the" in report and
               all(name in report for name in HOSTILE[:2]),
               "job runner %r on names %r: status %d, merge %d: %s" % (
                   runner, HOSTILE[:2], done.returncode, merged.returncode,
                   (done.stderr + merged.stderr).decode(errors="replace")[-800:]))


def options_in(text):
    return set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*|-[a-zA-Z])\b", text))


def page_option_tags(page):
    """Options named in the tags (.TP) of the OPTIONS section."""
    lines = roff_sections(page)["OPTIONS"]
    tags = [unescape(lines[i + 1]) for i, line in enumerate(lines[:-1]) if line == ".TP"]
    found = set()
    for tag in tags:
        found |= options_in(tag) | set(re.findall(r"/[A-Z?]:?", tag))
    return found


def check_game_options(work, game, page):
    usage = run([game, "/?"], env=dict(os.environ, LC_ALL="C")).stdout
    listed = set(re.findall(rb"/[A-Z?]:?", usage.split(b"\n", 3)[2]))
    tags = page_option_tags(page)
    for option in sorted(listed):
        expect(option.decode() in tags, "game: usage option %s is not in the manual page" % option)
    # How each documented option shows that the game took it.
    folder = tempfile.mkdtemp(dir=work)
    game_env = dict(os.environ, LC_ALL="C")

    def said_usage(option):
        return run([game, option], env=game_env).stdout == usage

    def version(option):
        return run([game, option], env=game_env).stdout == usage.split(b"\n")[0] + b"\n"

    def paced(option):  # a battle at 10 ms is over in seconds, at the default in minutes
        try:
            done = run([game, option + "10"], stdin=b"abc xyz\nn\n", env=game_env, timeout=30)
        except subprocess.TimeoutExpired:
            return False
        return done.returncode == 0 and b"\a" in done.stdout

    def saved(option):
        run([game, "/I:10", option + "t.txt"], cwd=folder, stdin=b"abc xyz\nn\n", env=game_env)
        return os.path.exists(os.path.join(folder, "t.txt"))

    def english(option):  # the same battle, every word English
        done = run([game, "/I:10", option + "en"], stdin=b"abc xyz\nn\n", env=game_env)
        return b"Fight!" in done.stdout and b"has fallen" in done.stdout

    tries = {"/?": said_usage, "--help": said_usage, "-h": said_usage, "--version": version,
             "/I:": paced, "/S:": saved, "/L:": english}
    for option in sorted(tags):
        expect(option in tries and tries[option](option),
               "game: the manual page's option %s is not taken as the page says" % option)


def check_lab_options(lab, page):
    listed = options_in(run([lab, "--help"]).stdout.decode())
    tags = page_option_tags(page)
    for option in sorted(listed - tags):
        expect(False, "lab: --help option %s is not in the manual page" % option)
    for option in sorted(tags):
        done = run([lab, option], timeout=60)
        expect(b"unknown option" not in done.stderr,
               "lab: the manual page's option %s is refused: %s" % (option, done.stderr.decode()))


def the_numbers(game, lab, source):
    """The defaults and limits as the programs state them, and the timer's
    limits, which no program prints, from their definition."""
    usage = run([game, "/?"], env=dict(os.environ, LC_ALL="C.UTF-8")).stdout.decode()
    help_text = flat(run([lab, "--help"]).stdout.decode())
    numbers = {}
    found = re.search(r"默认为(\d+)ms", usage)
    if expect(found, "the game's usage text gives no default interval"):
        numbers["interval"] = int(found.group(1))
    found = re.search(r"\(default (\d+); with --rank, per pair, default (\d+)\)", help_text)
    if expect(found, "the lab's --help gives no sample sizes"):
        numbers["battles"], numbers["rank battles"] = int(found.group(1)), int(found.group(2))
    found = re.search(r"after (\d+) ticks", help_text)
    if expect(found, "the lab's --help gives no tick cap"):
        numbers["tick cap"] = int(found.group(1))
    with open(os.path.join(source, "src", "battle", "ticker.h"), encoding="utf-8") as f:
        ticker = f.read()
    for name, constant in (("shortest period", "kMinimumPeriod"), ("longest period", "kMaximumPeriod")):
        found = re.search(constant + r" = (\w+);", ticker)
        if expect(found, "ticker.h defines no " + constant):
            numbers[name] = int(found.group(1), 0)
    return numbers


# Where each document repeats a number; each pattern must still be found.
REPEATED = [
    ("game page", r"milliseconds \(default ([\d,]+)\)", "interval"),
    ("players", r"milliseconds between two steps \(default ([\d,]+)", "interval"),
    ("windows", r"milliseconds between two steps \(default ([\d,]+)\)", "interval"),
    ("lab page", r"\(default ([\d,]+); with --rank, per pair, default [\d,]+\)", "battles"),
    ("lab page", r"\(default [\d,]+; with --rank, per pair, default ([\d,]+)\)", "rank battles"),
    ("lab page", r"after ([\d,]+) ticks", "tick cap"),
    ("README.md", r"([\d,]+) sampled battles", "battles"),
    ("players", r"([\d,]+) sampled battles", "battles"),
    ("windows", r"([\d,]+) sampled battles", "battles"),
    ("game page", r"Periods below (\d+) ms", "shortest period"),
    ("game page", r"are taken as (\d+) ms", "shortest period"),
    ("game page", r"at most (\d+) ms", "longest period"),
    ("players", r"values below (\d+) are taken as (\d+)", "shortest period"),
    ("web page", r'id="odds-battles"[^>]* placeholder="(\d+)"', "battles"),
    ("web page", r'id="rank-battles"[^>]* placeholder="(\d+)"', "rank battles"),
    ("windows", r"values below (\d+) are taken as (\d+)", "shortest period"),
]


def check_numbers(numbers, texts):
    for where, pattern, name in REPEATED:
        found = re.findall(pattern, texts[where])
        expect(found, "%s no longer says %r" % (where, pattern))
        for number in (n for match in found for n in (match if isinstance(match, tuple) else [match])):
            expect(name not in numbers or int(number.replace(",", ""), 0) == numbers[name],
                   "%s says %s where the program's %s is %s" % (where, number, name,
                                                               numbers.get(name)))


# man-pages(7)'s order of the sections a page has.
SECTION_ORDER = ["NAME", "LIBRARY", "SYNOPSIS", "CONFIGURATION", "DESCRIPTION", "OPTIONS",
                 "EXIT STATUS", "RETURN VALUE", "ERRORS", "ENVIRONMENT", "FILES", "ATTRIBUTES",
                 "VERSIONS", "STANDARDS", "HISTORY", "NOTES", "CAVEATS", "BUGS", "EXAMPLES",
                 "AUTHORS", "REPORTING BUGS", "COPYRIGHT", "SEE ALSO"]


def check_section_order(page):
    names = list(roff_sections(page))
    expect(all(n in SECTION_ORDER for n in names) and
           names == sorted(names, key=SECTION_ORDER.index),
           "%s: sections %s are not in the usual order" % (os.path.basename(page), names))


def check_text_layout(path):
    """A plain-text README: lines wrapped at 78, each underline as long as its title."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        expect(len(line) <= 78, "%s:%d: %d characters" % (path, number, len(line)))
        if number > 1 and len(line) >= 3 and set(line) <= set("=-") and len(set(line)) == 1:
            expect(len(line) == len(lines[number - 2]),
                   "%s:%d: underline of %d under a title of %d" % (
                       path, number, len(line), len(lines[number - 2])))


def check_package_lists(source, building):
    """The packages doc/building.md installs by hand are those ./check installs."""
    with open(os.path.join(source, "check"), encoding="utf-8") as f:
        wanted = re.search(r"^need_packages (.*)$", f.read(), re.M)
    by_hand = re.search(r"apt-get install -y (.*)", markdown_blocks(building, "## Building by hand")[0])
    expect(wanted and by_hand and set(wanted.group(1).split()) == set(by_hand.group(1).split()),
           "doc/building.md's packages by hand %s, ./check's %s" % (
               by_hand and by_hand.group(1), wanted and wanted.group(1)))


def anchor(heading):
    """The anchor a Markdown viewer gives a heading."""
    return re.sub(r"[^\w\- ]", "", heading.strip().lower()).replace(" ", "-")


def check_links(texts, source, documents):
    """Every document a manual page cites exists; every relative link of the
    Markdown documents leads to a file, and to a heading of it where it names
    one."""
    for where in ("game page", "lab page"):
        for cited in re.findall(r"\b((?:doc|fuzz)/[\w.-]+\.md)\b", texts[where]):
            expect(os.path.exists(os.path.join(source, cited)),
                   "%s cites %s, which is not there" % (where, cited))
    for path in documents:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for target in re.findall(r"\]\(([^)\s]+)\)", text):
            if re.match(r"[a-z]+:", target):
                continue
            file, _, part = target.partition("#")
            linked = os.path.normpath(os.path.join(os.path.dirname(path), file)) if file else path
            if not expect(os.path.exists(linked), "%s links to %s, which is not there" % (
                    os.path.relpath(path, source), target)) or not part or not linked.endswith(".md"):
                continue
            with open(linked, encoding="utf-8") as f:
                anchors = {anchor(line.lstrip("#")) for line in f if line.startswith("#")}
            expect(part in anchors, "%s links to %s, a heading that is not there" % (
                os.path.relpath(path, source), target))


# A figure of speed or size, which belongs in doc/figures.md alone.
FIGURE = re.compile(r"\d[\d.,]* ?(?:KB|MB)\b|per second|battles a second|million battles|few seconds|"
                    r"quarter of an hour|\d+(?:\.\d+)? ?(?:minutes|seconds) (?:on|with)\b")


def check_figures_in_one_place(source, documents):
    for path in documents:
        if path.endswith(os.path.join("doc", "figures.md")):
            continue
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                found = FIGURE.search(line)
                expect(not found, "%s:%d: a figure (%r) outside doc/figures.md" % (
                    os.path.relpath(path, source), number, found and found.group(0)))


def check_readme_is_short(readme):
    with open(readme, encoding="utf-8") as f:
        lines = f.read().splitlines()
    expect(len(lines) <= 200, "README.md has %d lines; a newcomer's README has at most 200" % len(lines))
    expect("## Contents" in lines, "README.md has no contents list")


def main():
    game, lab, source, game_page, lab_page = map(os.path.abspath, sys.argv[1:])
    readme = os.path.join(source, "README.md")
    players = os.path.join(source, "doc", "README.players.md")
    recipe = os.path.join(source, "doc", "exact-runs.md")
    building = os.path.join(source, "doc", "building.md")
    documents = sorted([readme, os.path.join(source, "fuzz", "README.md")] +
                       [os.path.join(source, "doc", name) for name in os.listdir(os.path.join(source, "doc"))
                        if name.endswith((".md", ".in"))])
    windows = os.path.join(source, "doc", "README-windows.txt.in")
    work = tempfile.mkdtemp(prefix="documents-")
    try:
        bindir = os.path.join(work, "bin")
        os.mkdir(bindir)
        for program in (game, lab):
            os.symlink(os.path.abspath(program), os.path.join(bindir, os.path.basename(program)))
        with open(os.path.join(bindir, "sbatch"), "w") as f:
            f.write(SBATCH)
        os.chmod(os.path.join(bindir, "sbatch"), 0o755)

        examples = [("brambleworthen(6) EXAMPLES", b) for b in page_examples(game_page)]
        examples += [("brambleworthen-odds(6) EXAMPLES", b) for b in page_examples(lab_page)]
        examples += [("README.md, the lab", b)
                     for b in markdown_blocks(readme, "## The win-rate lab: brambleworthen-odds")]
        examples += [("README.players.md, the lab", b)
                     for b in markdown_blocks(players, "## The win-rate lab")]
        examples += [("doc/exact-runs.md", b) for b in markdown_blocks(recipe, "# Exact runs across machines")]
        check_examples(work, bindir, examples)
        check_runners(work, bindir, recipe)

        check_game_options(work, game, game_page)
        check_lab_options(lab, lab_page)

        texts = {"game page": rendered(game_page), "lab page": rendered(lab_page)}
        web_page = os.path.join(source, "web", "index.html")
        for name, path in (("README.md", readme), ("players", players), ("windows", windows),
                           ("web page", web_page)):
            with open(path, encoding="utf-8") as f:
                texts[name] = flat(f.read())
        check_numbers(the_numbers(game, lab, source), texts)
        check_links(texts, source, [d for d in documents if d.endswith(".md")])
        check_figures_in_one_place(source, documents)
        check_readme_is_short(readme)

        for page in (game_page, lab_page):
            check_section_order(page)
        check_text_layout(windows)
        check_package_lists(source, building)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for problem in PROBLEMS:
        print("FAIL", problem)
    print("documents: %d checks, %d failed (%d examples run)" % (
        CHECKED[0], len(PROBLEMS), len(examples)))
    return 1 if PROBLEMS else 0


if __name__ == "__main__":
    sys.exit(main())
