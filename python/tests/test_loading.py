"""Finding the library: the install folder first, then the system's library path, then
ZDZ_LIBRARY_DIR; clear errors for what is missing, too old or of another version."""

from __future__ import annotations

import ctypes.util
import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import zodavudaz
from zodavudaz import _library
from zodavudaz._library import LibraryNotLoaded, file_of, load

BUILD = os.path.dirname(zodavudaz.library_file())
INSTALLED_SYSTEM_WIDE = ctypes.util.find_library("zodavudaz") is not None


@pytest.fixture
def copied(tmp_path: Path) -> str:
    """A folder with copies of the libraries: loading from it makes another copy in the process."""
    for name in (_library.LIBRARY_SONAME, _library.SIMULATION_SONAME):
        shutil.copy(os.path.join(BUILD, name), tmp_path / name)
    return str(tmp_path)


def test_the_install_folder_comes_before_the_variable(copied: str) -> None:
    loaded = load(copied, {"ZDZ_LIBRARY_DIR": BUILD})
    assert file_of(loaded.library.zdz_get_version) == os.path.join(copied, _library.LIBRARY_SONAME)
    assert os.path.dirname(file_of(loaded.simulation.zdz_sim_release_virtual_stations)) == copied


def python(environ: dict[str, str], code: str) -> subprocess.CompletedProcess[str]:
    """code run by a new interpreter that finds the package, in environ alone: in this process the
    loaded library answers to its SONAME."""
    package = str(Path(zodavudaz.__file__).parents[1])
    # A sanitizer build's runtime must still come first.
    runtime = {name: os.environ[name] for name in ("LD_PRELOAD", "ASAN_OPTIONS") if name in os.environ}
    return subprocess.run([sys.executable, "-c", code], env={"PYTHONPATH": package, **runtime, **environ},
                          capture_output=True, text=True)


@pytest.mark.skipif(INSTALLED_SYSTEM_WIDE, reason="the system's library path holds the library")
def test_the_variable_is_the_last_place(copied: str) -> None:
    run = python({"ZDZ_LIBRARY_DIR": copied}, "import zodavudaz; print(zodavudaz.library_file())")
    assert run.stdout == os.path.join(copied, _library.LIBRARY_SONAME) + "\n", run.stderr


@pytest.mark.skipif(INSTALLED_SYSTEM_WIDE, reason="the system's library path holds the library")
def test_a_missing_library_names_every_place_looked_in() -> None:
    run = python({}, "import zodavudaz")
    assert run.returncode != 0
    assert "LibraryNotLoaded: cannot load the ZoDavudaz library; looked in" in run.stderr
    assert "the system's library path (by SONAME): libzodavudaz-sim.so.1: cannot open" in run.stderr
    assert "ZDZ_LIBRARY_DIR (not set)" in run.stderr


def test_an_install_folder_without_the_library_is_passed_over(tmp_path: Path) -> None:
    loaded = load(str(tmp_path), {"ZDZ_LIBRARY_DIR": BUILD})
    assert os.path.dirname(file_of(loaded.library.zdz_get_version)) != str(tmp_path)


@pytest.mark.parametrize("version, wanted", [((2, 0, 0), "2.0 or a later 2.x"), ((1, 1, 0), "1.1 or a later 1.x"),
                                             ((0, 9, 0), "0.9 or a later 0.x"), ((1, 0, 7), None)],
                         ids=["another major", "a later minor", "an earlier major", "another patch level"])
def test_a_library_is_taken_by_its_major_and_minor_version(monkeypatch: pytest.MonkeyPatch, version, wanted) -> None:
    monkeypatch.setattr(_library, "VERSION", version)
    if wanted is None:
        assert load(None, {"ZDZ_LIBRARY_DIR": BUILD}).library is not None
        return
    with pytest.raises(LibraryNotLoaded, match=rf"needs libzodavudaz {wanted}; .*libzodavudaz.so.1 is 1\.0\."):
        load(None, {"ZDZ_LIBRARY_DIR": BUILD})


def test_a_library_without_a_declared_function_is_refused(monkeypatch: pytest.MonkeyPatch) -> None:
    monkeypatch.setitem(_library.SIGNATURES, "zdz_not_there", (ctypes.c_int32, []))
    with pytest.raises(LibraryNotLoaded, match="lacks zdz_not_there: it is older than the package"):
        load(None, {"ZDZ_LIBRARY_DIR": BUILD})


def test_missing_sibling_libraries_are_named(tmp_path: Path) -> None:
    with pytest.raises(LibraryNotLoaded, match=f"{tmp_path}/libcomm.so named by ZDZ_SIBLING_LIBRARIES"):
        load(None, {"ZDZ_SIBLING_LIBRARIES": f"{tmp_path}/libcomm.so", "ZDZ_LIBRARY_DIR": BUILD})


def test_the_package_and_library_versions_agree() -> None:
    assert zodavudaz.__version__ == zodavudaz.library_version()
