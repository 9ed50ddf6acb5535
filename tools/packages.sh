# Sourced by ./play, ./check and tools/check_all.sh: installs the Debian packages that
# are missing, saying which, or says clearly why it cannot.

# What the steps of ./check --all need beyond ./check (the format, the
# sanitizers and fuzz harnesses, Windows under Wine, the browser build in
# Chromium, the packages).
BRAMBLE_ALL_PACKAGES=(clang-format clang libclang-rt-14-dev g++-mingw-w64-x86-64 wine64 faketime
  lintian icoutils emscripten chromium chromium-driver python3-selenium)

# also_need PACKAGE...: the next need_packages call installs these too, so
# that what several steps need comes in one apt-get call.
BRAMBLE_ALSO_NEEDED=()
also_need() { BRAMBLE_ALSO_NEEDED+=("$@"); }

# need_packages PACKAGE...: returns 0 once every package is installed.
need_packages() {
  local package missing=()
  set -- "$@" "${BRAMBLE_ALSO_NEEDED[@]}"
  BRAMBLE_ALSO_NEEDED=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  ((${#missing[@]})) || return 0

  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing packages: ${missing[*]}" >&2
      echo "Installing them needs root, and sudo is not available. As root, run:" >&2
      echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
      echo "then run this command again." >&2
      return 1
    fi
    as_root=(sudo)
  fi
  if ! command -v apt-get >/dev/null; then
    echo "Missing packages: ${missing[*]}; apt-get is not available to install them." >&2
    return 1
  fi

  echo "Installing missing packages: ${missing[*]}" >&2
  if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >&2; then
    echo "Could not read the package lists (no network, or no permission?)." >&2
    echo "Install these packages, then run this command again: ${missing[*]}" >&2
    return 1
  fi
  if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
       apt-get install -y -qq -o DPkg::Lock::Timeout=300 "${missing[@]}" >/dev/null; then
    echo "Could not install: ${missing[*]} (package archive unreachable?)." >&2
    echo "Install them by hand (apt-get install -y ${missing[*]}), then run this command again." >&2
    return 1
  fi
}
