"""Modules filed in a station: their facts, queries, filters and acquired data."""

from __future__ import annotations

import ctypes
from collections.abc import Callable, Iterator
from dataclasses import dataclass
from typing import TYPE_CHECKING

from . import _c_constants as K
from ._arguments import u16
from ._buffers import read_bytes, read_ids, read_text, read_value
from ._c_functions import CFunction
from ._library import C
from ._text import Text, decode, encode
from . import live
from .acquisition import Acquisition, Waveform
from .filters import GuiFilters

from .errors import ZdzError, check

if TYPE_CHECKING:
    from ._text import Path
    from .stations import Slot, Station
    from .viewer import ViewerProperty


@dataclass(frozen=True)
class Reply:
    """A module's reply: its type code, its bytes and its element count."""

    type_code: int
    data: bytes
    count: int


class Module(Acquisition):
    """A filed module, named by its station and id; its facts are read at each use."""

    __slots__ = ("station", "id")

    def __init__(self, station: Station, module_id: int) -> None:
        self.station = station
        self.id = module_id

    def __repr__(self) -> str:
        """<Module 2 'ZO4f20' of station 7, 4 channels>, or without its facts once they cannot be
        read."""
        try:
            return f"<Module {self.id} {self.product_name!r} of station {self.station.id}, {self.channels} channels>"
        except (ValueError, ZdzError):
            return f"<Module {self.id} of station {self.station.id}, not readable>"

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Module) and (other.station, other.id) == (self.station, self.id)

    def __hash__(self) -> int:
        return hash((self.station.id, self.id))

    def ids(self) -> tuple[int, int]:
        """The station and module ids, once the database is known to be open."""
        return self.station.checked_id(), self.id

    def _text(self, function: CFunction) -> str:
        station, module = self.ids()
        return decode(read_text(lambda text, capacity, size: function(station, module, text, capacity, size)))

    def _value(self, function: CFunction, kind: type[ctypes._SimpleCData[int]]) -> int:
        return read_value(function, kind, *self.ids())

    @property
    def product_name(self) -> str:
        """The product name as filed."""
        return self._text(C.zdz_get_module_product_name)

    @property
    def shown_product_name(self) -> str:
        """The product name a station shows: "ZO%x" of the product code outside station 0."""
        return self._text(C.zdz_get_product_name)

    @property
    def name(self) -> str:
        """"Slot %d " and the product name, or "%d:" and it for an extra module."""
        return self._text(C.zdz_gui_get_module_name)

    @property
    def product_word(self) -> int:
        """The product id shifted left by 8."""
        return self._value(C.zdz_get_module_product_word, ctypes.c_uint32)

    @property
    def product_id(self) -> int:
        return self._value(C.zdz_zoc_get_product_id, ctypes.c_uint32)

    @property
    def channels(self) -> int:
        """The module's acquisition channels."""
        return self._value(C.zdz_get_acq_channel, ctypes.c_uint16)

    @property
    def slot(self) -> Slot:
        """The facts of the module's slot: its connected group."""
        return self.station.slot(self.id)

    @property
    def save_on_trig_enabled(self) -> bool:
        return self._value(C.zdz_is_save_on_trig_enable, ctypes.c_int32) != 0

    @property
    def scaling_enabled(self) -> bool:
        return self._value(C.zdz_is_scaling_enable, ctypes.c_int32) != 0

    @property
    def filters(self) -> GuiFilters:
        """The module's GUI filters, a mapping from numbers and names to values."""
        return GuiFilters(self)

    def set_data_cntl_id(self, cntl: int) -> None:
        """The control id of the module's current-data query."""
        check(C.zdz_set_module_data_cntl_id(*self.ids(), u16(cntl, "control id")))

    def exec_module_test(self, item: int = 0xFF) -> list[int]:
        """Runs test item (0xFF: all) on the module's group master: the mask of result words, then
        the 16 result words; ZdzRefused (207) for a slot that cannot be tested."""
        results = (ctypes.c_uint16 * 17)()
        check(C.zdz_zoc_exec_module_test(*self.ids(), u16(item, "test item"), results))
        return list(results)

    def start_button(self) -> None:
        """Posts a start of the module's sequence; ZdzRefused (0xFFFF) when nothing was posted."""
        check(C.zdz_zoc_start_button(*self.ids()))

    def stop_button(self) -> None:
        """Posts a stop of the module's sequence; ZdzRefused (0xFFFF) when nothing was posted."""
        check(C.zdz_zoc_stop_button(*self.ids()))

    def wait_for_acquisition(self, timeout: float | None = None) -> live.Announcement:
        """Waits for an acquisition announced after the last one this wait returned for the
        module (or after the station's last start()), and gives the latest such; ZdzTimeout after
        timeout seconds (None: no limit). Wakes for Ctrl-C within 0.1 s; ZdzOrder from inside an
        acquisition callback. For arm, wait, fetch: station.start(), this, then read()."""
        return live.wait_for_acquisition(self, timeout)

    def acquisitions(self, timeout: float | None = None, channel: int = 0) -> Iterator[Waveform]:
        """Each acquisition announced from now on, as channel's Waveform read after its
        announcement (a reader slower than the acquisitions skips numbers: each Waveform names
        its own); ends when none is announced for timeout seconds (None: never)."""
        return live.acquisitions(self, timeout, channel)

    def on_acquisition(self, callback: Callable[[live.Announcement], object]) -> live.AcquisitionCallback:
        """Calls callback(announcement) on the simulation's thread for each acquisition of the
        module until the returned handle's remove() or the database's end. An exception it raises
        is raised from this thread's next call of the package."""
        return live.on_acquisition(self, callback)

    def setting_query(self, cntl: int) -> Reply:
        """Queries setting cntl (the query group)."""
        station, module = self.ids()
        control = u16(cntl, "control word")
        kind, count = ctypes.c_uint16(), ctypes.c_uint32()
        data = read_bytes(lambda out, capacity, size: C.zdz_setting_query_pointer(
            station, module, control, out, capacity, size, ctypes.byref(kind), ctypes.byref(count)))
        return Reply(kind.value, data, count.value)

    def gui_query(self, cntl: int) -> bytes:
        """A GUI group request without data: the whole reply packet."""
        station, module = self.ids()
        control = u16(cntl, "control word")
        return read_bytes(lambda out, capacity, size: C.zdz_gui_query(station, module, control, out, capacity, size))

    def help(self) -> Reply:
        """The module's help information."""
        station, module = self.ids()
        kind, count = ctypes.c_uint16(), ctypes.c_uint32()
        data = read_bytes(lambda out, capacity, size: C.zdz_help_query_pointer(
            station, module, out, capacity, size, ctypes.byref(kind), ctypes.byref(count), None))
        return Reply(kind.value, data, count.value)

    @property
    def seq_mode(self) -> int:
        """The module's sequence mode."""
        return self._value(C.zdz_get_seq_mode, ctypes.c_uint16)

    def seq_table(self) -> bytes:
        """The module's sequence table; ZdzUnknown (205) when it is empty."""
        station, module = self.ids()
        return read_bytes(lambda out, capacity, size: C.zdz_get_seq_table(station, module, out, capacity, size))

    def sync_exec(self, cntl: int, data: bytes = b"", type_code: int = 0x00) -> None:
        """Executes cntl with data, elements of type_code (bytes = count << (type_code >> 4)); no
        data sends none."""
        station, module = self.ids()
        control, kind = u16(cntl, "control word"), u16(type_code, "type code")
        if not isinstance(data, bytes):
            raise TypeError(f"data must be bytes, not {type(data).__name__}")
        width = 1 << (kind >> 4)
        if len(data) % width:
            raise ValueError(f"{len(data)} bytes are not whole elements of type code {kind:#x}")
        if not data:
            check(C.zdz_sync_exec(station, module, control, None, 0xFF, 0))
            return
        check(C.zdz_sync_exec(station, module, control, data, kind, len(data) // width))

    def viewer_property(self, file: Path | None = None) -> ViewerProperty:
        """The viewer settings stored for the module in the settings folder's "\\Mardel.ini", or
        with its groups in file; ZdzNotFound when none are stored for its product."""
        from .viewer import ViewerProperty

        return ViewerProperty.lookup(self, file)


class Modules:
    """A station's modules: iterate them in id order, look one up by id (int) or by product name
    (str, the one of the lowest id)."""

    __slots__ = ("station",)

    def __init__(self, station: Station) -> None:
        self.station = station

    def _ids(self) -> list[int]:
        station = self.station.checked_id()
        return sorted(read_ids(lambda ids, capacity, count: C.zdz_get_module_ids(station, ids, capacity, count)))

    def __iter__(self) -> Iterator[Module]:
        return iter([Module(self.station, each) for each in self._ids()])

    def __len__(self) -> int:
        return len(self._ids())

    def __contains__(self, key: object) -> bool:
        try:
            self[key]  # type: ignore[index]
        except (KeyError, TypeError, ValueError):
            return False
        return True

    def __getitem__(self, key: int | Text) -> Module:
        """The module with id key, or the first whose product name is key; KeyError when none."""
        if isinstance(key, int):
            module = u16(key, "module id")
            status = C.zdz_find_module(self.station.checked_id(), module)
            if status == K.ZDZ_E_UNKNOWN:
                raise KeyError(key)
            check(status)
            return Module(self.station, module)
        name = encode(key, "product name")
        for each in self:
            if encode(each.product_name, "product name") == name:
                return each
        raise KeyError(key)

    def get(self, key: int | Text) -> Module | None:
        """The module as modules[key] finds it, or None."""
        try:
            return self[key]
        except KeyError:
            return None
