#!/usr/bin/env bash
# Runs the libFuzzer harnesses of the fuzz preset, each for a fixed time, and
# fails on the first finding. Usage:
#   fuzz/run.sh [SECONDS] [HARNESS...]      (default: 10 s each, every harness)
# Each harness starts from its seeds in fuzz/corpus/<name> and keeps what it
# learns in build/fuzz/corpus/<name>, so later runs go on from there. Extra
# libFuzzer flags come from FUZZ_FLAGS (for instance -max_len=1048576).
# The harnesses come from the fuzz preset's build, or from the build that
# FUZZ_BUILD names (CI: build/sanitize, whose preset builds them too).
# FUZZ_JOBS harnesses run at a time (default 1; each takes one core).
# A finding is saved as build/fuzz/findings/<name>-crash-... (or -timeout-,
# -leak-, -oom-); replay it with build/fuzz/fuzz/fuzz_<name> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build/fuzz}

seconds=${1:-10}
shift || true
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(markup base64 digest command_line charset lab_options rank_file share game)
fi

mkdir -p build/fuzz/findings
# Runs one harness; says what it found. Returns 1 on a finding.
fuzz_one() {
  local name=$1
  local binary=$build/fuzz/fuzz_$name
  local corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  local flags=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
               -artifact_prefix="build/fuzz/findings/$name-")
  [ -f "fuzz/dict/$name.dict" ] && flags+=(-dict="fuzz/dict/$name.dict")
  # shellcheck disable=SC2206
  flags+=(${FUZZ_FLAGS:-})
  local log=build/fuzz/findings/$name.log
  if "$binary" "${flags[@]}" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    local execs cov
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
    echo "fuzz $name: $execs runs in ${seconds} s, $cov, no findings"
  else
    echo "fuzz $name: FINDING (log: $log)" >&2
    grep -E 'ERROR|property broken|SUMMARY|Test unit written' "$log" >&2 || tail -20 "$log" >&2
    return 1
  fi
}

jobs=${FUZZ_JOBS:-1}
failed=0
running=0
for name in "${harnesses[@]}"; do
  if ((running >= jobs)); then
    wait -n || failed=$((failed + 1))
    running=$((running - 1))
  fi
  fuzz_one "$name" &
  running=$((running + 1))
done
while ((running > 0)); do
  wait -n || failed=$((failed + 1))
  running=$((running - 1))
done
if ((failed)); then
  echo "fuzz: $failed of ${#harnesses[@]} harnesses found something" >&2
  exit 1
fi
echo "fuzz: ${#harnesses[@]} harnesses, no findings"
