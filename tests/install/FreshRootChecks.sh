#!/usr/bin/env bash
# Run inside a fresh Debian 12 root (PackageInstallTest.sh): installs the packages of
# /tmp/zdz-packages with apt, the i386 ones beside the native ones, runs the README's examples
# against them with no search path set, reads the manual pages, and purges the packages, after
# which no file of theirs may be left.
set -euo pipefail
check=/tmp/zdz-check
log=$check/apt.log
cd "$check"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
# quietly COMMAND...: its output goes to the log, shown when it fails.
quietly() { "$@" >>"$log" 2>&1 || { tail -30 "$log"; fail "$*"; }; }

echo "==> apt: the examples' tools (g++ with -m32, cmake, pkg-config, man-db)"
dpkg --add-architecture i386
quietly apt-get update
quietly apt-get install -y --no-install-recommends g++ g++-multilib cmake make pkg-config man-db

echo "==> apt-get install ./*.deb"
ours=()
for deb in /tmp/zdz-packages/*.deb; do
  architecture=$(dpkg-deb -f "$deb" Architecture)
  [ "$architecture" = all ] && architecture= || architecture=:$architecture
  ours+=("$(dpkg-deb -f "$deb" Package)$architecture")
done
(cd /tmp/zdz-packages && quietly apt-get install -y ./*.deb)
mapfile -t files < <(dpkg -L "${ours[@]}" | sort -u)
echo "   ${#ours[@]} packages: ${ours[*]}"

echo "==> the README's examples"
version=$(dpkg-query -W -f='${Version}' libzodavudaz-dev:amd64)
[ "$(zdz --version)" = "zdz $version, library $version" ] || fail "zdz --version says '$(zdz --version)'"
# The examples name the demo's station file from the top of the tree.
mkdir -p examples/tools && ln -s /usr/share/zodavudaz/demo examples/tools/demo
links=()
for flag in $(pkg-config --cflags --libs zodavudaz); do links+=("--link=$flag"); done
(cd examples && /usr/bin/python3 "$check/CheckSnippets.py" --cxx g++ --cc gcc "${links[@]}" "$check/README.md") ||
  fail "the README's examples"
# The C++ example built the README's ways: pkg-config, and CMake for both architectures.
block() { awk -v tag="\`\`\`$1" '$0 == tag { inside = 1; next } /^```/ { if (inside) exit } inside' README.md; }
mkdir app && block cpp >app/app.cpp && block cmake >app/CMakeLists.txt
cd app
expected="ZoDavudaz $version: 8 slots, product id 4F20, result 0"
# shellcheck disable=SC2046 # the flags are separate words
g++ app.cpp $(pkg-config --cflags --libs zodavudaz) -o app && [ "$(./app)" = "$expected" ] || fail "pkg-config build"
quietly cmake -S . -B build && quietly cmake --build build && [ "$(build/app)" = "$expected" ] || fail "CMake build"
quietly cmake -S . -B build32 -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32 && quietly cmake --build build32
# The ELF class byte: 1 for a 32-bit program.
[ "$(od -An -j4 -N1 -tu1 build32/app | tr -d ' ')" = 1 ] || fail "the -m32 build is not 32-bit"
# A kernel that cannot start 32-bit programs runs them through the user-mode emulator.
build32/app >/dev/null 2>&1 || { quietly apt-get install -y --no-install-recommends qemu-user; emulator=qemu-i386; }
[ "$(${emulator:-} build32/app)" = "$expected" ] || fail "32-bit CMake build"
cd "$check"
echo "   C++ (pkg-config, CMake native and -m32), C and Python: ok"
zdz-demo >demo.log 2>&1 || { tail -20 demo.log; fail "zdz-demo"; }
echo "   zdz-demo plays the installed stations: ok"
ls /usr/lib/python3/dist-packages/zodavudaz/__pycache__/*.pyc >/dev/null || fail "the Python modules were not compiled at install"

echo "==> man"
for page in zdz zdz-demo zdz-frontend; do
  [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page says '$(man -w "$page" 2>&1)'"
done
man -P cat zdz 2>/dev/null | grep -q "PROFILE COMMANDS" || fail "man zdz does not render"
echo "   man -w finds zdz, zdz-demo and zdz-frontend; man zdz renders: ok"

echo "==> apt-get purge"
quietly apt-get purge -y "${ours[@]}"
left=()
for file in "${files[@]}"; do
  if [ -L "$file" ] || { [ -e "$file" ] && ! [ -d "$file" ]; }; then left+=("$file"); fi
done
# /var/cache/man is man-db's: "man zdz" formatted the page there, and man-db's daily job removes it.
mapfile -t -O "${#left[@]}" left < <(find / -xdev \( -path /tmp -o -path /proc -o -path /var/cache/man \) -prune -o \
  \( -iname '*zodavudaz*' -o -name 'zdz*' \) -print)
[ ${#left[@]} -eq 0 ] || { printf '  %s\n' "${left[@]}" >&2; fail "files left after apt-get purge"; }
echo "   no file of the packages left: ok"
