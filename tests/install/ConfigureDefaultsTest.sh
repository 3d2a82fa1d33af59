#!/usr/bin/env bash
# Configures the tree as the README's Installing section does, on a machine without googletest's
# sources and scdoc: it must configure a Release build without the tests and the manual pages, saying
# once that the pages are left out, and asking for the tests there must stop with a message that
# names the package.
# usage: ConfigureDefaultsTest.sh SOURCE-DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
missing=(-DZDZ_GTEST_SOURCE_DIR="$work/no-googletest" -DZDZ_SCDOC=)

fail() {
  echo "$*" >&2
  exit 1
}

cmake -S "$source" -B "$work/plain" "${missing[@]}" >"$work/plain.log" 2>&1 ||
  { cat "$work/plain.log" >&2; fail "the library does not configure without googletest"; }
for setting in CMAKE_BUILD_TYPE:STRING=Release ZDZ_TESTS:BOOL=OFF; do
  grep -qx "$setting" "$work/plain/CMakeCache.txt" || fail "configured without $setting"
done
echo "Release, without tests: ok"
[ "$(grep -c "Manual pages left out: scdoc not found (apt-get install scdoc)" "$work/plain.log")" = 1 ] ||
  { cat "$work/plain.log" >&2; fail "no single word of the manual pages left out"; }
! grep -q "man-pages" "$work/plain/Makefile" || fail "the build makes the manual pages without scdoc"
echo "without scdoc, without manual pages: ok"

if cmake -S "$source" -B "$work/tests" "${missing[@]}" -DZDZ_TESTS=ON >"$work/tests.log" 2>&1; then
  fail "the tests configure without googletest"
fi
grep -q "apt-get install googletest" "$work/tests.log" || { cat "$work/tests.log" >&2; fail "no word of googletest"; }
echo "tests ask for googletest: ok"
