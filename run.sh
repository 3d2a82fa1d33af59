#!/usr/bin/env bash
# Builds, tests and runs ZoDavudaz on Debian 12; installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")"

JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-3}
# What the demo needs: a compiler for the native build, and cmake.
DEMO_PACKAGES=(g++ cmake)
# What the test command needs besides: the i386 build (g++-multilib), googletest's sources, clang
# and its fuzzing runtime, pkg-config and python3 for the install and example tests, acl for the
# settings attribute tests, the Python package's test tools with what pip needs to install it into a
# virtual environment offline, scdoc for the manual pages that a test compares with the tools'
# --help, and the front end's server and plot library.
TEST_PACKAGES=(g++-multilib googletest clang libclang-rt-14-dev pkg-config python3 acl python3-numpy python3-pytest
  python3-mypy python3-venv python3-setuptools python3-wheel scdoc python3-aiohttp libjs-dygraphs)
# The front end's: its server and the plot library its page loads.
FRONTEND_PACKAGES=(python3 python3-numpy python3-aiohttp libjs-dygraphs)
# The front end's browser tests, without Recommends (with them the browser brings 152 packages,
# systemd and printing among them; without, 47), and a font, which a fresh root lacks.
BROWSER_PACKAGES=(chromium chromium-driver python3-selenium fonts-dejavu-core)
# What the other commands need on top of the test command's.
COVERAGE_PACKAGES=(gcovr)
LINT_PACKAGES=(clang-tidy clang-format cppcheck)
BENCH_PACKAGES=(libbenchmark-dev libinih-dev)
# What the package command needs: Debian's packaging tools, lintian, scdoc for the manual pages, and
# the i386 C and C++ libraries of Debian's multiarch, so that dpkg-shlibdeps names the i386 packages
# libc6, libstdc++6 and libgcc-s1 (the i386 build is g++-multilib's -m32: the i386 cross compiler
# cannot be installed beside it).
PACKAGE_PACKAGES=(debhelper dh-python dpkg-dev lintian scdoc python3 libc6-dev:i386 libstdc++-12-dev:i386)
# What the package install test needs: a fresh Debian 12 root of its own.
PACKAGE_TEST_PACKAGES=(debootstrap)
# Fuzz targets that a test run gives longer than FUZZ_SECONDS.
declare -A FUZZ_TARGET_SECONDS=([ProfileFileFuzz]=10)
# Line tables are all that sanitizer, fuzzer and crash reports need; full debug information would be
# a third of every build's time.
LINE_TABLES=(-DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# install_missing [--no-install-recommends] PACKAGE...
install_missing() {
  local missing=() options=()
  [ "${1:-}" = --no-install-recommends ] && { options=("$1"); shift; }
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "==> installing ${missing[*]}" >&2
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}" >/dev/null
}

# The i386 build's programs: some kernels cannot start 32-bit programs, and those run them through
# the user-mode emulator.
I386_RUNNER=()
I386_OPTIONS=(-DZDZ_ARCH=i386)
choose_i386_runner() {
  local probe
  probe=$(mktemp -d)
  echo 'int main(void) { return 0; }' >"$probe"/probe.c
  gcc -m32 "$probe"/probe.c -o "$probe"/probe
  if ! "$probe"/probe 2>/dev/null; then
    install_missing qemu-user
    I386_RUNNER=(qemu-i386)
    I386_OPTIONS+=(-DCMAKE_CROSSCOMPILING_EMULATOR=qemu-i386)
  fi
  rm -rf "$probe"
}

# prepare [PACKAGE...]: the test command's packages and these.
prepare() {
  install_missing "${DEMO_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "$@"
  choose_i386_runner
}

