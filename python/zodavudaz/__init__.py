"""ZoDavudaz for Python: the database of stations and modules, acquired data as NumPy arrays,
settings files, viewer settings and module packets, over the library's C interface."""

from __future__ import annotations

import ctypes

from . import aio, live, sim
from ._library import C as clib
from ._library import LibraryNotLoaded, file_of
from ._text import DEFAULT_ENCODING, get_encoding, set_encoding
from ._version import VERSION
from .acquisition import CurrentData, Direction, RawData, WaveInfo, Waveform, dtype_of
from .control import convert_term, product_name_of, reverse_term, unit_text
from .database import Database, Flag
from .live import AcquisitionCallback, Announcement
from .session import Session, session
from .errors import (
    ZdzArgument,
    ZdzBusy,
    ZdzDefaultsWarning,
    ZdzError,
    ZdzExists,
    ZdzNoMemory,
    ZdzNotFound,
    ZdzNoWaveInfo,
    ZdzOrder,
    ZdzRefused,
    ZdzSettingsFailure,
    ZdzTimeout,
    ZdzUnknown,
    status_text,
)
from .filters import GuiFilters
from .modules import Module, Modules, Reply
from .packets import DecodedPacket, Interpreter, PacketKind, StopDispatch, decode_packet, decode_packet_fields, handler_names
from .settings import Settings, WindowPlacement, install_directory
from .stations import Slot, Station, Stations
from .viewer import Keyword, ViewerGroup, ViewerProperty, keywords

__version__ = ".".join(map(str, VERSION))


def library_version() -> str:
    """The loaded library's version, "MAJOR.MINOR.PATCH"."""
    text = ctypes.c_char_p()
    clib.zdz_get_version(None, None, None, ctypes.byref(text))
    return (text.value or b"").decode("ascii")


def library_file() -> str:
    """The file of the loaded library."""
    return file_of(clib.zdz_get_version)


__all__ = [
    "DEFAULT_ENCODING",
    "AcquisitionCallback",
    "Announcement",
    "CurrentData",
    "Database",
    "Direction",
    "Flag",
    "GuiFilters",
    "Interpreter",
    "Keyword",
    "LibraryNotLoaded",
    "Module",
    "Modules",
    "PacketKind",
    "RawData",
    "Reply",
    "Session",
    "Settings",
    "Slot",
    "Station",
    "Stations",
    "StopDispatch",
    "ViewerGroup",
    "ViewerProperty",
    "WaveInfo",
    "Waveform",
    "WindowPlacement",
    "aio",
    "live",
    "sim",
    "ZdzArgument",
    "ZdzBusy",
    "ZdzDefaultsWarning",
    "ZdzError",
    "ZdzExists",
    "ZdzNoMemory",
    "ZdzNoWaveInfo",
    "ZdzNotFound",
    "ZdzOrder",
    "ZdzRefused",
    "ZdzSettingsFailure",
    "ZdzTimeout",
    "ZdzUnknown",
    "clib",
    "convert_term",
    "DecodedPacket",
    "decode_packet",
    "decode_packet_fields",
    "dtype_of",
    "get_encoding",
    "handler_names",
    "install_directory",
    "keywords",
    "library_file",
    "library_version",
    "product_name_of",
    "reverse_term",
    "session",
    "set_encoding",
    "status_text",
    "unit_text",
]
