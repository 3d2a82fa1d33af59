"""Settings files: values by section and key, whole files and lines, window placements and back-up
information."""

from __future__ import annotations

import ctypes
import os
from collections.abc import Callable, Iterator
from dataclasses import dataclass
from typing import TYPE_CHECKING, TypeVar

from ._arguments import i32, u16
from ._buffers import BufferCall, read_text, read_text_of
from ._c_records import Rect, WindowPlacementRecord
from ._library import C
from ._text import Path, Text, decode, encode, encode_path
from .errors import ZdzNotFound, check

if TYPE_CHECKING:
    from .modules import Module


def _settings_name(text: Text, what: str) -> bytes:
    """A section, key or value; ValueError for CR or LF, which would break the file's lines."""
    raw = encode(text, what)
    if b"\r" in raw or b"\n" in raw:
        raise ValueError(f"a settings {what} cannot hold CR or LF")
    return raw


_Typed = TypeVar("_Typed", int, float, bool)
_FLAGS = {"1": True, "true": True, "yes": True, "on": True, "0": False, "false": False, "no": False, "off": False}


def _shown(name: Text) -> str:
    return name if isinstance(name, str) else decode(name)


def _names(listed: bytes) -> list[str]:
    """Names the library listed, each followed by LF."""
    return [decode(name) for name in listed.split(b"\n")[:-1]]


def _text_or_none(call: BufferCall) -> str | None:
    try:
        return decode(read_text(call))
    except ZdzNotFound:
        return None


@dataclass(frozen=True)
class WindowPlacement:
    """A window's placement: its flags and show command, its minimised and maximised positions and
    its normal rectangle."""

    flags: int
    show_cmd: int
    min_x: int
    min_y: int
    max_x: int
    max_y: int
    left: int
    top: int
    right: int
    bottom: int

    @classmethod
    def from_record(cls, record: WindowPlacementRecord) -> WindowPlacement:
        normal = record.normal
        return cls(record.flags, record.show_cmd, record.min_x, record.min_y, record.max_x, record.max_y, normal.left,
                   normal.top, normal.right, normal.bottom)

    def record(self) -> WindowPlacementRecord:
        return WindowPlacementRecord(ctypes.sizeof(WindowPlacementRecord), self.flags, self.show_cmd, self.min_x,
                                     self.min_y, self.max_x, self.max_y,
                                     Rect(self.left, self.top, self.right, self.bottom))


