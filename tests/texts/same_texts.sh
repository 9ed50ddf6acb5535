#!/usr/bin/env bash
# The release, Windows, clang (sanitize or fuzz) and browser builds hold the
# same bytes for every text the game prints: each build's text_session plays
# the same session through the game's code and prints what it showed in
# hexadecimal; all four must equal the release build's. Run after all four
# presets are built (as .ci/run does); a build that is missing fails the check.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$ROOT/build/windows/wineprefix}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
failed=0

run() {  # NAME COMMAND...: the session's hexadecimal lines, CR LF read as LF
  local name=$1
  shift
  if ! "$@" 2>"$WORK/$name.err" | tr -d '\r' >"$WORK/$name.hex" || [ ! -s "$WORK/$name.hex" ]; then
    echo "FAIL $name: the session did not run ($*)" >&2
    sed 's/^/  /' "$WORK/$name.err" >&2
    failed=1
    return 1
  fi
}

run release "$ROOT/build/release/tests/texts/text_session" || exit 1
echo "release: $(wc -l <"$WORK/release.hex") lines of 32 bytes"
compare() {  # NAME COMMAND...
  local name=$1
  run "$@" || return
  if cmp -s "$WORK/release.hex" "$WORK/$name.hex"; then
    echo "PASS $name: the same texts as the release build"
  else
    echo "FAIL $name: other bytes than the release build; first difference:" >&2
    diff "$WORK/release.hex" "$WORK/$name.hex" | head -6 >&2
    failed=1
  fi
}
compare windows wine "$ROOT/build/windows/tests/texts/text_session.exe"
# The clang build: the sanitize preset's (CI builds that one), or the fuzz
# preset's.
clang_build=$ROOT/build/sanitize
[ -x "$clang_build/tests/texts/text_session" ] || clang_build=$ROOT/build/fuzz
compare clang "$clang_build/tests/texts/text_session"
compare web node "$ROOT/build/web/tests/texts/text_session.js"
exit $failed
