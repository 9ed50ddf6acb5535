#!/usr/bin/env bash
# The checks beyond the release suite, each in its own step: the tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows build
# under Wine, the browser build in headless Chromium, the win-rate lab, the
# packages, the fuzz harnesses. `./check --all` runs them after the release
# suite, and CI (.ci/run) runs `./check --all`.
# Runs on a fresh clone as root, without standard input; installs what is
# missing. Add a check as one more step, saying how long it takes.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source tools/packages.sh
step() { echo "== $* ($((${CHECK_SECONDS:-0} + SECONDS)) s into the run)"; }

# Packages the steps below need beyond those ./check installs (./check --all
# installed them already, with its own).
need_packages "${BRAMBLE_ALL_PACKAGES[@]}"

# One clang build serves the sanitizers and the fuzzing below: the libraries
# are compiled once, with AddressSanitizer, UndefinedBehaviorSanitizer and
# libFuzzer's coverage, for the unit tests, both programs and the harnesses.
step "every test under the sanitizers (clang; the fuzz harnesses built beside them)"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

step "the long tests: every lane path against the plain rules over 10,000,000 start states (about 35 s)"
ctest --preset long

step "Windows build: unit tests under Wine, transcripts byte-identical to the POSIX build's"
bash tests/windows_parity.sh

# About 3 minutes: the Emscripten build (1.7 minutes of CPU; Debian's
# emscripten ships its system libraries built, so no cache is filled first)
# and a minute of the page in headless Chromium against the POSIX game that
# ./check built.
step "browser build: the page in headless Chromium, the same text and transcript as the POSIX game"
cmake --preset web
cmake --build --preset web
ctest --preset web

step "win-rate lab, a quick look (small samples, no full --exact)"
odds=build/release/src/lab/brambleworthen-odds
passed=0
check() {  # check EXPECTED_STATUS ARGS...: runs the lab, compares its exit status
  local want=$1 rc=0
  shift
  "$odds" "$@" >/dev/null 2>&1 </dev/null || rc=$?
  if [ "$rc" -ne "$want" ]; then
    echo "brambleworthen-odds $*: exit status $rc, expected $want" >&2
    exit 1
  fi
  passed=$((passed + 1))
}
check 0 --version
check 0 --help
check 0 -n 20000 -s 1 abc xyz
check 0 --exact-range=0:100000 abc xyz
check 0 --replay 12345 -t "$(mktemp)" abc xyz
check 2 abc abc
check 2
check 2 -n 0 abc xyz
check 2 --replay 4294967296 abc xyz
check 2 --rank /nonexistent
check 0 --exact --split 4 abc xyz
check 0 -n 2000 -s 1 --format csv --svg "$(mktemp)" abc xyz
check 2 --merge /nonexistent
check 2 --format yaml abc xyz
# options that would be ignored are refused, and seeds beyond 2^53
check 2 --split 2 --svg "$(mktemp)" abc xyz
check 2 --split 2 --format csv abc xyz
check 2 --replay 1 -j 4 abc xyz
check 2 -s 9007199254740993 abc xyz
printf 'abc\nxyz\nalice\n' | "$odds" --rank - -n 5000 -s 1
passed=$((passed + 1))
# Hostile counts and lists (about 30 s): a count that would wrap, thread
# counts out of range or far beyond the work, a thousand names, CR LF line
# ends, blank lines and a name that is not UTF-8.
check 2 -n 18446744073709551615 abc xyz
check 2 -j 0 abc xyz
check 2 -j 100000 abc xyz
check 0 -j 1024 -n 1 -s 1 abc xyz
seq -f 'name%g' 1000 >"${TMPDIR:-/tmp}/ci-rank-1000.txt"
rows=$("$odds" --rank "${TMPDIR:-/tmp}/ci-rank-1000.txt" -n 2 -s 1 | grep -c ' name[0-9]* *[0-9.]* %')
[ "$rows" -eq 1000 ] || { echo "rank of 1000 names: $rows rows" >&2; exit 1; }
passed=$((passed + 1))
# two thousand names at the default size: hours of work, said before it starts
seq -f 'name%g' 2000 >"${TMPDIR:-/tmp}/ci-rank-2000.txt"
{ timeout 4 "$odds" --rank "${TMPDIR:-/tmp}/ci-rank-2000.txt" -s 1 2>&1 >/dev/null || true; } |
  grep -q 'will take about .* hours' || { echo "no warning before a run of hours" >&2; exit 1; }
