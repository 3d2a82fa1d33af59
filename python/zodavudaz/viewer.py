"""Viewer display settings: the record the library keeps, its text form, and its keywords' values
as attributes."""

from __future__ import annotations

import ctypes
import difflib
import functools
import math
import numbers
import weakref
from collections.abc import Sequence
from dataclasses import dataclass
from types import TracebackType
from typing import TYPE_CHECKING, Union

from . import _c_constants as K
from ._arguments import i32, u16, whole
from ._buffers import read_text
from ._library import C
from ._text import Path, Text, decode, encode, encode_path
from .errors import check

if TYPE_CHECKING:
    from .modules import Module

# Stored texts carry each blank as this byte, and an empty text as this byte alone.
STORED_BLANK = b"\x0e"
WHOLE = -1
# Keywords whose number of values the record sets (the colours it holds): always a list.
VARIABLE_COUNTS = {"ColorArray"}

Scalar = Union[int, float, str]
ViewerValue = Union[Scalar, list[int], list[float], list[str]]


@dataclass(frozen=True)
class Keyword:
    """A keyword of the viewer settings and how its values are held."""

    name: str
    flags: int

    @property
    def form(self) -> int:
        """ZDZ_VIEWER_DECIMAL, _HEX, _DOUBLE or _TEXT."""
        return self.flags & K.ZDZ_VIEWER_FORM_MASK

    @property
    def per_channel(self) -> bool:
        return bool(self.flags & K.ZDZ_VIEWER_PER_CHANNEL)

    @property
    def per_group(self) -> bool:
        return bool(self.flags & K.ZDZ_VIEWER_PER_GROUP)

    @property
    def in_text(self) -> bool:
        """The record's one-line text carries it."""
        return not self.flags & K.ZDZ_VIEWER_NOT_IN_TEXT

    def parse(self, word: bytes) -> Scalar:
        """One value as the library writes it."""
        if self.form == K.ZDZ_VIEWER_TEXT:
            return decode(b"" if word == STORED_BLANK else word.replace(STORED_BLANK, b" "))
        if self.form == K.ZDZ_VIEWER_DOUBLE:
            return float(word)
        return int(word, 16 if self.form == K.ZDZ_VIEWER_HEX else 10)

    def format(self, value: object) -> bytes:
        """One value as the library reads it; TypeError for a value of another kind."""
        what = f"a value of {self.name}"
        if self.form == K.ZDZ_VIEWER_TEXT:
            if not isinstance(value, (str, bytes)):
                raise TypeError(f"{what} must be str or bytes, not {type(value).__name__}")
            raw = encode(value, what)
            return raw.replace(b" ", STORED_BLANK) if raw else STORED_BLANK
        if self.form == K.ZDZ_VIEWER_DOUBLE:
            if not isinstance(value, numbers.Real):
                raise TypeError(f"{what} must be a number, not {type(value).__name__}")
            number = float(value)
            return b"NAN" if math.isnan(number) else repr(number).encode("ascii")
        number = whole(value, what)
        return (f"0x{number:X}" if self.form == K.ZDZ_VIEWER_HEX else str(number)).encode("ascii")


@functools.cache
def keywords() -> dict[str, Keyword]:
    """Every keyword by name: the record text's in its order, then the group keywords."""
    found = {}
    for position in range(K.ZDZ_VIEWER_KEYWORD_COUNT):
        name, flags = ctypes.c_char_p(), ctypes.c_uint32()
        check(C.zdz_viewer_keyword(position, ctypes.byref(name), ctypes.byref(flags)))
        keyword = Keyword((name.value or b"").decode("ascii"), flags.value)
        found[keyword.name] = keyword
    return found


def _keyword(name: str) -> Keyword:
    """The keyword name; KeyError naming the nearest keywords for a name that is none."""
    try:
        return keywords()[name]
    except KeyError:
        near = difflib.get_close_matches(name, keywords(), n=3)
        hint = f" (did you mean {', '.join(near)}?)" if near else ""
        raise KeyError(f"no viewer keyword {name!r}{hint}") from None


def _attribute_keyword(name: str) -> Keyword:
    """The keyword of an attribute name; AttributeError for a name that is none, so that a
    misspelt attribute is never set as a plain one."""
    try:
        return _keyword(name)
    except KeyError as error:
        raise AttributeError(error.args[0]) from None


def _shaped(keyword: Keyword, index: int, words: list[Scalar]) -> ViewerValue:
    """A group's name, one channel's value and a keyword of one value read as that value; values per
    channel or per group member, and several values, as a list."""
    if keyword.name == "Group" or (index != WHOLE and keyword.per_channel):
        return words[0] if words else ""
    if keyword.per_channel or keyword.per_group or keyword.name in VARIABLE_COUNTS or len(words) != 1:
        return words  # type: ignore[return-value]
    return words[0]


def _release(handle: int) -> None:
    C.zdz_viewer_release(handle)


