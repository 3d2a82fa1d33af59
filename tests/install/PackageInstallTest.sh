#!/usr/bin/env bash
# Installs the Debian packages on a fresh Debian 12 root made by debootstrap, with the i386
# architecture added, checks them there as a user meets them (FreshRootChecks.sh), and removes the
# root. Needs root; the downloaded packages are kept in WORK/cache for the next run.
# usage: PackageInstallTest.sh PACKAGES-FOLDER WORK-FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
packages=$(cd "$1" && pwd)
mkdir -p "$2/cache"
work=$(cd "$2" && pwd)
root=$work/root
mirror=${ZDZ_DEBIAN_MIRROR:-http://deb.debian.org/debian}
mounts=()

remove_root() {
  local mount
  for mount in "${mounts[@]}"; do umount -l "$mount" 2>/dev/null || true; done
  [ ! -d "$root" ] || rm -rf --one-file-system "$root"
}
trap remove_root EXIT
remove_root

echo "==> making a fresh Debian 12 root with debootstrap (log: $work/debootstrap.log)"
debootstrap --variant=minbase --cache-dir="$work/cache" bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log"; exit 1; }
for fs in proc dev; do
  mount --bind "/$fs" "$root/$fs" && mounts=("$root/$fs" "${mounts[@]}")
done
# The packages apt downloads in the root are kept for the next run too.
mkdir -p "$work/cache/apt/partial"
mount --bind "$work/cache/apt" "$root/var/cache/apt/archives" && mounts=("$root/var/cache/apt/archives" "${mounts[@]}")
mkdir -p "$root/tmp/zdz-packages" "$root/tmp/zdz-check"
cp "$packages"/*.deb "$root/tmp/zdz-packages/"
cp "$top/README.md" "$top/tests/docs/CheckSnippets.py" "$here/FreshRootChecks.sh" "$root/tmp/zdz-check/"
# No variable of this shell reaches the root: the examples must work without any.
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive bash /tmp/zdz-check/FreshRootChecks.sh
