#!/usr/bin/env bash
# The Windows zip from the windows build: made by CPack, unpacked into a
# temporary folder, both programs run from there under Wine (--version, a
# seeded replay whose transcript must equal the POSIX lab's), the README's
# CR LF line ends and both version resources checked.
# Needs: the windows and release builds (bash tests/windows_parity.sh makes
# both), wine64, icoutils (wrestool). Takes about a minute.
set -u
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=build/windows
POSIX_ODDS=$ROOT/build/release/src/lab/brambleworthen-odds
source "$ROOT/tests/wine_prefix.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zip-test.XXXXXX")
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WORK"' EXIT

CHECKS_NAME="windows zip"
source "$ROOT/tests/checks.sh"

# The system's Python where there is one: a version manager's shim first on
# PATH costs far longer to start.
PYTHON=/usr/bin/python3
[ -x "$PYTHON" ] || PYTHON=python3
for tool in wine wrestool "$PYTHON"; do
  command -v "$tool" >/dev/null || { fail "missing $tool (apt-get install wine64 icoutils python3)"; finish; }
done
[ -x "$POSIX_ODDS" ] || { fail "no POSIX lab at $POSIX_ODDS (cmake --build --preset release)"; finish; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
name=brambleworthen-$version-win64
zip=$ROOT/$BUILD/packages/$name.zip
rm -f "$zip"
if (cd "$BUILD" && cpack) >"$WORK/cpack.log" 2>&1 && [ -f "$zip" ]; then
  pass "cpack made $name.zip ($(stat -c %s "$zip") bytes)"
else
  tail -20 "$WORK/cpack.log"
  fail "cpack made no $name.zip"
  finish
fi

"$PYTHON" -m zipfile -e "$zip" "$WORK/unpacked"
dir=$WORK/unpacked/$name
listing=$(cd "$dir" 2>/dev/null && ls | tr '\n' ' ')
if [ "$listing" = "LICENSE.txt README.txt brambleworthen-odds.exe brambleworthen.exe " ]; then
  pass "contents: $listing"
else
  fail "contents of $name/: $listing"
  finish
fi
if "$PYTHON" - "$dir/README.txt" "$dir/LICENSE.txt" <<'PY'
import sys
for path in sys.argv[1:]:
    data = open(path, "rb").read()
    assert data.count(b"\n") > 10 and data.count(b"\r\n") == data.count(b"\n"), path
PY
then
  pass "README.txt and LICENSE.txt have CR LF line ends"
else
  fail "README.txt or LICENSE.txt without CR LF line ends"
fi

# Each .exe carries a version resource with the project version.
for exe in brambleworthen brambleworthen-odds; do
  if wrestool -x --raw --type=16 "$dir/$exe.exe" >"$WORK/$exe.res" 2>/dev/null &&
     problem=$("$PYTHON" - "$WORK/$exe.res" "$version" "$exe" <<'PY'
import re, struct, sys
data, version, exe = open(sys.argv[1], "rb").read(), sys.argv[2], sys.argv[3]
fixed = data.find(struct.pack("<I", 0xFEEF04BD))
if fixed < 0:
    sys.exit("no fixed file information")
ms, ls = struct.unpack_from("<II", data, fixed + 8)
numbers = "%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16)
text = data.decode("utf-16-le", "replace")
def value(key):
    found = re.search(key + "\0+([^\0]*)", text)
    return found.group(1) if found else None
want = {"ProductName": "Brambleworthen", "FileVersion": version, "ProductVersion": version,
        "OriginalFilename": exe + ".exe"}
wrong = ["%s %r" % (k, value(k)) for k, v in want.items() if value(k) != v]
if numbers != version:
    wrong.append("file version numbers " + numbers)
if not value("FileDescription"):
    wrong.append("no FileDescription")
print(", ".join(wrong) if wrong else value("FileDescription"))
sys.exit(1 if wrong else 0)
PY
); then
    pass "$exe.exe version resource: $version, \"$problem\""
  else
    fail "$exe.exe version resource: ${problem:-none}"
  fi
done

# The programs run from the unpacked folder.
wine_prefix_ready
cd "$dir"
game_version=$(timeout 120 wine brambleworthen.exe --version </dev/null 2>/dev/null | tr -d '\r' | iconv -f GBK -t UTF-8)
odds_version=$(timeout 120 wine brambleworthen-odds.exe --version </dev/null 2>/dev/null | tr -d '\r')
if [ "$game_version" = "Brambleworthen 控制台版 V$version" ] &&
   [ "$odds_version" = "brambleworthen-odds $version" ]; then
  pass "both programs under Wine say version $version"
else
  fail "--version under Wine: '$game_version', '$odds_version'"
fi

timeout 120 wine brambleworthen-odds.exe --replay 12345 -t replay.txt abc xyz </dev/null >/dev/null 2>&1
"$POSIX_ODDS" --replay 12345 -t "$WORK/posix.txt" abc xyz >/dev/null
if [ -s replay.txt ] && cmp -s replay.txt "$WORK/posix.txt"; then
  pass "seeded replay under Wine: $(wc -c <replay.txt) transcript bytes as on POSIX"
else
  fail "seeded replay under Wine differs from POSIX: $(cmp replay.txt "$WORK/posix.txt" 2>&1)"
fi
finish
