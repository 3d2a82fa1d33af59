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


class _Shared:
    def __init__(self, database: Database, owned: bool) -> None:
        self.database = database
        self.owned = owned
        self.users = 0
        # The stations of each description file the session loaded, by its real path.
        self.loaded: dict[str, list[int]] = {}


_shared: _Shared | None = None


class Session:
    """One user of the shared database: `with zodavudaz.session() as session:`, or close(). The
    last user to close ends the database when the session opened it; a database already open when
    the first user came stays open."""

    def __init__(self, shared: _Shared) -> None:
        self._shared: _Shared | None = shared

    @property
    def database(self) -> Database:
        return self._live().database

    def _live(self) -> _Shared:
        if self._shared is None:
            raise ValueError("the session is closed")
        return self._shared

    def virtual_stations(self, path: Path | None = None) -> list[Station]:
        """Loads the description file at path (None: the one ZDZ_VIRTUAL_STATIONS names) into the
        shared database and gives its stations; a file the session already holds is not loaded
        again, and gives the same stations."""
        shared = self._live()
        named = path if path is not None else os.environ.get("ZDZ_VIRTUAL_STATIONS")
        key = os.fsdecode(os.path.realpath(named)) if named else ""
        with _lock:
            if key and key in shared.loaded:
                return [shared.database.stations[each] for each in shared.loaded[key]]
            stations = sim.load_into(shared.database, path)
            if key:
                shared.loaded[key] = [station.id for station in stations]
            return stations

    def close(self) -> None:
        """Ends this user; the last one ends a database the session opened. Closing twice does
        nothing."""
        global _shared
        with _lock:
            shared, self._shared = self._shared, None
            if shared is None:
                return
            shared.users -= 1
            if shared.users > 0:
                return
            _shared = None
        if shared.owned:
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