class ViewerProperty:
    """A viewer settings record the library owns, released by close(), at the end of a with
    block, or when the object goes away. Keywords read and set as attributes (viewer.GridType);
    a keyword of one value per channel reads as a list, as do keywords of several values."""

    def __init__(self, handle: ctypes.c_void_p) -> None:
        """Takes over a record the library made (use create, from_text or lookup)."""
        address = int(handle.value or 0)
        object.__setattr__(self, "_handle", address)
        object.__setattr__(self, "_finalizer", weakref.finalize(self, _release, address))

    @classmethod
    def create(cls, channels: int) -> ViewerProperty:
        """A new record for channels channels (at least 1) with the display defaults and
        ChannelNumber channels (the C function leaves it 0, which hides every per-channel value)."""
        handle = ctypes.c_void_p()
        count = u16(channels, "channels")
        check(C.zdz_viewer_create(count, ctypes.byref(handle)))
        record = cls(handle)
        record.set("ChannelNumber", count)
        return record

    @classmethod
    def from_text(cls, text: Text) -> ViewerProperty:
        """A record read from its one-line text; ZdzArgument when the text does not read."""
        handle = ctypes.c_void_p()
        check(C.zdz_viewer_from_text(encode(text, "viewer text"), ctypes.byref(handle)))
        return cls(handle)

    @classmethod
    def lookup(cls, module: Module, file: Path | None = None) -> ViewerProperty:
        """The settings stored for module in the settings folder's "\\Mardel.ini", or with its
        groups in file; ZdzNotFound when none are stored for its product."""
        station, slot = module.ids()
        handle = ctypes.c_void_p()
        if file is None:
            check(C.zdz_viewer_lookup(station, slot, ctypes.byref(handle)))
        else:
            check(C.zdz_viewer_lookup_file(station, slot, encode_path(file), ctypes.byref(handle)))
        return cls(handle)

    def handle(self) -> int:
        """The record's handle for the C functions; ValueError once released."""
        handle: int | None = self.__dict__["_handle"]
        if handle is None:
            raise ValueError("the viewer settings record is released")
        return handle

    def close(self) -> None:
        """Releases the record; later uses raise ValueError."""
        object.__setattr__(self, "_handle", None)
        self.__dict__["_finalizer"]()

    def __enter__(self) -> ViewerProperty:
        return self

    def __exit__(self, kind: type[BaseException] | None, error: BaseException | None,
                 trace: TracebackType | None) -> None:
        self.close()

    def to_text(self) -> str:
        """The record's one-line text, "ChannelNumber 2;MathChNum 0;..."."""
        handle = self.handle()
        return decode(read_text(lambda text, capacity, size: C.zdz_viewer_to_text(handle, text, capacity, size)))

    def group_to_text(self, group: int) -> str:
        """Group group's line, "Group<group + 1> <name>;CHID ...;"."""
        handle, index = self.handle(), u16(group, "group")
        return decode(read_text(lambda text, capacity, size: C.zdz_viewer_group_to_text(handle, index, text, capacity,
                                                                                       size)))

    def group_from_text(self, text: Text) -> None:
        """Reads one group line into the group it names."""
        check(C.zdz_viewer_group_from_text(self.handle(), encode(text, "group text")))

    def get(self, keyword: str, index: int = WHOLE) -> ViewerValue:
        """keyword's values; index is a channel of a per-channel keyword or a group of a group
        keyword, -1 for all of them. KeyError for a name that is no keyword."""
        found = _keyword(keyword)
        handle, name, at = self.handle(), found.name.encode("ascii"), i32(index, "index")
        text = read_text(lambda values, capacity, size: C.zdz_viewer_get(handle, name, at, values, capacity, size))
        words = [found.parse(word) for word in text.split(b" ")] if text else []
        return _shaped(found, index, words)

    def set(self, keyword: str, value: object, index: int = WHOLE) -> None:
        """Sets keyword's values from one value or a sequence of them, read as the record's text is
        read: fewer values leave the rest. KeyError for a name that is no keyword; ZdzArgument,
        saying why, for values the record cannot take (more than its channels, a ChannelNumber
        above the channels it was made for)."""
        found = _keyword(keyword)
        many = isinstance(value, Sequence) and not isinstance(value, (str, bytes))
        items: Sequence[object] = value if isinstance(value, Sequence) and many else [value]
        values = b" ".join(found.format(each) for each in items)
        check(C.zdz_viewer_set(self.handle(), found.name.encode("ascii"), i32(index, "index"), values))

    @property
    def groups(self) -> list[ViewerGroup]:
        """The record's channel groups (GrNum of them)."""
        count = self.get("GrNum")
        return [ViewerGroup(self, group) for group in range(int(count))]  # type: ignore[arg-type]

    def __getattr__(self, name: str) -> ViewerValue:
        if name.startswith("_"):
            raise AttributeError(name)
        return self.get(_attribute_keyword(name).name)

    def __setattr__(self, name: str, value: object) -> None:
        self.set(_attribute_keyword(name).name, value)

    def __dir__(self) -> list[str]:
        return sorted(set(super().__dir__()) | set(keywords()))


class ViewerGroup:
    """One channel group of a record: its group keywords ("Group" its name, "CHID", "MMIN"...) as
    attributes."""

    viewer: ViewerProperty
    index: int

    def __init__(self, viewer: ViewerProperty, index: int) -> None:
        object.__setattr__(self, "viewer", viewer)
        object.__setattr__(self, "index", index)

    def to_text(self) -> str:
        return self.viewer.group_to_text(self.index)

    def __getattr__(self, name: str) -> ViewerValue:
        if name.startswith("_"):
            raise AttributeError(name)
        return self.viewer.get(_attribute_keyword(name).name, self.index)

    def __setattr__(self, name: str, value: object) -> None:
        self.viewer.set(_attribute_keyword(name).name, value, self.index)
