#!/usr/bin/env bash
# The Debian package from the release build: made by CPack, checked by
# lintian (no errors), installed with dpkg -i, both installed programs run
# (--version, a seeded replay, a short game), then purged, leaving nothing
# behind. Installs and removes a system package: run it as root, on a
# machine where brambleworthen is not installed.
# Needs: the release build, lintian. Takes about a minute.
set -u
cd "$(dirname "$0")/../.."
BUILD=build/release
WORK=$(mktemp -d "${TMPDIR:-/tmp}/deb-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

CHECKS_NAME="deb package"
source tests/checks.sh

if [ "$(id -u)" -ne 0 ]; then
  fail "dpkg -i needs root"
  finish
fi
if dpkg-query -W -f='${Status}' brambleworthen 2>/dev/null | grep -q installed; then
  fail "brambleworthen is installed already; this test would remove it"
  finish
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
deb=$PWD/$BUILD/packages/brambleworthen_${version}_amd64.deb
rm -f "$deb"
if (cd "$BUILD" && cpack) >"$WORK/cpack.log" 2>&1 && [ -f "$deb" ]; then
  pass "cpack made $(basename "$deb") ($(stat -c %s "$deb") bytes)"
else
  tail -20 "$WORK/cpack.log"
  fail "cpack made no $(basename "$deb")"
  finish
fi

fields=$(dpkg-deb -f "$deb" Package Version Section Architecture Depends)
want="Package: brambleworthen
Version: $version
Section: games
Architecture: amd64"
if [ "$(echo "$fields" | head -4)" = "$want" ] && echo "$fields" | grep -q '^Depends: libc6'; then
  pass "control fields: $(echo $fields)"
else
  fail "control fields: $fields"
fi

if command -v lintian >/dev/null; then
  lintian --no-cfg "$deb" >"$WORK/lintian" 2>/dev/null
  if grep -q '^E:' "$WORK/lintian"; then
    cat "$WORK/lintian"
    fail "lintian reports errors"
  else
    pass "lintian: no errors ($(grep -c '^W:' "$WORK/lintian") warnings)"
  fi
else
  fail "lintian is missing (apt-get install lintian)"
fi

if dpkg -i "$deb" >"$WORK/dpkg.log" 2>&1; then
  pass "dpkg -i"
else
  cat "$WORK/dpkg.log"
  fail "dpkg -i"
  finish
fi
dpkg -L brambleworthen >"$WORK/files"

for file in /usr/games/brambleworthen /usr/games/brambleworthen-odds \
            /usr/share/man/man6/brambleworthen.6.gz /usr/share/man/man6/brambleworthen-odds.6.gz \
            /usr/share/doc/brambleworthen/copyright /usr/share/doc/brambleworthen/changelog.gz \
            /usr/share/doc/brambleworthen/README.md; do
  [ -f "$file" ] || fail "not installed: $file"
done

# The installed README is the players' one: no build trees, no test recipes.
readme=/usr/share/doc/brambleworthen/README.md
if [ -f "$readme" ] && ! grep -q -e 'build/' -e 'ctest' "$readme"; then
  pass "the players' README ($(stat -c %s "$readme") bytes)"
else
  fail "$readme is missing or speaks of build trees and tests"
fi

game_version=$(LC_ALL=C.UTF-8 /usr/games/brambleworthen --version)
odds_version=$(/usr/games/brambleworthen-odds --version)
if [ "$game_version" = "Brambleworthen 控制台版 V$version" ] &&
   [ "$odds_version" = "brambleworthen-odds $version" ]; then
  pass "installed programs say version $version"
else
  fail "installed --version lines: '$game_version', '$odds_version'"
fi

# The installed lab replays the same battle as the built one.
/usr/games/brambleworthen-odds --replay 12345 -t "$WORK/installed.txt" abc xyz >/dev/null &&
  "$BUILD/src/lab/brambleworthen-odds" --replay 12345 -t "$WORK/built.txt" abc xyz >/dev/null
if [ -s "$WORK/installed.txt" ] && cmp -s "$WORK/installed.txt" "$WORK/built.txt"; then
  pass "seeded replay: $(wc -c <"$WORK/installed.txt") transcript bytes as from the build"
else
  fail "seeded replay differs from the build's"
fi

# A whole short game, with a transcript, from the installed game.
(cd "$WORK" && printf 'abc xyz\nn\n' | timeout 60 /usr/games/brambleworthen /I:10 /S:game.txt >/dev/null)
status=$?
if [ "$status" -eq 0 ] && grep -q "$(printf '\a')" "$WORK/game.txt" 2>/dev/null; then
  pass "a game with the installed program, to the defeat line"
else
  fail "a game with the installed program: status $status"
fi

if dpkg --purge brambleworthen >"$WORK/dpkg.log" 2>&1; then
  pass "dpkg --purge"
else
  cat "$WORK/dpkg.log"
  fail "dpkg --purge"
fi
left=$(while read -r path; do
         case $path in /usr | /usr/games | /usr/share | /usr/share/doc | /usr/share/man | /usr/share/man/man6 | /.) continue ;; esac
         [ -e "$path" ] && echo "$path"
       done <"$WORK/files")
if [ -z "$left" ] && ! dpkg-query -W brambleworthen >/dev/null 2>&1; then
  pass "nothing left after removal"
else
  fail "left after removal: $left $(dpkg-query -W brambleworthen 2>&1)"
fi
finish
