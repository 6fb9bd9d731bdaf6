#!/usr/bin/env bash
# Runs one Windows test program under Wine: wine-test-runner.sh <wine> <program> [args].
# The output goes through a file: processes the program leaves behind in the Wine server
# (a console host, the desktop window) hold the output they inherited open, and were that
# ctest's pipe, ctest would wait for them until the test's time limit, long after the
# program itself has ended.
set -u
output=$(mktemp)
"$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit "$status"
