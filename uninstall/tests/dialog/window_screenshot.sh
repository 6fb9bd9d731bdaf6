#!/usr/bin/env bash
# Starts uninstall.exe (interactive) in a scratch install folder, photographs the X
# screen once its dialog is up, then ends that one process. Usage: <uninstall.exe> <png>
set -euo pipefail
exe=$1
out=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$exe" "$scratch/uninstall.exe"   # it deletes its own folder only once confirmed
wine "$scratch/uninstall.exe" &
pid=$!
sleep 10
import -window root "$out"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
test -s "$out"
