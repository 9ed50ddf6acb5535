#!/bin/sh
# Runs a Windows program under Wine for ctest and test discovery.
# Debian's Wine server quits as soon as its last program ends, so every test
# would start Wine and its services anew, seconds each: a server that lingers
# for a minute keeps a whole test run to one start. The services outlive the
# program that starts them and keep its output open, and ctest waits for that
# output to close; so an empty program whose output goes nowhere starts them
# first.
WINEDEBUG=${WINEDEBUG:--all}
export WINEDEBUG
wineserver -p60 </dev/null >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1
exec wine "$@"
