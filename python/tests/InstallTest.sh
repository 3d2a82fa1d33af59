#!/usr/bin/env bash
# The package that cmake --install puts under a prefix loads the library installed beside it, with
# nothing set but PYTHONPATH; under DESTDIR it names the final folder, not the staging one. pip
# installs it into a virtual environment from its pyproject.toml, offline (Debian's NumPy, setuptools
# and wheel stand in for what pip would fetch), and it loads the library ZDZ_LIBRARY_DIR names.
# usage: InstallTest.sh BUILD-FOLDER TOP-OF-TREE
set -euo pipefail
build=$1 top=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

install_into() {
  for component in library sim python; do
    cmake --install "$build" --prefix "$1" --component "$component" >/dev/null
  done
}

install_into "$work/prefix"
packages="$work/prefix/lib/python3/dist-packages"
cd "$top"
loaded=$(env -i PATH=/usr/bin:/bin PYTHONPATH="$packages" /usr/bin/python3 -c '
import zodavudaz
from zodavudaz.sim import virtual_stations
with zodavudaz.Database() as database, virtual_stations("tools/demo/VirtualStations.ini"):
    assert database.stations["Alpha"].modules[1].read(0, points=3).minimum.tolist() == [0, 70, 100]
print(zodavudaz.library_file())')
case "$loaded" in
  "$work/prefix/lib/"*/libzodavudaz.so.1) ;;
  *) echo "the installed package loaded '$loaded', not the library under $work/prefix"; exit 1 ;;
esac

# The front end's command, installed with the tools, finds the installed packages from its own place.
cmake --install "$build" --prefix "$work/prefix" --component tools >/dev/null
exported=$(env -i PATH=/usr/bin:/bin "$work/prefix/bin/zdz-frontend" export --csv --stations tools/demo/VirtualStations.ini \
  --settings tools/demo/settings 1 1 0 | sed -n 9p)
[ "$exported" = "0,0,0" ] || { echo "the installed zdz-frontend exported '$exported'"; exit 1; }

DESTDIR="$work/staging" install_into /opt/zodavudaz-python-test
grep -q '^LIBRARY_DIR: str | None = "/opt/zodavudaz-python-test/lib/' \
  "$work/staging/opt/zodavudaz-python-test/lib/python3/dist-packages/zodavudaz/_install.py" ||
  { echo "the staged package does not name the final library folder"; exit 1; }
grep -q '^LIBRARY_DIR: str | None = None$' "$top/python/zodavudaz/_install.py" ||
  { echo "installing changed the package in the tree"; exit 1; }
echo "installed package loads $loaded"

cp -r "$top/python" "$work/source"  # pip builds in the folder it is given
/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install --quiet --no-index --no-build-isolation "$work/source"
from_venv=$(env -i PATH=/usr/bin:/bin ZDZ_LIBRARY_DIR="$build" "$work/venv/bin/python" -c '
import zodavudaz
from zodavudaz.sim import virtual_stations
with zodavudaz.Database() as database, virtual_stations("tools/demo/VirtualStations.ini"):
    assert database.stations["Alpha"].modules[1].read(0, points=3).minimum.tolist() == [0, 70, 100]
print(zodavudaz.__file__)')
case "$from_venv" in
  "$work/venv/lib/"*/site-packages/zodavudaz/__init__.py) ;;
  *) echo "the virtual environment's package is '$from_venv', not the one pip installed"; exit 1 ;;
esac
echo "pip installs it into a virtual environment: $from_venv"
