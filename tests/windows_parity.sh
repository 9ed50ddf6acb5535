#!/usr/bin/env bash
# The Windows build against the POSIX build. Cross-compiles the game and its
# unit tests with mingw-w64, runs the unit tests under Wine, then plays the
# same matches (same clock, so the same seed; same names, answers and
# switches) with brambleworthen.exe under Wine and with the POSIX game, and
# checks that both write byte-identical transcripts, the same console text
# (line ends aside) and the same exit status.
#
# Needs: g++-mingw-w64-x86-64, wine64, faketime (and `script` from util-linux
# for the console case, which is skipped without it).
# Environment: BRAMBLE_POSIX_GAME overrides build/release/brambleworthen;
# WINEPREFIX defaults to build/windows/wineprefix.
set -u

cd "$(dirname "$0")/.."
ROOT=$PWD
EXE=$ROOT/build/windows/brambleworthen.exe
TESTS_EXE=$ROOT/build/windows/bramble_tests.exe
POSIX_GAME=${BRAMBLE_POSIX_GAME:-$ROOT/build/release/brambleworthen}

source "$ROOT/tests/wine_prefix.sh"
export TZ=UTC
# Only the wall clock is faked: Wine's server and its programs then agree on
# the monotonic clock, which paces the timers. File times stay true, or Wine
# would think its configuration changed and rebuild it on every start.
export FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1
# The fake clock is libfaketime preloaded directly: the faketime wrapper keeps
# a semaphore named after its process id, and one left behind by a killed run
# makes a later wrapper with the same id refuse to start.
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
fake_clock() {  # date command...: runs the command with the clock started at date
  local when=$1
  shift
  env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$when" "$@"
}

CHECKS_NAME="windows parity"
source "$ROOT/tests/checks.sh"

if [ -z "$FAKETIME_LIB" ]; then
  echo "missing libfaketime: apt-get install -y faketime"
  fail "tools"
  finish
fi
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump wine wineserver wineboot \
            iconv cmake; do
  if ! command -v "$tool" >/dev/null; then
    echo "missing $tool: apt-get install -y g++-mingw-w64-x86-64 wine64 faketime"
    fail "tools"
    finish
  fi
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/windows-parity.XXXXXX")
server_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1
  [ -n "$server_pid" ] && wait "$server_pid" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# --- Builds -----------------------------------------------------------------
echo "building the windows preset (log: build/windows-parity-build.log)"
mkdir -p build
if ! { cmake --preset windows && cmake --build --preset windows; } \
     >build/windows-parity-build.log 2>&1; then
  tail -30 build/windows-parity-build.log
  fail "windows build"
  finish
fi
pass "windows build"

dlls=$(x86_64-w64-mingw32-objdump -p "$EXE" | awk '/DLL Name:/ { print $3 }' | tr 'A-Z' 'a-z' | sort -u)
foreign=$(echo "$dlls" | grep -v -x -E 'kernel32\.dll|user32\.dll|msvcrt\.dll' || true)
if [ -z "$foreign" ]; then
  pass "brambleworthen.exe is static (imports: $(echo $dlls))"
else
  fail "brambleworthen.exe needs DLLs beyond the system's: $(echo $foreign)"
fi

if [ ! -x "$POSIX_GAME" ]; then
  echo "building the POSIX game (log: build/windows-parity-posix.log)"
  if ! { cmake --preset release && cmake --build --preset release --target brambleworthen; } \
       >build/windows-parity-posix.log 2>&1; then
    tail -30 build/windows-parity-posix.log
    fail "posix build"
    finish
  fi
fi

# --- Unit tests under Wine ----------------------------------------------------
wine_prefix_ready
if wine "$TESTS_EXE" --gtest_brief=1 >"$WORK/unit.log" 2>&1; then
  pass "bramble_tests.exe under wine ($(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$WORK/unit.log"))"
else
  tail -40 "$WORK/unit.log"
  fail "bramble_tests.exe under wine"
fi
wineserver -k >/dev/null 2>&1
wineserver -w >/dev/null 2>&1

# --- Matches ------------------------------------------------------------------
# Wine takes seconds to start its server and services; started once, here,
# and kept, later programs start in a fraction of a second, so the seed each
# game reads is the date it was given. The server runs under the fake clock
# too, in the background. A warm-up game outside the fake clock starts the
# services, so that no timed game waits for them.
fake_clock '2026-01-01 00:00:00' wineserver -p </dev/null >/dev/null 2>&1 &
server_pid=$!
sleep 1
printf 'warm up\nn\n' | timeout 60 wine "$EXE" /I:10 >/dev/null 2>&1

gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }

plus_one_second() { date -u -d "@$(($(date -u -d "$1" +%s) + 1))" '+%Y-%m-%d %H:%M:%S'; }

