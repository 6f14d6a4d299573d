#!/usr/bin/env bash
# Installs every tool the build and the tests need on Debian 12, as root.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build make
  g++ g++-multilib                 # native -m32 tree
  g++-mingw-w64-i686-posix         # win32 tree (DLL, dev host, Win32 tests)
  clang libclang-rt-14-dev         # libFuzzer with ASan/UBSan, -m32
  wine wine32:i386                 # runs the win32 tree
  xvfb                             # a display for the window when there is none
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
