#!/usr/bin/env bash
# Installs what is missing, then configures, builds and tests the linux,
# linux-asan, win64 and win32 presets. Exits non-zero on the first failure.
# The Windows tests run in win64 (native 64-bit Wine); win32 builds the 32-bit
# deliverables and runs only the smoke tests, because 32-bit Wine is emulated.
# Usage: scripts/test.sh [preset ...]   (default: linux linux-asan win64 win32)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

bash scripts/setup.sh

# Every clone of the repository on this machine shares compiled objects: ccache hashes
# the paths below the clone relative to it (objects keep the first clone's source paths
# in their debug information).
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true

presets=("$@")
((${#presets[@]})) || presets=(linux linux-asan win64 win32)

# One private X display for the whole Windows phase. It must exist before the
# Wine server starts: the desktop process that wineboot starts binds to the
# display it sees, and without one no test could ever create a window.
display_pid=
start_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -nolisten tcp -ac -screen 0 1024x768x24 3>"$number_file" >/dev/null 2>&1 &
  display_pid=$!
  for _ in $(seq 100); do
    [[ -s "$number_file" ]] && break
    kill -0 "$display_pid" 2>/dev/null || { echo "test: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  [[ -s "$number_file" ]] || { echo "test: Xvfb gave no display number" >&2; exit 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
  rm -f "$number_file"
}

stop_windows_phase() {
  wineserver -k 2>/dev/null || true
  [[ -n "$display_pid" ]] && kill "$display_pid" 2>/dev/null || true
}

# One throwaway prefix for both Windows presets, and one persistent server for
# the whole run, so that each program start does not boot Wine anew.
wine_started=
start_wine() {
  [[ -n "$wine_started" ]] && return
  start_display
  trap stop_windows_phase EXIT
  export WINEPREFIX="$ROOT/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "test: creating Wine prefix (a few minutes, once)"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  fi
  # A server still running for the prefix (wineboot's, or one left by a program run
  # by hand) belongs to another display, and "-p" refuses to start beside it.
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p
  # The first program of a server starts the prefix's services, which keep its
  # output open for as long as the server runs: start them here, not in a test,
  # or ctest waits for that test's output until its time limit.
  /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
  wine_started=1
}

for preset in "${presets[@]}"; do
  echo "=== $preset: configure (${SECONDS} s since start)"
  cmake --preset "$preset" >/dev/null
  echo "=== $preset: build (${SECONDS} s)"
  cmake --build --preset "$preset"
  echo "=== $preset: test (${SECONDS} s)"
  if [[ "$preset" == win* ]]; then start_wine; fi
  ctest --preset "$preset"
done
echo "test: all presets passed (${presets[*]}) in ${SECONDS} s"
