"""Finding and loading libzodavudaz with the sibling libraries it calls, once per process."""

from __future__ import annotations

import ctypes
import os
from collections.abc import Mapping
from typing import Any, NamedTuple

from . import _install
from ._c_functions import SIGNATURES, SIMULATION_SIGNATURES, bind
from ._version import VERSION

LIBRARY_SONAME = "libzodavudaz.so.1"
SIMULATION_SONAME = "libzodavudaz-sim.so.1"
# Paths of the system's own communication, sequence and frontend libraries, separated by ":";
# without it the simulated ones stand in.
SIBLINGS_VARIABLE = "ZDZ_SIBLING_LIBRARIES"
FOLDER_VARIABLE = "ZDZ_LIBRARY_DIR"


class LibraryNotLoaded(ImportError):
    """The library, its sibling libraries or a library of the right version could not be loaded."""


class _DlInfo(ctypes.Structure):
    _fields_ = [
        ("dli_fname", ctypes.c_char_p),
        ("dli_fbase", ctypes.c_void_p),
        ("dli_sname", ctypes.c_char_p),
        ("dli_saddr", ctypes.c_void_p),
    ]


def file_of(function: Any) -> str:
    """The file of the loaded library that holds function."""
    dladdr = ctypes.CDLL(None).dladdr
    dladdr.argtypes = [ctypes.c_void_p, ctypes.POINTER(_DlInfo)]
    info = _DlInfo()
    if not dladdr(ctypes.cast(function, ctypes.c_void_p), ctypes.byref(info)) or not info.dli_fname:
        return "?"
    return os.fsdecode(info.dli_fname)


def _places(installed_dir: str | None, environ: Mapping[str, str]) -> list[tuple[str, str | None]]:
    """Where to look, in order: the install folder, the system's library path, ZDZ_LIBRARY_DIR."""
    places: list[tuple[str, str | None]] = []
    if installed_dir:
        places.append((f"the folder the package was installed with ({installed_dir})", installed_dir))
    places.append(("the system's library path (by SONAME)", None))
    folder = environ.get(FOLDER_VARIABLE)
    if folder:
        places.append((f"{FOLDER_VARIABLE} ({folder})", folder))
    else:
        places.append((f"{FOLDER_VARIABLE} (not set)", ""))
    return places


def _open(folder: str | None, name: str, mode: int = ctypes.DEFAULT_MODE) -> ctypes.CDLL:
    return ctypes.CDLL(name if folder is None else os.path.join(folder, name), mode=mode)


def _load_siblings(environ: Mapping[str, str]) -> bool:
    """Loads the libraries that ZDZ_SIBLING_LIBRARIES names, for the library's calls to resolve
    against; False when it names none."""
    paths = [path for path in environ.get(SIBLINGS_VARIABLE, "").split(":") if path]
    for path in paths:
        try:
            ctypes.CDLL(path, mode=ctypes.RTLD_GLOBAL)
        except OSError as error:
            raise LibraryNotLoaded(f"cannot load the sibling library {path} named by {SIBLINGS_VARIABLE}: {error}")
    return bool(paths)


def _check_version(library: ctypes.CDLL) -> None:
    """The library must be of the package's major version and not older than the package."""
    major, minor, patch = ctypes.c_int32(), ctypes.c_int32(), ctypes.c_int32()
    library.zdz_get_version(ctypes.byref(major), ctypes.byref(minor), ctypes.byref(patch), None)
    found = (major.value, minor.value, patch.value)
    if found[0] != VERSION[0] or found[:2] < VERSION[:2]:
        wanted = ".".join(map(str, VERSION))
        raise LibraryNotLoaded(
            f"the zodavudaz package {wanted} needs libzodavudaz {VERSION[0]}.{VERSION[1]} or a later "
            f"{VERSION[0]}.x; {file_of(library.zdz_get_version)} is {'.'.join(map(str, found))}"
        )


def _bind_all(library: ctypes.CDLL, signatures: dict[str, tuple[Any, list[Any]]]) -> None:
    missing = bind(library, signatures)
    if missing:
        raise LibraryNotLoaded(f"{library._name} lacks {', '.join(missing)}: it is older than the package")


class Loaded(NamedTuple):
    library: ctypes.CDLL
    # The simulated sibling libraries; None where ZDZ_SIBLING_LIBRARIES names the system's own.
    simulation: ctypes.CDLL | None


def load(installed_dir: str | None, environ: Mapping[str, str]) -> Loaded:
    """The library with every C function bound, from the first place that has it. The simulated
    sibling libraries (or those ZDZ_SIBLING_LIBRARIES names) are loaded first, from the same place,
    since the library's calls into them resolve when it loads."""
    own_siblings = _load_siblings(environ)
    failures = []
    for where, folder in _places(installed_dir, environ):
        if folder == "":
            failures.append(where)
            continue
        try:
            simulation = None if own_siblings else _open(folder, SIMULATION_SONAME, ctypes.RTLD_GLOBAL)
            library = _open(folder, LIBRARY_SONAME)
        except OSError as error:
            failures.append(f"{where}: {error}")
            continue
        _check_version(library)
        _bind_all(library, SIGNATURES)
        if simulation is not None:
            _bind_all(simulation, SIMULATION_SIGNATURES)
        return Loaded(library, simulation)
    raise LibraryNotLoaded("cannot load the ZoDavudaz library; looked in\n  " + "\n  ".join(failures))


C, SIMULATION = load(_install.LIBRARY_DIR, os.environ)
