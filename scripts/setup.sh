#!/usr/bin/env bash
# Installs everything the project builds, tests and demonstrates with, from
# Debian's packages. Idempotent: when all is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 qemu-user xvfb xauth x11-utils
  libboost-dev nlohmann-json3-dev libspdlog-dev libfmt-dev zlib1g-dev libssl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libprotobuf-dev protobuf-compiler
  libeasyloggingpp-dev tinyproxy dante-server python3-pil imagemagick fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [[ "$status" == installed ]] || missing+=("$p")
done

# Where the kernel refuses 32-bit programs, 32-bit Wine runs through qemu-user.
enable_i386_emulation() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386-kit
  [[ -x /lib/ld-linux.so.2 ]] || return 0
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  [[ -e /proc/sys/fs/binfmt_misc/register ]] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 0
  for existing in /proc/sys/fs/binfmt_misc/qemu-i386*; do
    [[ -e "$existing" ]] && return 0
  done
  echo "setup: running 32-bit programs through qemu-i386"
  echo ':qemu-i386-kit:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:' \
    > /proc/sys/fs/binfmt_misc/register || true
  [[ -e "$entry" ]] || echo "setup: warning: could not enable 32-bit emulation" >&2
}

if ((${#missing[@]} == 0)); then
  echo "setup: all ${#PACKAGES[@]} packages present"
  enable_i386_emulation
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
enable_i386_emulation
