#!/usr/bin/env bash
# Makes 32-bit (i386) Linux programs runnable, as root: where the kernel has
# no IA-32 emulation (some virtual machines run 64-bit user code only), the
# test programs of the native tree run through qemu's user-mode emulator,
# registered with binfmt_misc for i386 ELF files; and 32-bit Windows
# programs run in an emulated machine (qemu-system), whose tools it installs.
# Safe to run again; a kernel that runs i386 programs itself is left alone.
set -euo pipefail

runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
runs_i386 && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "i386-support: this kernel cannot run 32-bit programs; run as root to set up qemu-user" >&2
  exit 1
fi
# qemu-user for the native tree; a whole emulated machine, built from
# Debian's archive, for the 32-bit Windows stage (scripts/vm-image).
needed=()
for p in qemu-user-static qemu-system-x86 debootstrap e2fsprogs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || needed+=("$p")
done
if [ ${#needed[@]} -ne 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends "${needed[@]}" >/dev/null
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # ELF, 32-bit, little-endian, executable or shared object (PIE), Intel 80386.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$binfmt/register"
fi
echo 1 >"$binfmt/qemu-i386"
runs_i386 || { echo "i386-support: 32-bit programs still do not run" >&2; exit 1; }
