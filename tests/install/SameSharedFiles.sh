#!/usr/bin/env bash
# Checks that each library package of two architectures ships the files both have byte for byte:
# dpkg refuses to install Multi-Arch: same packages side by side where one differs.
# usage: SameSharedFiles.sh PACKAGES-FOLDER ARCH ARCH
set -euo pipefail
folder=$1 first=$2 second=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
compared=0 differing=()
for deb in "$folder"/*_"$first".deb; do
  package=$(dpkg-deb -f "$deb" Package)
  [ "$(dpkg-deb -f "$deb" Multi-Arch)" = same ] || continue
  other=$(ls "$folder/${package}_"*"_$second.deb")
  mkdir -p "$work/$package"
  dpkg-deb -x "$deb" "$work/$package/$first"
  dpkg-deb -x "$other" "$work/$package/$second"
  while read -r file; do
    compared=$((compared + 1))
    cmp -s "$work/$package/$first/$file" "$work/$package/$second/$file" || differing+=("$package: $file")
  done < <(comm -12 <(cd "$work/$package/$first" && find . -type f | sort) <(cd "$work/$package/$second" && find . -type f | sort))
done
if [ ${#differing[@]} -gt 0 ]; then
  echo "files that both architectures ship differ:" >&2
  printf '  %s\n' "${differing[@]}" >&2
  exit 1
fi
[ "$compared" -gt 0 ] || { echo "no file shipped by both $first and $second packages in $folder" >&2; exit 1; }
echo "$compared files shipped by both architectures: byte-identical"
