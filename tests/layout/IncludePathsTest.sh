#!/usr/bin/env bash
# The tree is the include path: every source lies under a folder of its kind, every
# <zodavudaz/...> include names the file at that path from the top of the tree (the generated
# version header aside), and nothing under zodavudaz/ includes a file from outside it.
# usage: IncludePathsTest.sh [TOP]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
failed=0
fail() {
  echo "$*" >&2
  failed=1
}

mapfile -t sources < <(find . -path ./build -prune -o -path ./fuzz/corpus -prune -o -path './.*' -prune -o \
  -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
[ ${#sources[@]} -gt 0 ] || fail "no sources found under $PWD"

for source in "${sources[@]}"; do
  case $source in
    zodavudaz/* | tools/* | tests/* | bench/* | fuzz/* | python/*) ;;
    *) fail "$source: sources belong under zodavudaz/ (the library) or a folder beside it" ;;
  esac
done

while IFS=: read -r source line included; do
  [ "$included" = zodavudaz/Version.h ] && continue
  [ -f "$included" ] || fail "$source:$line: <$included> is no file at that path"
done < <(grep -HnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<zodavudaz/[^>]+>' "${sources[@]}" |
  sed -E 's/#[[:space:]]*include[[:space:]]*<([^>]+)>/\1/; s/:[[:space:]]+/:/')

library=()
for source in "${sources[@]}"; do [[ $source == zodavudaz/* ]] && library+=("$source"); done
# Quoted includes, and angle includes of a folder of the tree other than zodavudaz/.
outside=$(find . -mindepth 1 -maxdepth 1 -type d ! -name zodavudaz ! -name '.*' -printf '%f|')
while IFS=: read -r source line directive; do
  fail "$source:$line: the library includes from outside zodavudaz/: $directive"
done < <(grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*(\"|<(${outside%|})/)" "${library[@]}" || true)

[ $failed -eq 0 ] && echo "${#sources[@]} sources: every include follows the tree"
exit $failed
