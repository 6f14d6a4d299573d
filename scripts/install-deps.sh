#!/usr/bin/env bash
# Installs every tool the build and the tests need on Debian 12, as root.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build make
  googletest                       # built by our CMake for each tree
  g++ g++-multilib                 # native -m32 tree
  g++-mingw-w64-i686-posix         # win32 tree (DLL, dev host, Win32 tests); its objdump and
                                   # windres check the DLL
  g++-mingw-w64-x86-64-posix       # win64 tree (the Windows tests under 64-bit Wine)
  clang libclang-rt-14-dev         # libFuzzer with ASan, LSan and UBSan
  wine wine64 wine32:i386          # 64-bit Wine runs the win64 tree; 32-bit Wine the win32
                                   # tree, where the kernel runs 32-bit code
  xvfb                             # a display for the window when there is none
  zip unzip                        # the player's zip (scripts/release, scripts/check-release)
  python3 sqlite3                  # two CSV readers players use read the export back
  chromium                         # a browser reads the HTML export back (headless, --dump-dom)
)

has_i386=false
dpkg --print-foreign-architectures | grep -qx i386 && has_i386=true
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
here=$(dirname "$0")
if [ "$has_i386" = true ] && [ ${#missing[@]} -eq 0 ]; then
  exec "$here/i386-support.sh"
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]:-i386 architecture}); run as root" >&2
  exit 1
fi
[ "$has_i386" = true ] || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
"$here/i386-support.sh"
