#!/usr/bin/env bash
# Compares the names that the built libraries export with the reviewed list of their architecture
# (symbols-ARCH.txt beside this script), so that an export that appears or vanishes fails; with
# --update, writes the list instead.
# usage: SymbolList.sh [--update] LIBRARY...
set -euo pipefail
update=false
if [[ ${1:-} == --update ]]; then
  update=true
  shift
fi
here=$(cd "$(dirname "$0")" && pwd)

case $(objdump -f "$1" | sed -n 's/.*file format //p') in
  elf32-i386) arch=i386 ;;
  elf64-x86-64) arch=x86_64 ;;
  *) echo "$1: not an i386 or x86_64 library" >&2; exit 1 ;;
esac
list=$here/symbols-$arch.txt

# One line per name, "library: demangled name". The standard library's own instantiations and the
# linker's section marks are not ours.
exported() {
  for library in "$@"; do
    name=$(basename "$library")
    name=${name#lib}
    name=${name%%.so*}
    nm -DC --defined-only "$library" | cut -d' ' -f3- | grep -Ev '^(([[:alnum:]_]+ )*std::|_edata$|_end$|__bss_start$|_init$|_fini$)' |
      sed "s/^/$name: /"
  done | LC_ALL=C sort -u
}

if $update; then
  exported "$@" >"$list"
  echo "wrote $(wc -l <"$list") names to $list"
  exit 0
fi
if ! diff -u "$list" <(exported "$@"); then
  echo "The exported names differ from $list (- listed only, + exported only)." >&2
  echo "If the change is meant, review it and run: $0 --update $*" >&2
  exit 1
fi
echo "$(wc -l <"$list") exported names as listed"
