"""The database and stations the front end serves, its entry in the usage registry, and the one
worker thread every library call runs on."""

from __future__ import annotations

import contextlib
import ctypes
import os
from collections.abc import Callable
from typing import Any, TypeVar

import zodavudaz
from zodavudaz import aio
from zodavudaz.sim import virtual_stations


Result = TypeVar("Result")
FRONT_ENDS_STATION = 0


class Unknown(LookupError):
    """A station, module or channel the database does not hold."""


def not_found(what: str) -> Unknown:
    return Unknown(f"no such {what}")


class Library:
    """An open database with the described stations loaded. The front end takes the first
    front-end entry of station 0 and registers there the modules it shows; without one it shows
    usage read-only."""

    def __init__(self, stations_file: str, settings_folder: str) -> None:
        self.settings_folder = settings_folder
        self._stack = contextlib.ExitStack()
        self.database = self._stack.enter_context(zodavudaz.Database())
        try:
            self._stack.enter_context(virtual_stations(stations_file))
            self.database.settings_folder = settings_folder
        except BaseException:
            self._stack.close()
            raise
        self.frontend = self._front_end_entry()
        self.registered: set[tuple[int, int]] = set()

    @property
    def ini(self) -> str:
        return os.path.join(self.settings_folder, "Mardel.ini")

    @property
    def tmp(self) -> str:
        return os.path.join(self.settings_folder, "Mardel.tmp")

    def _front_end_entry(self) -> int | None:
        station = self.database.stations.get(FRONT_ENDS_STATION)
        entries = sorted(module.id for module in station.modules) if station else []
        return entries[0] if entries else None

    @property
    def usage_note(self) -> str | None:
        """Why usage is shown read-only; None when the front end registers what it shows."""
        if self.frontend is None:
            return "the station file gives station 0 no front-end entry, so this front end registers nothing"
        return None

    async def call(self, function: Callable[..., Result], *args: Any) -> Result:
        """function(*args) on the worker thread, so a slow module never blocks the page."""
        return await aio.call(function, *args)

    def station(self, station_id: int) -> zodavudaz.Station:
        station = self.database.stations.get(station_id)
        if station is None:
            raise not_found(f"station {station_id}")
        return station

    def module(self, station_id: int, module_id: int) -> zodavudaz.Module:
        module = self.station(station_id).modules.get(module_id)
        if module is None:
            raise not_found(f"module {module_id} of station {station_id}")
        return module

    def register(self, module: zodavudaz.Module) -> None:
        """Records in the usage registry that this front end shows the module."""
        if self.frontend is None or module.ids() in self.registered:
            return
        zodavudaz.errors.check(zodavudaz.clib.zdz_regist_frontend_used_module(self.frontend, *module.ids()))
        self.registered.add(module.ids())

    def users(self, module: zodavudaz.Module) -> list[int]:
        """The front-end entries that use the module."""
        station = self.database.stations.get(FRONT_ENDS_STATION)
        found = []
        for entry in sorted(each.id for each in station.modules) if station else []:
            used = ctypes.c_int32()
            zodavudaz.errors.check(zodavudaz.clib.zdz_is_use_front_end_by(entry, *module.ids(), ctypes.byref(used)))
            if used.value:
                found.append(entry)
        return found

    def close(self) -> None:
        """Ends the front end's entry, then the database (modules released, Exit done)."""
        try:
            if self.frontend is not None:
                zodavudaz.errors.check(zodavudaz.clib.zdz_exit_multi_module(FRONT_ENDS_STATION, self.frontend))
        finally:
            self._stack.close()
