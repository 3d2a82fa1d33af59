#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds and runs a program outside the tree
# against it, once through the CMake package and once through pkg-config.
# usage: InstallTest.sh BUILD-DIR [EMULATOR]
set -euo pipefail
build=$1 emulator=${2:-}
app=$(cd "$(dirname "$0")/app" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name libzodavudaz.so | head -1)")

cmake -S "$app" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/cmake-build" >/dev/null
$emulator "$work/cmake-build/installed-app" "$work/cmake.ini" | grep -qx "installed library works"
echo "CMake package: ok"

export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2086 # the flags are separate words
flags=$(pkg-config --cflags --libs zodavudaz)
g++ "$app/main.cpp" -o "$work/pkg-app" $flags -Wl,-rpath,"$libdir"
$emulator "$work/pkg-app" "$work/pkg.ini" | grep -qx "installed library works"
echo "pkg-config: ok"
