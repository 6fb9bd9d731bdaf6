#!/usr/bin/env bash
# Starts uninstall.exe (interactive) in a scratch install folder, photographs the X
# screen once its dialog is up, then ends that one process.
# Usage: <Wine loader> <uninstall.exe> <png>
set -euo pipefail
loader=$1
exe=$2
out=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$exe" "$scratch/uninstall.exe"   # it deletes its own folder only once confirmed
"$loader" "$scratch/uninstall.exe" &
pid=$!
# The dialog is up once a top-level window of its size is mapped on the screen.
dialog_mapped() { xwininfo -root -tree | grep -q ' 420x280+'; }
for _ in $(seq 60); do
  dialog_mapped && break
  kill -0 "$pid" 2>/dev/null || { echo "uninstall.exe ended before its dialog showed" >&2; exit 1; }
  sleep 0.5
done
dialog_mapped || { echo "no 420x280 window on the screen" >&2; exit 1; }
# The window is created visible at the screen's corner and hidden again before it is
# centred, and Wine without a window manager waits about 2 s for the hiding; then the
# zoom-in plays and the centred window shows.
sleep 4
kill -0 "$pid" 2>/dev/null || { echo "uninstall.exe ended while its dialog showed" >&2; exit 1; }
import -window root "$out"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
test -s "$out"
