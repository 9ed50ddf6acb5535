#!/bin/sh
# The manual pages render without a warning: mandoc's linter, and groff's
# own check where groff is installed (for a terminal, as man(1) shows them
# there; the lab's page names a fighter in Chinese). Usage: lint_manpages.sh PAGE...
status=0
for page in "$@"; do
  report=$(mandoc -T lint -W warning "$page" 2>&1)
  if command -v groff >/dev/null; then
    report=$report$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  fi
  if [ -n "$report" ]; then
    echo "$report"
    status=1
  else
    echo "ok $page"
  fi
done
exit $status
