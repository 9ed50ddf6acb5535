# Sourced by the shell tests: counts the checks, and `finish` ends the test
# with "NAME: N passed, M failed" and a status of 0 only when none failed.
# Set CHECKS_NAME first.
passed=0
failed=0
pass() { passed=$((passed + 1)); echo "ok   $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1"; }
finish() {
  echo "$CHECKS_NAME: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
