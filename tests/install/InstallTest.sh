#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds and runs a program outside the tree
# against it, once through the CMake package and once through pkg-config; a program of the other
# architecture gets a clear refusal from the CMake package.
# usage: InstallTest.sh BUILD-DIR [EMULATOR]
set -euo pipefail
build=$1 emulator=${2:-}
app=$(cd "$(dirname "$0")/app" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

if grep -qx 'ZDZ_ARCH:STRING=i386' "$build/CMakeCache.txt"; then
  triplet=i386-linux-gnu own=-m32 other=
else
  triplet=$(gcc -print-multiarch) own= other=-m32
fi

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$prefix/lib/$triplet
[ -e "$libdir/libzodavudaz.so" ] || { echo "no library in $libdir" >&2; exit 1; }

cmake -S "$app" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$own" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
$emulator "$work/cmake-build/installed-app" "$work/cmake.ini" | grep -qx "installed library works"
echo "CMake package: ok"

# Multiarch search keeps the other architecture's packages apart; a package named directly must refuse.
if cmake -S "$app" -B "$work/other-build" -DZoDavudaz_DIR="$libdir/cmake/ZoDavudaz" -DCMAKE_CXX_FLAGS="$other" \
  >"$work/other.log" 2>&1; then
  echo "a program of the other architecture took the package" >&2
  exit 1
fi
grep -q "but the application builds" "$work/other.log" || { cat "$work/other.log" >&2; exit 1; }
echo "other architecture refused: ok"

export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2086 # the flags are separate words
flags=$(pkg-config --cflags --libs zodavudaz)
g++ "$app/main.cpp" -o "$work/pkg-app" $flags -Wl,-rpath,"$libdir"
$emulator "$work/pkg-app" "$work/pkg.ini" | grep -qx "installed library works"
echo "pkg-config: ok"
