#!/usr/bin/env bash
# Makes 32-bit (i386) Linux programs runnable, as root: where the kernel has
# no IA-32 emulation (some virtual machines run 64-bit user code only), the
# test programs of the native tree run through qemu's user-mode emulator,
# registered with binfmt_misc for i386 ELF files. 32-bit Windows programs
# then run in an emulated machine (scripts/win32-stage), whose tools
# scripts/install-deps.sh installs.
# Safe to run again. Where the kernel runs i386 programs itself, the
# emulator is never registered, and an entry an earlier run left is removed.
set -euo pipefail
here=$(dirname "$0")
entry=/proc/sys/fs/binfmt_misc/qemu-i386

if "$here/kernel-runs-i386"; then
  if [ -e "$entry" ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "i386-support: qemu's emulator is registered for i386 programs, which this kernel runs itself; run as root to remove it" >&2
      exit 1
    fi
    echo -1 >"$entry"
    echo "i386-support: removed qemu's registration for i386 programs: this kernel runs them itself"
  fi
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "i386-support: this kernel cannot run 32-bit programs; run as root to set up qemu-user" >&2
  exit 1
fi
command -v qemu-i386-static >/dev/null || {
  echo "i386-support: qemu-i386-static is missing (scripts/install-deps.sh installs qemu-user-static)" >&2
  exit 1
}
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$entry" ]; then
  # ELF, 32-bit, little-endian, executable or shared object (PIE), Intel 80386.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$binfmt/register"
fi
echo 1 >"$entry"
/lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "i386-support: 32-bit programs still do not run" >&2; exit 1; }
