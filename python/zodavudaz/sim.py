"""Virtual stations: simulated stations and modules described in a file, for scripts and tests
without hardware (the simulated sibling libraries must be the loaded ones)."""

from __future__ import annotations

import ctypes
from collections.abc import Iterator
from contextlib import contextmanager

from . import _c_constants as K
from . import live
from ._buffers import INITIAL_BYTES
from ._library import C, SIMULATION, LibraryNotLoaded
from ._text import Path, decode, encode_path
from .database import Database, current_database
from .errors import ZdzOrder, check, error_for
from .stations import Station


def _simulation() -> ctypes.CDLL:
    if SIMULATION is None:
        raise LibraryNotLoaded("virtual stations need the simulated sibling libraries, and ZDZ_SIBLING_LIBRARIES "
                               "named others")
    return SIMULATION


def _release() -> None:
    check(_simulation().zdz_sim_release_virtual_stations())


def _load(file: bytes | None) -> None:
    message = ctypes.create_string_buffer(INITIAL_BYTES)
    size = ctypes.c_uint32()
    status = _simulation().zdz_sim_load_virtual_stations(file, message, len(message), ctypes.byref(size))
    if status != K.ZDZ_OK:
        raise error_for(status, decode(message.value) or None)


@contextmanager
def virtual_stations(path: Path | None = None) -> Iterator[list[Station]]:
    """Loads the stations the description file at path describes (None: the file the environment
    variable ZDZ_VIRTUAL_STATIONS names) into the open database, and gives the stations it filed.
    Use it inside the database's with block: the stations stay filed until that block ends,
    which releases them after the database's end (the library's order). Outside one it raises
    ZdzOrder before loading; a file that does not read raises ZdzArgument with the loader's
    message, "FILE [SECTION] KEY: fault"."""
    _simulation()
    database: Database | None = current_database()
    if database is None:
        raise ZdzOrder(K.ZDZ_E_ORDER, "virtual stations are loaded inside a Database's with block")
    yield load_into(database, path)


def load_into(database: Database, path: Path | None) -> list[Station]:
    """Loads the description file into the open database until its end; the stations it filed."""
    before = {station.id for station in database.stations}
    _load(None if path is None else encode_path(path))
    database.after_exit(_release)
    live.ensure_receiver()
    return [station for station in database.stations if station.id not in before]


def unload(database: Database, station_ids: list[int]) -> None:
    """Ends the modules of the stations a load filed and unfiles them while the database stays
    open; their records go with the release at the database's end."""
    for station in [database.stations[each] for each in station_ids if each in database.stations]:
        for module in list(station.modules):
            check(C.zdz_exit_multi_module(*module.ids()))
        station.remove()
