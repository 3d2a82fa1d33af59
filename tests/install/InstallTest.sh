#!/usr/bin/env bash
# Installs the build into a temporary prefix, builds and runs a program outside the tree against it
# (through the CMake package and through pkg-config, including only <zodavudaz/...> headers), and a
# C program through both (a project that enables only C, and a C99 compile), checks
# that a program of the other architecture gets a clear refusal from the CMake package, and starts
# the installed zdz and demo by their installed paths, without LD_LIBRARY_PATH.
# usage: InstallTest.sh BUILD-DIR [EMULATOR]
set -euo pipefail
build=$1 emulator=${2:-}
app=$(cd "$(dirname "$0")/app" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
unset LD_LIBRARY_PATH

fail() {
  echo "$*" >&2
  exit 1
}

if grep -qx 'ZDZ_ARCH:STRING=i386' "$build/CMakeCache.txt"; then
  triplet=i386-linux-gnu own=-m32 other=
else
  triplet=$(gcc -print-multiarch) own= other=-m32
fi

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$prefix/lib/$triplet
library=$(find "$libdir" -name 'libzodavudaz.so.*.*' | head -1)
[ -n "$library" ] || fail "no library in $libdir"
readelf -d "$library" | grep -q 'SONAME.*\[libzodavudaz\.so\.[0-9]*\]' || fail "no SONAME with the major version"
if find "$prefix/include" | grep -Eq 'FaultInjecting|BlockFaults|/hooks/'; then
  fail "test hooks installed"
fi

cmake -S "$app" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$own" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
$emulator "$work/cmake-build/installed-app" "$work/cmake.ini" | grep -q "^installed library works"
echo "CMake package: ok"

# Multiarch search keeps the other architecture's packages apart; a package named directly must refuse.
if cmake -S "$app" -B "$work/other-build" -DZoDavudaz_DIR="$libdir/cmake/ZoDavudaz" -DCMAKE_CXX_FLAGS="$other" \
  >"$work/other.log" 2>&1; then
  fail "a program of the other architecture took the package"
fi
grep -q "but the application builds" "$work/other.log" || { cat "$work/other.log" >&2; exit 1; }
echo "other architecture refused: ok"

export PKG_CONFIG_PATH=$libdir/pkgconfig
flags=$(pkg-config --cflags --libs zodavudaz)
[[ " $flags " != *" -std="* ]] || fail "pkg-config sets the language standard: $flags"
[[ $flags =~ -lzodavudaz\ .*-lzodavudaz-sim ]] || fail "pkg-config does not link both libraries: $flags"
# shellcheck disable=SC2086 # the flags are separate words
g++ "$app/main.cpp" -o "$work/pkg-app" $flags -Wl,-rpath,"$libdir"
$emulator "$work/pkg-app" "$work/pkg.ini" | grep -q "^installed library works"
echo "pkg-config: ok"

# The C interface: a project that enables C alone takes ZoDavudaz::c; pkg-config serves a C99 program.
capp=$(cd "$(dirname "$0")/c-app" && pwd)
stations=$(find "$prefix" -name VirtualStations.ini | head -1)
cmake -S "$capp" -B "$work/c-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_FLAGS="$own" >/dev/null
cmake --build "$work/c-build" >/dev/null
$emulator "$work/c-build/installed-c-app" "$work/c-cmake.ini" "$stations" | grep -q "^installed C interface works"
echo "CMake package from C: ok"
# shellcheck disable=SC2086 # the flags are separate words
gcc -std=c99 -pedantic -Wall -Wextra -Werror "$capp/main.c" -o "$work/pkg-c-app" $flags -Wl,-rpath,"$libdir"
$emulator "$work/pkg-c-app" "$work/c-pkg.ini" "$stations" | grep -q "^installed C interface works"
echo "pkg-config from C: ok"

# The installed tools find the libraries through their run path alone.
$emulator "$prefix/bin/zdz" profile get "$work/pkg.ini" Section Key | grep -qx "Value"
echo "installed zdz: ok"
# The demo finds its shipped files from its own place, from any folder, and writes only into a copy.
shipped=$(find "$prefix/share/zodavudaz" -type f -exec md5sum {} + | sort)
(cd "$work" && $emulator "$prefix/bin/zdz-demo" >/dev/null)
[ "$shipped" = "$(find "$prefix/share/zodavudaz" -type f -exec md5sum {} + | sort)" ] || fail "the demo wrote its files"
echo "installed demo: ok"
