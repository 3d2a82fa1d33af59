"""Stations filed in the database, their slots, and the collection of them."""

from __future__ import annotations

import ctypes
import warnings
from collections.abc import Iterator
from typing import TYPE_CHECKING

from . import _c_constants as K
from . import live
from ._arguments import u8, u16, u32
from ._buffers import read_ids, read_text, read_value
from ._c_functions import CFunction
from ._library import C
from ._text import Path, Text, decode, encode, encode_path
from .errors import ZdzDefaultsWarning, ZdzError, check, last_error
from .modules import Module, Modules

if TYPE_CHECKING:
    from .database import Database


class Station:
    """A filed station, named by its id; its facts are read from the database at each use."""

    __slots__ = ("database", "_session", "id")

    def __init__(self, database: Database, session: int, station_id: int) -> None:
        self.database = database
        self._session = session
        self.id = station_id

    def __repr__(self) -> str:
        """<Station 7 'Lab' RA800, 3 modules>, or without its facts once they cannot be read."""
        try:
            return f"<Station {self.id} {self.name!r} {self.model}, {len(self.modules)} modules>"
        except (ValueError, ZdzError):
            return f"<Station {self.id}, not readable>"

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Station) and (other.database, other.id) == (self.database, self.id)

    def __hash__(self) -> int:
        return hash(self.id)

    def checked_id(self) -> int:
        """The id, once the database is known to be open."""
        self.database.require(self._session)
        return self.id

    @property
    def name(self) -> str:
        station = self.checked_id()
        return decode(read_text(lambda text, capacity, size: C.zdz_gui_get_station_name(station, text, capacity, size)))

    @property
    def model(self) -> str:
        station = self.checked_id()
        return decode(read_text(lambda text, capacity, size: C.zdz_get_station_model(station, text, capacity, size)))

    @property
    def max_slot(self) -> int:
        """The last slot: 4 for a "ZI400" model, 8 for "RA800", else 0."""
        return read_value(C.zdz_get_max_slot, ctypes.c_uint8, self.checked_id())

    @property
    def modules(self) -> Modules:
        """The station's modules in id order; look-ups by id and by product name."""
        self.checked_id()
        return Modules(self)

    def slot(self, slot: int) -> Slot:
        """The facts of slot 0 to 15 (or an extra module's id)."""
        return Slot(self, u16(slot, "slot"))

    def set_slot(self, slot: int, module_exist: bool, slot_attribute: int = 0, connect_status: int = 0) -> None:
        """Sets slot 0 to 15's facts: a module sits there, bit 0 of slot_attribute lets it be a
        connected group's master, connect_status 1 joins it to the next slot."""
        check(C.zdz_set_station_slot(self.checked_id(), u16(slot, "slot"), int(bool(module_exist)),
                                     u8(slot_attribute, "slot attribute"), u8(connect_status, "connect status")))

    def add_module(self, module_id: int, product_name: Text, product_word: int, channels: int) -> Module:
        """Files a new module without a frontend (its requests answer 205 or 502)."""
        module = u16(module_id, "module id")
        check(C.zdz_add_module(self.checked_id(), module, encode(product_name, "product name"),
                               u32(product_word, "product word"), u16(channels, "channels"), None))
        return Module(self, module)

    def remove(self) -> None:
        """Unfiles the station; ZdzOrder while it holds modules."""
        check(C.zdz_remove_station(self.checked_id()))

    def start(self) -> None:
        """Presses the start button of each of the station's modules; returns once the simulated
        sequence thread has acted on them. ZdzArgument for a station without modules."""
        live.start(self)

    def stop(self) -> None:
        """Presses the stop button of each of the station's modules (a stop without a start does
        nothing); returns once the simulated sequence thread has acted on them."""
        live.stop(self)

    def update_from_settings(self, file: Path) -> str:
        """Loads the station's and its modules' stored GUI state from a settings file and gives the
        station's back-up text. A file that stayed locked past the 5 s bound or cannot be read
        leaves the defaults, with a ZdzDefaultsWarning that says why; a missing one stores
        nothing and gives no warning."""
        station = self.checked_id()
        name = encode_path(file)
        backup = decode(read_text(lambda text, capacity, size: C.zdz_update_data_base_ex(name, station, text, capacity,
                                                                                        size)))
        cause = last_error()
        if cause:
            warnings.warn(cause, ZdzDefaultsWarning, stacklevel=2)
        return backup


class Slot:
    """The facts of one slot of a station."""

    __slots__ = ("station", "number")

    def __init__(self, station: Station, number: int) -> None:
        self.station = station
        self.number = number

    def __repr__(self) -> str:
        return f"<Slot {self.number} of station {self.station.id}>"

    def _flag(self, function: CFunction) -> bool:
        return read_value(function, ctypes.c_int32, self.station.checked_id(), self.number) != 0

    def _word(self, function: CFunction, kind: type[ctypes._SimpleCData[int]]) -> int:
        return read_value(function, kind, self.station.checked_id(), self.number)

    @property
    def module_exists(self) -> bool:
        return self._flag(C.zdz_is_exist_module)

    @property
    def connect_status(self) -> int:
        """1 when the slot's module is joined to the next slot's."""
        return self._word(C.zdz_get_connect_status, ctypes.c_uint8)

    @property
    def is_master(self) -> bool:
        """The slot can be a connected group's master and is joined to the next."""
        return self._flag(C.zdz_check_master)

    @property
    def is_term(self) -> bool:
        """The slot ends its connected group."""
        return self._flag(C.zdz_check_term)

    @property
    def master(self) -> int:
        """The master slot of the slot's connected group."""
        return self._word(C.zdz_search_master, ctypes.c_uint8)

    @property
    def connect_num(self) -> int:
        """The slots from this one to its group's last, both counted."""
        return self._word(C.zdz_get_connect_num, ctypes.c_uint16)

    @property
    def connect_no(self) -> int:
        """The slot's position in its group, 0 for the master."""
        return self._word(C.zdz_get_connect_no, ctypes.c_uint16)


class Stations:
    """The filed stations: iterate them in walk order, look one up by id (int) or name (str)."""

    __slots__ = ("database", "_session")

    def __init__(self, database: Database, session: int) -> None:
        self.database = database
        self._session = session

    def _ids(self) -> list[int]:
        self.database.require(self._session)
        return read_ids(C.zdz_get_station_ids)

    def __iter__(self) -> Iterator[Station]:
        return iter([Station(self.database, self._session, each) for each in self._ids()])

    def __len__(self) -> int:
        return len(self._ids())

    def __contains__(self, key: object) -> bool:
        try:
            self[key]  # type: ignore[index]
        except (KeyError, TypeError, ValueError):
            return False
        return True

    def __getitem__(self, key: int | Text) -> Station:
        """The station with id key (int) or named key (the first in walk order); KeyError when
        there is none."""
        self.database.require(self._session)
        if isinstance(key, int):
            station = u16(key, "station id")
            status = C.zdz_find_station(station)
        else:
            found = ctypes.c_uint16()
            status = C.zdz_find_station_by_name(encode(key, "station name"), ctypes.byref(found))
            station = found.value
        if status == K.ZDZ_E_UNKNOWN:
            raise KeyError(key)
        check(status)
        return Station(self.database, self._session, station)

    def get(self, key: int | Text) -> Station | None:
        """The station as stations[key] finds it, or None."""
        try:
            return self[key]
        except KeyError:
            return None
