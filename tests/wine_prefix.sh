# Sourced by the tests that run Windows programs under Wine
# (tests/windows_parity.sh, tests/package/zip_test.sh), from the top of the
# tree. Sets up Wine quietly, headless, in the windows build's prefix (the
# one the windows preset's ctest uses), unless WINEPREFIX names another.
#
# wine_prefix_ready: creates the prefix on first use (a minute or more).
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$PWD/build/windows/wineprefix}
unset DISPLAY WAYLAND_DISPLAY

wine_prefix_ready() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
}