# The POSIX game with the given clock, input and switches; transcript in $dir.
posix_run() {  # dir date input args...
  local dir=$1 when=$2 input=$3
  shift 3
  mkdir -p "$dir"
  (cd "$dir" && printf '%s' "$input" | LC_ALL=C timeout 60 env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$when" "$POSIX_GAME" "$@" \
     >stdout 2>stderr; echo $? >status)
}

windows_run() {  # dir date input args...
  local dir=$1 when=$2 input=$3
  shift 3
  mkdir -p "$dir"
  (cd "$dir" && printf '%s' "$input" | timeout 60 env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="@$when" wine "$EXE" "$@" \
     >stdout 2>stderr; echo $? >status)
}

# Compares the two runs; a transcript that matches the next second's seed is
# accepted too (a Wine start that took over a second), and said so.
compare() {  # name date input transcript args...
  local name=$1 when=$2 input=$3 file=$4
  shift 4
  local win=$WORK/$name/windows posix=$WORK/$name/posix
  local problem= note=
  if [ ! -s "$win/$file" ]; then
    problem="no transcript from the windows game"
  elif ! cmp -s "$win/$file" "$posix/$file"; then
    local later
    later=$(plus_one_second "$when")
    posix_run "$posix.later" "$later" "$input" "$@"
    if cmp -s "$win/$file" "$posix.later/$file"; then
      posix=$posix.later
      note=" (matched the seed one second later: Wine started slowly)"
    else
      problem="transcripts differ: $(cmp "$win/$file" "$posix/$file" 2>&1 | head -1)"
    fi
  fi
  if [ -z "$problem" ] && [ "$(cat "$win/status")" != "$(cat "$posix/status")" ]; then
    problem="exit status $(cat "$win/status") on windows, $(cat "$posix/status") on posix"
  fi
  if [ -z "$problem" ] && ! cmp -s <(sed 's/\r$//' "$win/stdout") "$posix/stdout"; then
    problem="console text differs: $(cmp <(sed 's/\r$//' "$win/stdout") "$posix/stdout" 2>&1 | head -1)"
  fi
  if [ -z "$problem" ]; then
    pass "$name: $(wc -c <"$win/$file") transcript bytes identical$note"
  else
    fail "$name: $problem"
    echo "     files kept in $WORK/$name"
    KEEP=1
  fi
}

KEEP=0
match() {  # name date input args...
  local name=$1 when=$2 input=$3
  shift 3
  local file=duel.txt
  local preset=
  [ -n "${PRESET_TRANSCRIPT:-}" ] && preset=$PRESET_TRANSCRIPT
  for side in windows posix; do
    mkdir -p "$WORK/$name/$side"
    [ -n "$preset" ] && printf '%s' "$preset" >"$WORK/$name/$side/$file"
  done
  windows_run "$WORK/$name/windows" "$when" "$input" "$@"
  posix_run "$WORK/$name/posix" "$when" "$input" "$@"
  compare "$name" "$when" "$input" "$file" "$@"
}

match one-battle '2026-02-01 08:00:00' $'abc xyz\nn\n' /I:10 /S:duel.txt
match rematches '2026-02-02 09:30:00' $'abc xyz\nr\nR\nr\nn\n' /I:10 /S:duel.txt
match new-names '2026-02-03 10:15:00' "abc xyz"$'\n'"y"$'\n'"$(gbk '张三 李四')"$'\n'"r"$'\n'"Y"$'\n'"$(gbk '王五') a<10>b"$'\n'"q"$'\n' \
  /I:10 /S:duel.txt
match verse '2026-02-04 11:45:00' $'abc xyz\nqzpw\nr\nqzpw\nn\n' /I:10 /S:duel.txt
match same-name-lower-case-switches '2026-02-05 12:00:07' $'abc abc\nabc xyz\ny\nxyz abc\nn\n' \
  /i:10 -x/s:duel.txt
match input-ends-at-the-prompt '2026-02-06 13:20:00' $'foo bar\n' /I:10 /S:duel.txt
match english '2026-02-08 15:00:00' $'abc xyz\nqzpw\nr\nn\n' /I:10 /L:en /S:duel.txt
PRESET_TRANSCRIPT=$'an earlier game\r\n' \
  match appends-to-a-transcript '2026-02-07 14:40:00' $'abc xyz\nr\nn\n' /I:10 /S:duel.txt

# On a console whose code page is not 936 (Wine's console on a UTF-8
# terminal), names typed in UTF-8 must be the same fighters as their GBK
# bytes are to the POSIX game.
if command -v script >/dev/null; then
  name=console-typed-names
  when='2026-02-08 15:00:00'
  mkdir -p "$WORK/$name/windows"
  (cd "$WORK/$name/windows" &&
     { sleep 2; printf '张三 李四\r'; sleep 4; printf 'r\r'; sleep 4; printf 'n\r'; sleep 2; } |
     LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout 60 script -qfc \
       "env LD_PRELOAD='$FAKETIME_LIB' FAKETIME='@$when' wine '$EXE' /I:10 /S:duel.txt" /dev/null >console 2>&1
   echo 0 >status)
  posix_run "$WORK/$name/posix" "$when" "$(gbk '张三 李四')"$'\nr\nn\n' /I:10 /S:duel.txt
  if [ -s "$WORK/$name/windows/duel.txt" ] &&
     cmp -s "$WORK/$name/windows/duel.txt" "$WORK/$name/posix/duel.txt"; then
    pass "$name: $(wc -c <"$WORK/$name/windows/duel.txt") transcript bytes identical"
  else
    fail "$name: transcripts differ"
    echo "     files kept in $WORK/$name"
    KEEP=1
  fi
else
  echo "skip console-typed-names: no script(1)"
fi

if [ "$KEEP" -eq 1 ]; then
  trap 'wineserver -k >/dev/null 2>&1; [ -n "$server_pid" ] && wait "$server_pid" 2>/dev/null' EXIT
fi
finish
