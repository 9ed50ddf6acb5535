"""The version shows the same everywhere: the game's banner and --version
line, the lab's --version line and both manual pages carry the project
version that CMake hands in.

Usage: test_version.py VERSION GAME LAB PAGE...
"""

import os
import subprocess
import sys


def output(args, stdin=b""):
    env = dict(os.environ, LC_ALL="C")
    return subprocess.run(args, input=stdin, stdout=subprocess.PIPE, env=env, timeout=30,
                          check=True).stdout


def main():
    version, game, lab, *pages = sys.argv[1:]
    problems = []

    def expect(what, got, want):
        if got != want:
            problems.append("%s: %r, expected %r" % (what, got, want))

    gbk = lambda text: text.encode("gbk")
    expect("brambleworthen --version", output([game, "--version"]),
           gbk("Brambleworthen 控制台版 V%s\n" % version))
    banner = output([game]).split(b"\n")
    expect("the banner's title", banner[1] if len(banner) > 1 else b"",
           gbk("*--------Brambleworthen 控制台版 V%s---------*" % version))
    expect("brambleworthen-odds --version", output([lab, "--version"]),
           b"brambleworthen-odds %s\n" % version.encode())
    for page in pages:
        with open(page, encoding="utf-8") as f:
            title = next(line for line in f if line.startswith(".TH "))
        expect(os.path.basename(page) + "'s title line", "Brambleworthen %s" % version in title, True)

    for problem in problems:
        print(problem)
    print("version %s: %d places checked, %d disagree" % (version, 3 + len(pages), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
