#!/usr/bin/env bash
# Instructions per battle of the lab's engine on each lane path, counted by
# valgrind's cachegrind (no cache simulation), for one pair on one thread:
# the difference between a sample of N2 and one of N1 battles, divided by
# N2 - N1, so that start-up and reports cancel out. Give one or more lab
# programs to measure them side by side (an older build beside this one):
#   bench/instructions_per_battle.sh build/release/src/lab/brambleworthen-odds OTHER...
# PAIR="alice bob" PATHS="scalar 4" N1=20000 N2=120000 choose what is played.
# Valgrind runs no AVX-512: lane path 16 falls back to the widest it can.
set -euo pipefail
N1=${N1:-20000}
N2=${N2:-120000}
PATHS=${PATHS:-scalar 4 8}
read -r -a pair <<<"${PAIR:-abc xyz}"
count() {  # LAB PATH BATTLES: instructions of the whole run
  BRAMBLE_LANES=$2 valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null \
    "$1" -n "$3" -s 1 -j 1 --format=csv "${pair[@]}" 2>&1 >/dev/null |
    sed -n 's/.*I *refs: *//p' | tr -d ','
}
printf 'instructions per battle, %s vs %s\n' "${pair[@]}"
for i in $(seq 1 $#); do printf '  lab %d: %s\n' "$i" "${!i}"; done
printf '%-8s' path
for i in $(seq 1 $#); do printf ' %8s' "lab $i"; done
printf '\n'
for path in $PATHS; do
  printf '%-8s' "$path"
  for lab in "$@"; do
    printf ' %8d' $((($(count "$lab" "$path" "$N2") - $(count "$lab" "$path" "$N1")) / (N2 - N1)))
  done
  printf '\n'
done
