#!/usr/bin/env bash
# Installs every tool the build and the tests need on Debian 12, as root.
# Safe to run again: it installs only what is missing.
#
# A package mirror may have a bad day (an index that fails to download,
# "Mirror sync in progress?"). The index download is retried; indexes that
# still fail are left out and the install goes on with the others; the run
# fails only when a package the build needs cannot be installed, and names
# it. 32-bit Wine is the one package the build can do without: where it
# cannot be installed (or the kernel runs no 32-bit code) the win32 tree's
# tests run in the emulated 32-bit machine, whose tools are installed
# instead (scripts/win32-mode says which way this machine goes).
set -uo pipefail
here=$(dirname "$0")
state=/var/cache/zun-setup
wine32_reason=$state/wine32-unavailable

packages=(
  cmake ninja-build make
  googletest                       # built by our CMake for each tree
  g++ g++-multilib                 # native -m32 tree
  g++-mingw-w64-i686-posix         # win32 tree (DLL, dev host, Win32 tests); its objdump and
                                   # windres check the DLL
  g++-mingw-w64-x86-64-posix       # win64 tree (the Windows tests under 64-bit Wine)
  clang libclang-rt-14-dev         # libFuzzer with ASan, LSan and UBSan
  wine wine64                      # 64-bit Wine runs the win64 tree
  xvfb                             # a display for the window when there is none
  zip unzip                        # the player's zip (scripts/release, scripts/check-release)
  python3 sqlite3                  # two CSV readers players use read the export back
  chromium                         # a browser reads the HTML export back (headless, --dump-dom)
)
wine32=wine32:i386                 # 32-bit Wine runs the win32 tree where the kernel runs 32-bit code
emulation=(qemu-system-x86 debootstrap e2fsprogs)  # the emulated 32-bit machine (scripts/vm-image)
user_emulation=qemu-user-static    # the native tree's tests where the kernel runs no 32-bit code

log() { echo "install-deps: $*" >&2; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing_of() { local p; for p in "$@"; do installed "$p" || echo "$p"; done; }

kernel_i386=false
"$here/kernel-runs-i386" && kernel_i386=true

wanted=("${packages[@]}")
if [ "$kernel_i386" = true ]; then
  installed "$wine32" || wanted+=("$wine32")
  installed "$wine32" || wanted+=("${emulation[@]}")  # in case 32-bit Wine cannot be had
else
  wanted+=("$user_emulation" "${emulation[@]}")
fi
mapfile -t missing < <(missing_of "${wanted[@]}")
# 32-bit Wine alone, refused by this machine's archive in the last hours:
# the emulated machine is set up, and the refusal stands for now.
if [ "${missing[*]}" = "$wine32" ] && [ -n "$(find "$wine32_reason" -mmin -360 2>/dev/null)" ]; then
  missing=()
fi
if [ ${#missing[@]} -eq 0 ]; then
  exec "$here/i386-support.sh"
fi
if [ "$(id -u)" -ne 0 ]; then
  log "missing packages (${missing[*]}); run as root"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt_options=(-q -o Acquire::Retries=3)

# The package indexes, retried while some fail; then the ones there are.
failed_indexes=""
update_indexes() {
  local attempt output
  for attempt in 1 2 3; do
    output=$(apt-get "${apt_options[@]}" update 2>&1)
    local status=$?
    if [ $status -eq 0 ] && ! grep -qE '^(E:|W: Failed to fetch|Err:)' <<<"$output"; then
      return 0
    fi
    log "the package indexes did not all download (attempt $attempt of 3)"
    grep -E '^(E:|W:)' <<<"$output" | head -n 5 >&2
    [ $attempt -lt 3 ] && sleep $((attempt * 5))
  done
  failed_indexes=$(grep -oE '^E: Failed to fetch [^ ]+' <<<"$output" | sed 's/^E: Failed to fetch //' | paste -sd ' ')
  log "going on with the indexes that did download"
}

# Installs packages, retrying a download that failed. Returns apt's status;
# its last lines are in $install_output.
install_packages() {
  local attempt status=1
  for attempt in 1 2; do
    install_output=$(apt-get "${apt_options[@]}" install -y --no-install-recommends "$@" 2>&1)
    status=$?
    [ $status -eq 0 ] && return 0
    grep -q 'Failed to fetch\|Unable to fetch' <<<"$install_output" || break  # not a download: no retry
  done
  return $status
}

# The i386 architecture is needed for 32-bit Wine only.
if [[ " ${missing[*]} " == *" $wine32 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
update_indexes

needed=()
for p in "${missing[@]}"; do
  [ "$p" = "$wine32" ] && continue
  # The emulated machine's tools are needed only once 32-bit Wine has failed.
  if [ "$kernel_i386" = true ] && [[ " ${emulation[*]} " == *" $p "* ]]; then continue; fi
  needed+=("$p")
done
if [ ${#needed[@]} -ne 0 ] && ! install_packages "${needed[@]}"; then
  # One by one, to name the ones that cannot be had.
  failed=()
  for p in "${needed[@]}"; do install_packages "$p" || failed+=("$p"); done
  if [ ${#failed[@]} -ne 0 ]; then
    log "cannot install: ${failed[*]}"
    tail -n 15 <<<"$install_output" >&2
    exit 1
  fi
fi

if [[ " ${missing[*]} " == *" $wine32 "* ]]; then
  mkdir -p "$state"
  if install_packages "$wine32"; then
    rm -f "$wine32_reason"
  else
    reason=$(grep -E '^E:' <<<"$install_output" | head -n 1)
    reason=${reason:-apt-get install $wine32 failed}
    [ -n "$failed_indexes" ] && reason="$reason; indexes that failed to download: $failed_indexes"
    echo "$reason" >"$wine32_reason"
    log "32-bit Wine cannot be installed here: ${reason:-see the lines below}"
    tail -n 8 <<<"$install_output" >&2
    log "the win32 stage runs in the emulated 32-bit machine instead"
    mapfile -t tools < <(missing_of "${emulation[@]}")
    if [ ${#tools[@]} -ne 0 ] && ! install_packages "${tools[@]}"; then
      log "cannot install the emulated machine's tools: ${tools[*]}"
      tail -n 15 <<<"$install_output" >&2
      exit 1
    fi
  fi
fi
exec "$here/i386-support.sh"
