#!/usr/bin/env bash
# Installs the build into a temporary prefix, builds and runs a program outside the tree against it
# (through the CMake package and through pkg-config, including only <zodavudaz/...> headers), and a
# C program through both (a project that enables only C, and a C99 compile), checks that the loaded
# library, both packages, the headers and zdz give one version, that an application of the build's
# architecture finds the package however CMake searches for it and one of the other architecture
# gets a clear refusal, that the documentation is installed, and starts the installed zdz and demo
# by their installed paths, without LD_LIBRARY_PATH.
# usage: InstallTest.sh BUILD-DIR [EMULATOR]
set -euo pipefail
build=$1 emulator=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
app=$here/app
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
unset LD_LIBRARY_PATH

fail() {
  echo "$*" >&2
  exit 1
}

if grep -qx 'ZDZ_ARCH:STRING=i386' "$build/CMakeCache.txt"; then
  triplet=i386-linux-gnu own=-m32 other= arch="i386 (32-bit)" otherBits=64
else
  triplet=$(gcc -print-multiarch) own= other=-m32 arch="$(uname -m) (64-bit)" otherBits=32
fi

cmake --install "$build" --prefix "$prefix" >/dev/null
if [ -n "$own" ]; then
  # The 32-bit tools would replace the native ones installed beside them: only when asked for.
  [ ! -e "$prefix/bin" ] || fail "the i386 build installs into bin/ by default"
  cmake --install "$build" --prefix "$prefix" --component tools >/dev/null
fi
libdir=$prefix/lib/$triplet
library=$(find "$libdir" -name 'libzodavudaz.so.*.*' | head -1)
[ -n "$library" ] || fail "no library in $libdir"
readelf -d "$library" | grep -q 'SONAME.*\[libzodavudaz\.so\.[0-9]*\]' || fail "no SONAME with the major version"
if find "$prefix/include" | grep -Eq 'FaultInjecting|BlockFaults|/hooks/'; then
  fail "test hooks installed"
fi
for doc in README.md $(cd "$top" && echo docs/*.md); do
  cmp -s "$top/$doc" "$prefix/share/doc/zodavudaz/$doc" || fail "$doc is not installed under share/doc/zodavudaz"
done
echo "documentation: ok"

# configure_app NAME CMAKE-OPTION...: configures the application outside the tree into $work/NAME,
# its output in $work/NAME.log; fails as cmake does.
configure_app() {
  local name=$1
  shift
  cmake -S "$app" -B "$work/$name" -DCMAKE_BUILD_TYPE=Release "$@" >"$work/$name.log" 2>&1
}

# The package taken, as the application's configure step names it: "VERSION at LIBRARY".
package_taken() { sed -n 's/^-- ZoDavudaz \(.*\)$/\1/p' "$work/$1.log"; }

configure_app cmake-build -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="$own" ||
  { cat "$work/cmake-build.log" >&2; fail "the application does not find the package"; }
cmake --build "$work/cmake-build" >/dev/null
version=$($emulator "$work/cmake-build/installed-app" "$work/cmake.ini" | sed -n 's/^installed library works (version \(.*\))$/\1/p')
[ -n "$version" ] || fail "the application built through the CMake package does not work"
[ "$(package_taken cmake-build)" = "$version at $library" ] ||
  fail "the CMake package taken is '$(package_taken cmake-build)', not version $version at $library"
echo "CMake package: ok"

# An application of this architecture reaches the same package through the one under share/cmake,
# which is where CMake finds it without a multiarch name for the architecture (-m32 without i386
# multiarch).
configure_app shared-build -DZoDavudaz_DIR="$prefix/share/cmake/ZoDavudaz" -DCMAKE_CXX_FLAGS="$own" ||
  { cat "$work/shared-build.log" >&2; fail "the package under share/cmake does not hand over"; }
[ "$(package_taken shared-build)" = "$version at $library" ] ||
  fail "the package under share/cmake hands over to '$(package_taken shared-build)', not to $library"
echo "package under share/cmake: ok"

# refused NAME EXPECTED CMAKE-OPTION...: an application of the other architecture must be refused
# with EXPECTED in the package's reason, and without a stray list separator.
refused() {
  local name=$1 expected=$2 reason
  shift 2
  if configure_app "$name" -DCMAKE_CXX_FLAGS="$other" "$@"; then
    fail "a program of the other architecture took the package ($name)"
  fi
  # CMake wraps the reason over indented lines.
  reason=$(sed -n '/Reason given by package:/,/^Call Stack\|^-- Configuring incomplete/p' "$work/$name.log" |
    tr -s ' \n' '  ')
  [[ $reason == *"$expected"* && $reason != *";"* ]] ||
    fail "$name: the reason given is not '$expected...': $reason"
}
refused other-search "the ZoDavudaz library in $prefix is built for $arch, but the application builds $otherBits-bit:" \
  -DCMAKE_PREFIX_PATH="$prefix"
refused other-named "this ZoDavudaz package in $libdir/cmake/ZoDavudaz is the $arch library, but the application builds $otherBits-bit:" \
  -DZoDavudaz_DIR="$libdir/cmake/ZoDavudaz"
echo "other architecture refused: ok"

export PKG_CONFIG_PATH=$libdir/pkgconfig
flags=$(pkg-config --cflags --libs zodavudaz)
[[ " $flags " != *" -std="* ]] || fail "pkg-config sets the language standard: $flags"
[[ $flags =~ -lzodavudaz\ .*-lzodavudaz-sim ]] || fail "pkg-config does not link both libraries: $flags"
# shellcheck disable=SC2086 # the flags are separate words
g++ "$app/main.cpp" -o "$work/pkg-app" $flags -Wl,-rpath,"$libdir"
$emulator "$work/pkg-app" "$work/pkg.ini" | grep -qx "installed library works (version $version)"
[ "$(pkg-config --modversion zodavudaz)" = "$version" ] ||
  fail "pkg-config gives version $(pkg-config --modversion zodavudaz), the library $version"
echo "pkg-config: ok"

headerVersion=$(sed -n 's/^#define ZODAVUDAZ_VERSION_STRING "\(.*\)"$/\1/p' "$prefix/include/zodavudaz/Version.h")
[ "$headerVersion" = "$version" ] || fail "the headers give version $headerVersion, the library $version"
toolVersion=$($emulator "$prefix/bin/zdz" --version)
[ "$toolVersion" = "zdz $version, library $version" ] || fail "zdz --version says '$toolVersion', the library $version"
echo "one version ($version): ok"

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