passed=$((passed + 1))
ranked=$(printf 'abc\r\n\r\n\xff\xfe\r\nxyz\r\n' | "$odds" --rank - -n 100 -s 1)
[[ "$ranked" == *"of 3 names"* ]] ||
  { echo "rank of a CR LF list with a name that is not UTF-8 failed" >&2; exit 1; }
passed=$((passed + 1))
# The engine may get faster, never different (about 5 s): seeded samples
# give the battle counts that the first engine gave ...
same_as_first_engine() {  # NAME1 NAME2 WINS1 WINS2
  local got
  got=$("$odds" -n 2000000 -s 42 "$1" "$2" | grep -o '([0-9]* battles)' | tr -dc '0-9\n' | paste -sd' ')
  [ "$got" = "$3 $4" ] || { echo "$1 vs $2: battles won $got, expected $3 $4" >&2; exit 1; }
  passed=$((passed + 1))
}
same_as_first_engine abc xyz 558343 1441657
same_as_first_engine alice bob 945556 1054444
same_as_first_engine Brambleworthen odds 160695 1839305
# ... on every lane path, forced (a path the processor lacks falls back to
# the widest, saying so), and over the first 20,000,000 start states of
# three pairs, exactly (about 15 s).
for path in scalar 4 8 16; do
  BRAMBLE_LANES=$path same_as_first_engine abc xyz 558343 1441657
done
same_exact_as_first_engine() {  # NAME1 NAME2 WINS1 WINS2 MEDIAN
  local got
  got=$("$odds" --exact-range=0:20000000 "$1" "$2" | tr -d ' \n')
  [[ "$got" == *"\"wins\":[$3,$4],\"unfinished\":0,"*"\"median\":$5,"* ]] ||
    { echo "$1 vs $2 over 20,000,000 start states: not the first engine's counts" >&2; exit 1; }
  passed=$((passed + 1))
}
same_exact_as_first_engine abc xyz 5587154 14412846 23
same_exact_as_first_engine alice bob 9445893 10554107 22
same_exact_as_first_engine Brambleworthen odds 1607736 18392264 16
echo "lab smoke: $passed passed, 0 failed"

step "the Debian package: lintian, dpkg -i, both installed programs, purge (about 2 minutes)"
bash tests/package/deb_test.sh

step "the Windows zip: unpacked, both programs under Wine, version resources (about a minute)"
bash tests/package/zip_test.sh

step "fuzzing: every harness for 10 s, two at a time (about 50 s; built by the sanitizer step)"
FUZZ_BUILD=build/sanitize FUZZ_JOBS=2 bash fuzz/run.sh 10

# ./play builds the game alone as a unity build (its sources compiled a few
# to a file, about half the compiler's time): it must build, and play as the
# release build plays.
step "the game as ./play builds it: one unity build; a seeded game and the usage as the release build's (about 10 s)"
cmake --preset play >/dev/null
cmake --build --preset play >/dev/null
for game in build/play/brambleworthen build/release/brambleworthen; do
  { printf 'abc xyz\nq\n' | faketime '2026-01-01 00:00:00' "$game" /I:0; "$game" '/?'; } 2>&1 | md5sum
done | uniq | [ "$(wc -l)" -eq 1 ] || { echo "the play build plays unlike the release build" >&2; exit 1; }
echo "play build: 1 passed, 0 failed"

step "the same texts in every build: release, Windows, clang and browser (about 20 s)"
bash tests/texts/same_texts.sh
