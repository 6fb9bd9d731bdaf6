#!/usr/bin/env bash
# The sign-in demo on loopback: starts the test gateway with a demo account file on
# 127.0.0.1:13000 and signs in with the sample host three times: a password login
# that succeeds (and exchanges a web token for a signed sign-on URL), one that needs
# a check code, and one that needs a second factor. When its programs are missing it
# installs what the build needs and builds them with the linux preset first.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build/linux}"
bin="$build/bin"
if [[ ! -x "$bin/gateway" || ! -x "$bin/signin" ]]; then
  bash "$root/scripts/setup.sh"
  cmake --preset linux -B "$build" -S "$root"
  cmake --build "$build" -j2 --target gateway signin
fi

work="$(mktemp -d)"
"$bin/gateway" --port=13000 --http-port=0 --port-file="$work/ports" \
  --accounts="$root/tools/signin/demo-accounts.json" --max-life-ms=120000 >/dev/null &
gateway=$!
trap 'kill "$gateway" 2>/dev/null; wait "$gateway" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/ports" ]] && break; sleep 0.1; done
[[ -s "$work/ports" ]] || { echo "demo: the gateway did not start" >&2; exit 1; }

signin() { "$bin/signin" --env=0 --data-dir="$work/data" "$@"; }

echo "== 1. password login, then a web token and a signed sign-on URL"
signin --uid=alice --password=alice-secret --keep-for-token --biz-token=biz-alice </dev/null

echo "== 2. a login that needs a check code (the demo types 4711)"
echo 4711 | signin --uid=carol --password=carol-secret

echo "== 3. a login that needs a second factor (the demo types the code it was sent)"
echo 246810 | signin --uid=dave --password=dave-secret
