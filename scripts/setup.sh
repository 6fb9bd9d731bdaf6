#!/usr/bin/env bash
# Installs everything the project builds, tests and demonstrates with, from
# Debian's packages. Idempotent: when all is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32:i386 xvfb xauth
  libboost-dev nlohmann-json3-dev libspdlog-dev libfmt-dev zlib1g-dev libssl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libprotobuf-dev protobuf-compiler
  libeasyloggingpp-dev tinyproxy dante-server python3-pil
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "setup: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
# The proxies are started by the tests on loopback only; keep the system copies off.
for svc in tinyproxy danted; do
  if command -v systemctl >/dev/null && systemctl is-active -q "$svc" 2>/dev/null; then
    systemctl stop "$svc" || true
  fi
  pkill -x "$svc" 2>/dev/null || true
done