class Settings:
    """A settings file (CR LF text in sections) by its path. Callers of one file wait for each
    other up to 5 s: ZdzBusy after that."""

    def __init__(self, path: Path) -> None:
        self.path = path
        self._file = encode_path(path)

    def __repr__(self) -> str:
        return f"Settings({self.path!r})"

    def get(self, section: Text, key: Text) -> str | None:
        """The value of key in section; None when the file, section or key is missing."""
        try:
            return decode(read_text_of(C.zdz_get_profile_string, self._file, encode(section, "section"),
                                       encode(key, "key")))
        except ZdzNotFound:
            return None

    def get_int(self, section: Text, key: Text) -> int | None:
        """The value as an integer, decimal or "0x" hexadecimal; None when missing, ValueError
        naming the key for a value that is no integer."""
        return self._typed(section, key, "an integer", lambda text: int(text, 16 if text.lower().startswith(
            ("0x", "-0x", "+0x")) else 10))

    def get_float(self, section: Text, key: Text) -> float | None:
        """The value as a number; None when missing, ValueError naming the key for one that is none."""
        return self._typed(section, key, "a number", float)

    def get_bool(self, section: Text, key: Text) -> bool | None:
        """The value as a flag: "1", "true", "yes", "on" or "0", "false", "no", "off" in any case;
        None when missing, ValueError naming the key for any other value."""
        return self._typed(section, key, "a flag", lambda text: _FLAGS[text.lower()])

    def _typed(self, section: Text, key: Text, what: str, convert: Callable[[str], _Typed]) -> _Typed | None:
        value = self.get(section, key)
        if value is None:
            return None
        try:
            return convert(value.strip())
        except (KeyError, ValueError):
            raise ValueError(f"[{_shown(section)}] {_shown(key)}={value!r} of {self.path!s} is not {what}"
                             ) from None

    def sections(self) -> list[str]:
        """The sections' names in file order, each once, as get() finds them; ZdzNotFound when
        the file does not exist."""
        file = self._file
        return _names(read_text(lambda names, capacity, size: C.zdz_profile_sections(file, names, capacity, size)))

    def keys(self, section: Text) -> list[str]:
        """The names of the section's keys in file order, each once; ZdzNotFound when the file or
        the section does not exist."""
        file, wanted = self._file, encode(section, "section")
        return _names(read_text(lambda names, capacity, size: C.zdz_profile_keys(file, wanted, names, capacity, size)))

    def set(self, section: Text, key: Text, value: Text) -> None:
        """Writes key=value as the section's last key line, making the section and the file where
        they are missing; ValueError for CR or LF in any of them, before the file is touched."""
        check(C.zdz_write_profile_string(self._file, _settings_name(section, "section"), _settings_name(key, "key"),
                                         _settings_name(value, "value")))

    def text(self) -> str:
        """The whole file, read under the readers' lock; ZdzNotFound when it does not exist."""
        file = self._file
        return decode(read_text(lambda text, capacity, size: C.zdz_read_profile_file(file, text, capacity, size)))

    def lines(self) -> Iterator[str]:
        """The file's lines, each with its line end."""
        handle = ctypes.c_void_p()
        check(C.zdz_settings_file_open(self._file, ctypes.byref(handle)))
        try:
            while line := read_text(lambda text, capacity, size: C.zdz_read_string_ex(handle, text, capacity, size)):
                yield decode(line)
        finally:
            C.zdz_settings_file_close(handle)

    def window_placement(self) -> WindowPlacement | None:
        """The main window's placement from section "Settings"; None when none is stored whole."""
        record = WindowPlacementRecord()
        status = C.zdz_read_window_placement_file(ctypes.byref(record), self._file)
        return _checked_placement(status, record)

    def set_window_placement(self, placement: WindowPlacement) -> None:
        check(C.zdz_write_window_placement(ctypes.byref(placement.record()), self._file))

    def module_window_placement(self, station: int, slot: int) -> WindowPlacement | None:
        """A module window's placement from the station's module section (slot -9: the station's
        own window); None when none is stored whole."""
        record = WindowPlacementRecord()
        status = C.zdz_read_window_placement_ex_file(ctypes.byref(record), u16(station, "station"),
                                                     i32(slot, "slot"), self._file)
        return _checked_placement(status, record)

    def set_module_window_placement(self, station: int, slot: int, placement: WindowPlacement) -> None:
        check(C.zdz_write_window_placement_ex(ctypes.byref(placement.record()), u16(station, "station"),
                                              i32(slot, "slot"), self._file))

    def module_backup_info(self, module: Module) -> str | None:
        """The module's "ModuleInf" entry, accepted only where "Product" holds its product name."""
        station, slot = module.ids()
        file = self._file
        return _text_or_none(lambda info, capacity, size: C.zdz_get_module_backup_inf_file(
            station, slot, file, info, capacity, size))

    def station_backup_info(self, station: int) -> str:
        """The station's "Database" entry, empty when there is none."""
        file, checked = self._file, u16(station, "station")
        return decode(read_text(lambda info, capacity, size: C.zdz_get_station_backup_inf(
            checked, file, info, capacity, size)))


def _checked_placement(status: int, record: WindowPlacementRecord) -> WindowPlacement | None:
    try:
        check(status)
    except ZdzNotFound:
        return None
    return WindowPlacement.from_record(record)


def install_directory(application: Text) -> str | None:
    """The folder an application registered itself in; None when it has no registration."""
    name = encode(application, "application")
    try:
        return os.fsdecode(read_text(lambda folder, capacity, size: C.zdz_get_install_directory(name, folder, capacity,
                                                                                             size)))
    except ZdzNotFound:
        return None
