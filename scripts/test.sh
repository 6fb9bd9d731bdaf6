#!/usr/bin/env bash
# Installs what is missing, then configures, builds and tests the linux,
# linux-asan and win32 presets. Exits non-zero on the first failure.
# Usage: scripts/test.sh [preset ...]   (default: linux linux-asan win32)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

bash scripts/setup.sh

presets=("$@")
((${#presets[@]})) || presets=(linux linux-asan win32)

start_wine() {
  export WINEPREFIX="$ROOT/build/win32/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "test: creating Wine prefix"
    wineboot -i >/dev/null 2>&1 || true
  fi
  # One persistent server for the whole run: each program start then costs ~1 s, not ~5.
  wineserver -p
  trap 'wineserver -k 2>/dev/null || true' EXIT
}

for preset in "${presets[@]}"; do
  echo "=== $preset: configure"
  cmake --preset "$preset" >/dev/null
  echo "=== $preset: build"
  cmake --build --preset "$preset"
  echo "=== $preset: test"
  if [[ "$preset" == win32 ]]; then
    start_wine
    xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset"
  else
    ctest --preset "$preset"
  fi
done
echo "test: all presets passed (${presets[*]})"