# The demo alone: its packages, then the native libraries and zdz-demo without tests, one line per
# step.
run_demo() {
  local dir=build/demo
  echo "==> checking packages: ${DEMO_PACKAGES[*]}" >&2
  install_missing "${DEMO_PACKAGES[@]}"
  echo "==> configuring $dir" >&2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LINE_TABLES[@]}" -DZDZ_TESTS=OFF >/dev/null
  echo "==> building zdz-demo and the libraries (about $((3 / JOBS + 1)) min on $JOBS cores)" >&2
  cmake --build "$dir" -j "$JOBS" --target zdz-demo >/dev/null
  echo "==> running the demo" >&2
  # It finds tools/demo's station file and settings by itself and works on a copy of the settings.
  "$dir"/tools/zdz-demo
}

# The front end from the tree on the demo's stations and a private copy of its settings: the
# native libraries, then the server until Ctrl-C.
run_frontend() {
  local dir=build/demo
  install_missing "${DEMO_PACKAGES[@]}" "${FRONTEND_PACKAGES[@]}"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LINE_TABLES[@]}" -DZDZ_TESTS=OFF >/dev/null
  echo "==> building the libraries" >&2
  cmake --build "$dir" -j "$JOBS" --target zodavudaz zodavudaz-sim >/dev/null
  PYTHONPATH=python ZDZ_LIBRARY_DIR=$dir exec /usr/bin/python3 -m zodavudaz_frontend \
    --stations tools/demo/VirtualStations.ini --settings tools/demo/settings "$@"
}

# prepare_browser: the browser tests' packages, and a name for the loopback address. ChromeDriver and
# Selenium reach each other at "localhost", which a root made by debootstrap (a chroot, a container)
# cannot resolve: it has no /etc/hosts, which an installed Debian always has.
prepare_browser() {
  install_missing --no-install-recommends "${BROWSER_PACKAGES[@]}"
  getent hosts localhost >/dev/null && return
  [ -e /etc/hosts ] || { echo "==> writing /etc/hosts: localhost resolves nowhere on this machine" >&2
    printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' | as_root tee /etc/hosts >/dev/null; }
}

# The README's picture of the page on the demo's stations, made again by the browser tests' driver.
run_screenshot() {
  install_missing "${DEMO_PACKAGES[@]}" "${FRONTEND_PACKAGES[@]}"
  prepare_browser
  cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LINE_TABLES[@]}" -DZDZ_TESTS=OFF >/dev/null
  cmake --build build/demo -j "$JOBS" --target zodavudaz zodavudaz-sim >/dev/null
  PYTHONPATH=python:python/tests/browser ZDZ_LIBRARY_DIR=build/demo /usr/bin/python3 \
    python/tests/browser/screenshot.py docs/frontend.png
}

# build DIR [cmake options...]: with the tests, whose packages prepare installs.
build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LINE_TABLES[@]}" -DZDZ_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS" >/dev/null
}

# run_tests TITLE DIR [cmake options...]: builds with -Werror and runs the suite; the ctest summary
# ends the part's output. Twice as many test programs as cores: most of them wait on locks, time-outs
# and child processes rather than compute.
run_tests() {
  local title=$1 dir=$2; shift 2
  echo "== $title"
  build "$dir" -DZDZ_WERROR=ON "$@"
  ctest --test-dir "$dir" -j "$((JOBS * 2))" --output-on-failure >"$dir"/ctest.log 2>&1 || { cat "$dir"/ctest.log; return 1; }
  grep -E "tests passed|Total Test time" "$dir"/ctest.log
}

# The C interface's threads test and the simulation's live acquisitions under ThreadSanitizer: the
# library objects and those tests alone, a small build of its own.
run_thread_sanitizer() {
  local dir=build/tsan
  echo "== native ThreadSanitizer: the C interface's threads test, the simulation's live acquisitions"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug "${LINE_TABLES[@]}" -DZDZ_TSAN=ON -DZDZ_WERROR=ON >/dev/null
  cmake --build "$dir" -j "$JOBS" --target test-c-threads test-sim-live >/dev/null
  "$dir"/tests/test-c-threads --gtest_brief=1 >"$dir"/threads.log 2>&1 || { cat "$dir"/threads.log; return 1; }
  "$dir"/tests/test-sim-live --gtest_brief=1 >>"$dir"/threads.log 2>&1 || { cat "$dir"/threads.log; return 1; }
  grep -E "rounds|PASSED" "$dir"/threads.log
}

