#!/usr/bin/env bash
# Runs the same settings and viewer-text steps through the zdz tool of two builds (the native and
# the i386 one) and compares what they print and the files they leave, byte for byte.
# usage: SameBytesBothBuilds.sh ZDZ-A ZDZ-B [EMULATOR-FOR-B]
set -euo pipefail
zdzA=$(realpath "$1") zdzB=$(realpath "$2") emulatorB=${3:-}
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# steps ZDZ [EMULATOR]: the steps, each printed with its exit code, run in the current folder.
steps() {
  local ini=Mardel.ini tmp=Mardel.tmp zdz=$1 emulator=${2:-}
  cp "$source"/tools/demo/settings/Mardel.ini "$source"/tools/demo/settings/Mardel.tmp .
  # shellcheck disable=SC2086 # the emulator is one word or none
  run() { echo "> zdz $*"; $emulator "$zdz" "$@" 2>&1 || echo "exit $?"; }
  run profile set "$tmp" StationAlpha Config "99999999999,-99999999999,4294967297,7"
  run profile set "$tmp" Settings Wide "$(printf 'x%.0s' {1..300})"
  run profile set new.ini "Section A" Key "two;lines"
  run profile get "$tmp" StationAlpha Config
  # Stored numbers out of range read alike: the placement reader saturates them.
  run profile set "$tmp" StationAlpha-Module3 WindowPos "4294967297,-1,99999999999,-99999999999,2147483648,0,10,20,300,400"
  run placement get "$tmp" Alpha 3
  run placement set "$tmp" Alpha 4 4294967295 1 -2147483648 2147483647 0 0 -1 -1 65536 65536
  run placement get "$tmp" Alpha 4 1024x768
  run profile list "$tmp"
  run profile check "$tmp"
  run profile check "$ini"
  run viewer check "$ini"
  for section in $(grep -o '^\[[^]]*\]' "$ini" | tr -d '[]'); do
    run viewer show "$ini" "$section"
  done
  run packet decode --module 2000000000000000000000000000000001000000ffffffff030a2301200100ffffffffff00000000
  # Waveform values from whole numbers are the same bits in both builds; sine is compared below.
  run wave values ramp 30000 3 10000 0 0 1000 >ramp.txt
  run wave values square 7.5 3 -1 0 0 1000 >square.txt
  run wave values noise 20 250 0.5 7 123456789 1000 >noise.txt
  run wave values steps 0 0 0 4294967295 2147483000 400 >steps.txt
  $emulator "$zdz" wave values sine 100 7 0.25 0 0 2000 >"$work"/sine-$(basename "$PWD").txt
}

# sine A B: each value of A within one unit in the last place of B's.
sine_within_one_ulp() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
import struct, sys
def bits(x): return struct.unpack("<q", struct.pack("<d", float.fromhex(x)))[0]
a, b = (open(path).read().split("\n") for path in sys.argv[1:])
far = [l for l, r in zip(a, b) if l != r and any(abs(bits(x) - bits(y)) > 1 for x, y in zip(l.split()[1:], r.split()[1:]))]
sys.exit(f"sine differs by more than one unit in the last place: {far[:3]}" if far or len(a) != len(b) else 0)
PY
}

mkdir "$work"/a "$work"/b
(cd "$work"/a && steps "$zdzA" >transcript.txt)
(cd "$work"/b && steps "$zdzB" "$emulatorB" >transcript.txt)
sine_within_one_ulp "$work"/sine-a.txt "$work"/sine-b.txt
if ! diff -r "$work"/a "$work"/b; then
  echo "the two builds differ" >&2
  exit 1
fi
echo "same bytes in both builds: $(find "$work"/a -type f | wc -l) files, $(grep -c '^> ' "$work"/a/transcript.txt) steps"
