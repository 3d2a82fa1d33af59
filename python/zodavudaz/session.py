"""A shared session: one database for the instrument objects of a process, counted, ended with
its last user."""

from __future__ import annotations

import os
import threading
from types import TracebackType

from . import sim
from ._text import Path
from .database import Database, current_database
from .stations import Station

_lock = threading.Lock()


class _Load:
    """The stations one description file filed, and how many loads of it the users hold."""

    def __init__(self, key: str, station_ids: list[int]) -> None:
        self.key = key
        self.station_ids = station_ids
        self.holders = 0


class _Shared:
    def __init__(self, database: Database, owned: bool) -> None:
        self.database = database
        self.owned = owned
        self.users = 0
        # The loads of the description files the session holds, by each file's real path.
        self.loaded: dict[str, _Load] = {}

    def drop(self, held: list[_Load]) -> list[_Load]:
        """Lets go of a user's loads; the ones no user holds any more."""
        for load in held:
            load.holders -= 1
        dropped = [load for load in dict.fromkeys(held) if load.holders == 0]
        for load in dropped:
            self.loaded.pop(load.key, None)
        return dropped


_shared: _Shared | None = None


class Session:
    """One user of the shared database: `with zodavudaz.session() as session:`, or close(). The
    last user to close ends the database when the session opened it; a database already open when
    the first user came stays open."""

    def __init__(self, shared: _Shared) -> None:
        self._shared: _Shared | None = shared
        self._held: list[_Load] = []

    @property
    def database(self) -> Database:
        return self._live().database

    def _live(self) -> _Shared:
        if self._shared is None:
            raise ValueError("the session is closed")
        return self._shared

    def virtual_stations(self, path: Path | None = None) -> list[Station]:
        """Loads the description file at path (None: the one ZDZ_VIRTUAL_STATIONS names) into the
        shared database and gives its stations. A file the session already holds is not loaded
        again: the same stations, one more hold on them. The stations stay until every user that
        loaded them closed (or the database ends)."""
        shared = self._live()
        named = path if path is not None else os.environ.get("ZDZ_VIRTUAL_STATIONS")
        key = os.fsdecode(os.path.realpath(named)) if named else ""
        with _lock:
            load = shared.loaded.get(key) if key else None
            if load is None:
                load = _Load(key, [station.id for station in sim.load_into(shared.database, path)])
                if key:
                    shared.loaded[key] = load
            load.holders += 1
            self._held.append(load)
            return [shared.database.stations[each] for each in load.station_ids]

    def close(self) -> None:
        """Ends this user and its holds on loaded stations: stations no user holds any more go (a
        database the session opened ends with the last user). Closing twice does nothing."""
        global _shared
        with _lock:
            shared, self._shared = self._shared, None
            if shared is None:
                return
            shared.users -= 1
            dropped, self._held = shared.drop(self._held), []
            if shared.users == 0:
                _shared = None
            ending = shared.users == 0 and shared.owned
            if not ending and shared.database.is_open:
                for load in dropped:
                    sim.unload(shared.database, load.station_ids)
        if ending:
            shared.database.__exit__(None, None, None)

    def __enter__(self) -> Session:
        return self

    def __exit__(
        self, kind: type[BaseException] | None, error: BaseException | None, trace: TracebackType | None
    ) -> None:
        self.close()


def session() -> Session:
    """A user of the process's shared database: the database already open, or one opened now."""
    global _shared
    with _lock:
        if _shared is None or not _shared.database.is_open:
            opened = current_database()
            _shared = _Shared(opened, False) if opened is not None else _Shared(Database().__enter__(), True)
        _shared.users += 1
        return Session(_shared)