# A target runs in rounds of at most FUZZ_ROUND_SECONDS, each starting from the corpus so far.
FUZZ_ROUND_SECONDS=60
FUZZ_SCRATCH=/dev/shm
[ -d "$FUZZ_SCRATCH" ] || FUZZ_SCRATCH=${TMPDIR:-/tmp}

# fuzz_target TARGET SECONDS CORPUS: runs TARGET for SECONDS on the checked-in seeds and what CORPUS
# holds, adding what it finds to CORPUS; prints the runs and how many inputs reached new code.
fuzz_target() {
  local target=$1 seconds=$2 corpus=$3 runs=0 round seeds log=/tmp/zdz-$1.log
  while [ "$seconds" -gt 0 ]; do
    round=$((seconds < FUZZ_ROUND_SECONDS ? seconds : FUZZ_ROUND_SECONDS))
    seconds=$((seconds - round))
    seeds=$(find fuzz/corpus/"$target" "$corpus" -type f 2>/dev/null | paste -sd, -)
    build/fuzz/fuzz/"$target" -max_total_time="$round" ${seeds:+-seed_inputs="$seeds"} "$corpus" >"$log" 2>&1 ||
      { tail -40 "$log"; return 1; }
    runs=$((runs + $(grep -oE '^Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo 0)))
  done
  echo "  $runs runs ($((runs / $2)) per second), $(find "$corpus" -type f | wc -l) inputs that reached new code"
}

# merge_corpus TARGET FOUND: adds to the checked-in corpus only the entries of FOUND that reach
# code it does not.
merge_corpus() {
  local target=$1 found=$2 work program=$PWD/build/fuzz/fuzz/$1
  work=$(mktemp -d -p "$FUZZ_SCRATCH")
  mkdir -p "$work"/corpus fuzz/corpus/"$target"
  cp fuzz/corpus/"$target"/* "$work"/corpus/ 2>/dev/null || true
  "$program" -merge=1 "$work"/corpus "$found" \
    >/tmp/zdz-"$target"-merge.log 2>&1 || { tail -20 /tmp/zdz-"$target"-merge.log; rm -rf "$work"; return 1; }
  # Entries are named by their content's hash, so a copy never overwrites a different entry.
  cp -n "$work"/corpus/* fuzz/corpus/"$target"/ 2>/dev/null || true
  echo "  $(grep -oE '[0-9]+ new files' /tmp/zdz-"$target"-merge.log | tail -1) kept"
  rm -rf "$work"
}

# run_fuzz SECONDS [per-target|keep]: per-target lets FUZZ_TARGET_SECONDS override SECONDS; keep
# adds to the checked-in corpus what the run found that reaches new code.
run_fuzz() {
  local defaultSeconds=$1 mode=${2:-}
  build build/fuzz -DZDZ_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZDZ_WERROR=ON
  for source in fuzz/*.cpp; do
    [ -e "$source" ] || continue
    local target corpus seconds=$defaultSeconds
    target=$(basename "$source" .cpp)
    [ "$mode" = per-target ] && seconds=${FUZZ_TARGET_SECONDS[$target]:-$defaultSeconds}
    corpus=$(mktemp -d -p "$FUZZ_SCRATCH")
    echo "fuzz $target for ${seconds}s (native)"
    fuzz_target "$target" "$seconds" "$corpus" && { [ "$mode" != keep ] || merge_corpus "$target" "$corpus"; } ||
      { rm -rf "$corpus"; return 1; }
    rm -rf "$corpus"
  done
}

# The library's own code, as paths from the top of the tree.
LIBRARY_FOLDERS=(zodavudaz/{platform,entry,packets,database,viewer,settings,control,c})
LIBRARY_FILTER="^($(IFS='|'; echo "${LIBRARY_FOLDERS[*]}"))/"

# clang-tidy and cppcheck over the library, clang-format over the whole tree; fails on any finding.
lint() {
  local failed=0 sources
  cmake -S . -B build/lint -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
  mapfile -t sources < <(git ls-files "${LIBRARY_FOLDERS[@]/%//*.cpp}")
  echo "clang-tidy"
  { run-clang-tidy -quiet -p build/lint -j "$JOBS" "${sources[@]}" 2>/dev/null || true; } |
    { grep -E '(warning|error):' || true; } | sort -u | tee build/lint/clang-tidy.txt
  [ -s build/lint/clang-tidy.txt ] && failed=1
  echo "cppcheck"
  cppcheck --quiet --std=c++20 --language=c++ --platform=unix64 --enable=warning,performance,portability \
    --inline-suppr --suppressions-list=.cppcheck-suppressions --error-exitcode=1 -I . "${sources[@]}" || failed=1
  echo "clang-format"
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -oE '^[^:]+:' | sort -u || true
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>/dev/null || failed=1
  return $failed
}

PACKAGES=build/packages
VERSION=$(sed -n 's/^project(ZoDavudaz VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# build_debs ARCH [dpkg-buildpackage options...]: the packages of a copy of the tree, built in
# build/deb/ARCH, since dpkg-buildpackage writes beside the source folder.
build_debs() {
  local arch=$1 folder=build/deb/$1
  shift
  rm -rf "$folder"
  mkdir -p "$folder/zodavudaz-$VERSION"
  tar --exclude=./build --exclude=./.git -cf - . | tar -C "$folder/zodavudaz-$VERSION" -xf -
  echo "==> building the $arch packages (log: $folder/build.log)" >&2
  (cd "$folder/zodavudaz-$VERSION" && DEB_BUILD_OPTIONS="noddebs nocheck parallel=$JOBS" dpkg-buildpackage -us -uc "$@") \
    >"$folder/build.log" 2>&1 || { tail -30 "$folder/build.log"; return 1; }
}

# The Debian packages of the native and the i386 build into build/packages, checked by lintian.
make_packages() {
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  install_missing "${DEMO_PACKAGES[@]}" g++-multilib "${PACKAGE_PACKAGES[@]}"
  local changelogVersion
  changelogVersion=$(dpkg-parsechangelog -S Version)
  [ "$changelogVersion" = "$VERSION" ] ||
    { echo "debian/changelog is at $changelogVersion, the project at $VERSION: add a changelog entry" >&2; return 1; }
  build_debs "$(dpkg --print-architecture)" -b
  # Only the library packages: the native tools read the same files.
  build_debs i386 -B -ai386 -Ppkg.zodavudaz.libraries
  rm -rf "$PACKAGES"
  mkdir -p "$PACKAGES"
  cp build/deb/*/*.deb "$PACKAGES"/
  bash tests/install/SameSharedFiles.sh "$PACKAGES" "$(dpkg --print-architecture)" i386
  echo "==> lintian" >&2
  # Lintian warns when it runs as root, which the packages do not need.
  lintian --fail-on error --display-info --pedantic "$PACKAGES"/*.deb 2>&1 | { grep -v "running with root privileges" || true; }
  ls "$PACKAGES"
}

case "${1:-}" in
  demo)
    run_demo
    ;;
  test)
    prepare
    prepare_browser
    time_part() { local start=$SECONDS; "$@"; echo "  ($((SECONDS - start)) s)"; }
    # Release, as the library is installed: its optimiser finds warnings that the others do not.
    time_part run_tests "native plain Release build" build/plain -DCMAKE_BUILD_TYPE=Release
    # Unoptimised: the sanitizer build compiles much faster, and its tests are short. Leaks are
    # checked (the native default).
    time_part run_tests "native ASan+UBSan build, leak detection on" build/sanitize -DZDZ_SANITIZE=ON \
      -DCMAKE_BUILD_TYPE=Debug
    time_part run_thread_sanitizer
    echo "== native fuzz targets"
    time_part run_fuzz "$FUZZ_SECONDS" per-target
    time_part run_tests "i386 plain build${I386_RUNNER:+ (through ${I386_RUNNER[*]})}" build/i386 "${I386_OPTIONS[@]}"
    echo "== same settings and viewer bytes in both builds"
    bash tests/cross/SameBytesBothBuilds.sh build/plain/tools/zdz build/i386/tools/zdz "${I386_RUNNER[@]}"
    ;;
  frontend)
    run_frontend "${@:2}"
    ;;
  screenshot)
    run_screenshot
    ;;
  test-i386-sanitize)
    prepare
    if [ ${#I386_RUNNER[@]} -gt 0 ]; then
      # The leak checker stops threads with ptrace, which the emulator does not offer; a small
      # quarantine keeps the run inside the emulated 32-bit address space.
      export ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}
    fi
    run_tests "i386 ASan+UBSan build" build/i386-sanitize "${I386_OPTIONS[@]}" -DZDZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ;;
  fuzz)
    prepare
    run_fuzz "${2:-600}" keep
    ;;
  coverage)
    prepare "${COVERAGE_PACKAGES[@]}"
    rm -rf build/coverage
    build build/coverage -DCMAKE_BUILD_TYPE=Debug -DZDZ_COVERAGE=ON
    ctest --test-dir build/coverage -j "$JOBS" --output-on-failure >/dev/null
    gcovr --root . --object-directory build/coverage --filter "$LIBRARY_FILTER" --print-summary \
      --txt build/coverage/coverage.txt | tail -3
    ;;
  lint)
    prepare "${LINT_PACKAGES[@]}"
    lint
    ;;
  stress)
    prepare
    build build/plain -DZDZ_WERROR=ON
    # Where the test command's i386 build is, its writers share a file with the native ones.
    other_build=()
    if [ -f build/i386/CMakeCache.txt ]; then
      cmake --build build/i386 -j "$JOBS" --target test-stress >/dev/null
      other_build=(ZDZ_OTHER_BUILD_STRESS="$PWD/build/i386/tests/test-stress" ZDZ_OTHER_BUILD_EMULATOR="${I386_RUNNER[*]}")
    fi
    env "${other_build[@]}" ZDZ_STRESS_SECONDS="${2:-60}" ZDZ_CRASH_TRIALS="${3:-100}" ZDZ_CROWDED_FILES=200000 \
      build/plain/tests/test-stress --gtest_brief=1
    ;;
  bench)
    prepare "${BENCH_PACKAGES[@]}"
    build build/bench -DCMAKE_BUILD_TYPE=Release -DZDZ_BENCH=ON
    build/bench/bench/zdz-bench "${@:2}"
    # The Python package beside the same C calls timed in C, in one process.
    PYTHONPATH=python ZDZ_LIBRARY_DIR=build/bench /usr/bin/python3 python/bench/bench_python.py \
      build/bench/python/libzdz-python-baseline.so
    PYTHONPATH=python ZDZ_LIBRARY_DIR=build/bench /usr/bin/python3 python/bench/bench_frontend.py
    prepare_browser
    PYTHONPATH=python:python/tests/browser ZDZ_LIBRARY_DIR=build/bench /usr/bin/python3 python/bench/bench_frontend_page.py
    ;;
  package)
    make_packages
    ;;
  package-test)
    install_missing "${PACKAGE_TEST_PACKAGES[@]}"
    ls "$PACKAGES"/*.deb >/dev/null 2>&1 || make_packages
    as_root bash tests/install/PackageInstallTest.sh "$PACKAGES" build/package-test
    ;;
  *)
    echo "usage: $0 demo | frontend [OPTIONS] | screenshot | test | test-i386-sanitize | stress [SECONDS [KILLS PER CASE]] |" \
      "fuzz [SECONDS] | coverage | lint | bench [BENCHMARK ARGS] | package | package-test" >&2
    exit 2
    ;;
esac
