"""The process's one database of stations and modules, open for the length of a with block."""

from __future__ import annotations

import ctypes
import enum
import os
import threading
from collections.abc import Callable
from types import TracebackType

from . import _c_constants as K
from ._arguments import i32, u16
from ._buffers import read_text
from ._library import C
from ._text import Path, Text, encode, encode_path
from .errors import ZdzOrder, check
from .stations import Station, Stations


class Flag(enum.IntEnum):
    """The database's GUI flags, stored and returned as given."""

    GUI_ALL_MODULE = K.ZDZ_FLAG_GUI_ALL_MODULE
    GUI_POWER = K.ZDZ_FLAG_GUI_POWER
    VIEWER_HEIGHT = K.ZDZ_FLAG_VIEWER_HEIGHT
    VIEWER_WIDTH = K.ZDZ_FLAG_VIEWER_WIDTH
    SYSTEM_ERROR_LOG = K.ZDZ_FLAG_SYSTEM_ERROR_LOG
    SYSTEM_LANGUAGE = K.ZDZ_FLAG_SYSTEM_LANGUAGE
    PARAM_POWER = K.ZDZ_FLAG_PARAM_POWER
    ONE_PANEL = K.ZDZ_FLAG_ONE_PANEL
    DBL_CLICK_PANEL = K.ZDZ_FLAG_DBL_CLICK_PANEL
    NON_LOAD = K.ZDZ_FLAG_NON_LOAD
    NON_TOOL_TIP = K.ZDZ_FLAG_NON_TOOL_TIP
    POWER_MSG = K.ZDZ_FLAG_POWER_MSG
    PARAM_START = K.ZDZ_FLAG_PARAM_START
    DEFAULT_SAVE = K.ZDZ_FLAG_DEFAULT_SAVE


_lock = threading.Lock()
_current: Database | None = None


def current_database() -> Database | None:
    """The database whose with block runs, if any."""
    return _current


class Database:
    """The library's database: `with Database() as database:` initialises it, and its end ends
    every module and empties it (also when the block raises). One may be open per process."""

    def __init__(self) -> None:
        self._session = 0
        self._open = False
        self._after_exit: list[Callable[[], None]] = []
        self._before_exit: list[Callable[[], None]] = []

    def __enter__(self) -> Database:
        global _current
        with _lock:
            if _current is not None:
                raise ZdzOrder(K.ZDZ_E_ORDER, "a database is already open in this process; end its with block first")
            check(C.zdz_init())
            self._session += 1
            self._open = True
            _current = self
        return self

    def __exit__(
        self, kind: type[BaseException] | None, error: BaseException | None, trace: TracebackType | None
    ) -> None:
        global _current
        # First, and able to refuse: an acquisition callback may not end the database it runs in.
        for end in list(self._before_exit):
            end()
        self._before_exit.clear()
        with _lock:
            self._open = False
            releases, self._after_exit = self._after_exit, []
            try:
                check(C.zdz_exit())
            finally:
                _current = None
                for release in releases:
                    release()

    @property
    def is_open(self) -> bool:
        return self._open

    def session(self) -> int:
        """The current with block's number; ValueError when the database is not open."""
        if not self._open:
            raise ValueError("the database is closed: use its objects inside its with block")
        return self._session

    def require(self, session: int) -> None:
        """ValueError unless the with block that made an object is still running."""
        if not self._open or session != self._session:
            raise ValueError("the database is closed: use its objects inside the with block that made them")

    def after_exit(self, release: Callable[[], None]) -> None:
        """Calls release once the database has ended, at the end of its with block (once however
        often it is given)."""
        self.session()
        if release not in self._after_exit:
            self._after_exit.append(release)

    def before_exit(self, end: Callable[[], None]) -> None:
        """Calls end at the end of the with block, before the database ends (once however often
        it is given); an exception it raises leaves the database open."""
        self.session()
        if end not in self._before_exit:
            self._before_exit.append(end)

    @property
    def stations(self) -> Stations:
        """The filed stations, in the database's walk order; look-ups by id and by name."""
        return Stations(self, self.session())

    def add_station(self, station_id: int, name: Text, model: Text = "") -> Station:
        """Files a new station with every slot empty; ZdzExists when the id is filed."""
        session = self.session()
        station = u16(station_id, "station id")
        check(C.zdz_add_station(station, encode(name, "name"), encode(model, "model")))
        return Station(self, session, station)

    @property
    def settings_folder(self) -> str:
        """The folder of "\\Mardel.ini" and "\\Mardel.tmp"."""
        self.session()
        return os.fsdecode(read_text(C.zdz_get_current_path))

    @settings_folder.setter
    def settings_folder(self, folder: Path) -> None:
        self.session()
        check(C.zdz_set_current_path(encode_path(folder, "settings folder")))

    @property
    def multi_module_path(self) -> str:
        """A path kept for the applications."""
        self.session()
        return os.fsdecode(read_text(C.zdz_get_multi_module_path))

    @multi_module_path.setter
    def multi_module_path(self, path: Path) -> None:
        self.session()
        check(C.zdz_set_multi_module_path(encode_path(path, "path")))

    def get_flag(self, flag: Flag) -> int:
        self.session()
        value = ctypes.c_int32()
        check(C.zdz_get_flag(Flag(flag), ctypes.byref(value)))
        return value.value

    def set_flag(self, flag: Flag, value: int) -> None:
        self.session()
        check(C.zdz_set_flag(Flag(flag), i32(value, "flag value")))
