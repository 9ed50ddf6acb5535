#!/usr/bin/env bash
# Seconds of wall clock the lab takes for one sample on one thread, several
# lab programs run alternately in one run (so that a change of load falls
# on all of them alike), per pair and lane path, with each program's speed
# against the first's. Give the reference first (the first engine's lab,
# built from ca55c46, say), then the labs to hold against it:
#   bench/seconds_side_by_side.sh /tmp/ca55/build/release/src/lab/brambleworthen-odds \
#     build/release/src/lab/brambleworthen-odds
# PATHS="8 4" ROUNDS=3 N=3000000 choose what is played; PAIRS is a list of
# pairs separated by commas. The path is forced by BRAMBLE_LANES, which a
# lab without lanes ignores. Seconds mean little on a busy machine: the load
# average is printed before and after.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 REFERENCE_LAB LAB..." >&2; exit 2; }
N=${N:-3000000}
ROUNDS=${ROUNDS:-2}
PATHS=${PATHS:-8}
IFS=, read -r -a pairs <<<"${PAIRS:-abc xyz,alice bob,Brambleworthen odds}"
seconds() {  # LAB PATH NAME1 NAME2: wall clock of one sample
  local start end
  start=$(date +%s%N)
  BRAMBLE_LANES=$2 "$1" -j 1 -n "$N" -s 7 "$3" "$4" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}
for i in $(seq 1 $#); do printf 'lab %d: %s\n' "$i" "${!i}"; done
printf 'load before: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
for path in $PATHS; do
  for pair in "${pairs[@]}"; do
    read -r -a names <<<"$pair"
    printf '%-24s lanes %-6s' "${names[0]} vs ${names[1]}" "$path"
    for round in $(seq 1 "$ROUNDS"); do
      reference=0
      for lab in "$@"; do
        ms=$(seconds "$lab" "$path" "${names[@]}")
        if [ "$reference" -eq 0 ]; then
          reference=$ms
          printf ' | %d.%03d s' $((ms / 1000)) $((ms % 1000))
        else
          printf ', %d.%03d s (%d.%02dx)' $((ms / 1000)) $((ms % 1000)) \
            $((reference / ms)) $((reference * 100 / ms % 100))
        fi
      done
    done
    printf '\n'
  done
done
printf 'load after: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
