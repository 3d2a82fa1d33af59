"""Module packets: decoded to text, and dispatched to handlers written in Python."""

from __future__ import annotations

import ctypes
import enum
import functools
import re
import weakref
from collections.abc import Callable
from dataclasses import dataclass
from types import TracebackType
from typing import Any

from . import _c_constants as K
from ._buffers import read_text
from ._c_records import PacketHandler
from ._library import C
from ._text import decode
from .errors import check

Packet = bytes | bytearray | memoryview


class PacketKind(enum.IntEnum):
    MODULE = K.ZDZ_PACKET_MODULE
    STATION = K.ZDZ_PACKET_STATION
    SEMI = K.ZDZ_PACKET_SEMI


def _packet_bytes(packet: object) -> bytes:
    if not isinstance(packet, (bytes, bytearray, memoryview)):
        raise TypeError(f"a packet must be bytes, bytearray or memoryview, not {type(packet).__name__}")
    return bytes(packet)


def decode_packet(packet: Packet, kind: PacketKind = PacketKind.MODULE) -> str:
    """The packet decoded field by field, one line each, with the handlers it reaches;
    ZdzArgument for a packet shorter than its header."""
    data, checked = _packet_bytes(packet), PacketKind(kind)
    return decode(read_text(lambda text, capacity, size: C.zdz_decode_packet(data, len(data), checked, text, capacity,
                                                                             size)))


# A field line: its name, two or more blanks, its value.
_FIELD = re.compile(r"(\S(?:.*?\S)?) {2,}(.*)")
_NOTE = "note: "


@dataclass(frozen=True)
class DecodedPacket:
    """A packet decoded as `zdz packet decode` shows it: the text, and its fields by name
    ("command id", "control", ...; a station packet's module packet as "module packet.size" and
    so on), each the text of its value, with the decoder's notes."""

    kind: str
    text: str
    fields: dict[str, str]
    notes: list[str]

    def __getitem__(self, name: str) -> str:
        return self.fields[name]


def decode_packet_fields(packet: Packet, kind: PacketKind = PacketKind.MODULE) -> DecodedPacket:
    """decode_packet's text with its fields by name; ZdzArgument naming the length needed for a
    packet shorter than its header."""
    text = decode_packet(packet, kind)
    fields: dict[str, str] = {}
    notes: list[str] = []
    heading, prefix = "module packet", ""
    for line in text.splitlines():
        stripped = line.strip()
        nested = line.startswith(" ")
        if not nested:
            prefix = ""
        if stripped.startswith(_NOTE):
            notes.append(stripped[len(_NOTE):])
        elif match := _FIELD.fullmatch(stripped):
            fields[prefix + match[1]] = match[2]
        elif stripped and fields:
            prefix = stripped + "."
        elif stripped:
            heading = stripped
    return DecodedPacket(heading, text, fields, notes)


@functools.cache
def handler_names() -> tuple[str, ...]:
    """The interpreter's handlers by position, from position 1."""
    names = []
    for position in range(1, K.ZDZ_HANDLER_COUNT + 1):
        name = ctypes.c_char_p()
        check(C.zdz_handler_name(position, ctypes.byref(name)))
        names.append((name.value or b"").decode("ascii"))
    return tuple(names)


class StopDispatch(Exception):
    """Raised by a handler to stop its packet's dispatch; interpret() then gives False."""


def _dispatcher(interpreter: weakref.ref[Interpreter]) -> Callable[[Any, int, Any, int], int]:
    """The C handler of every overridden position: it holds the interpreter weakly, so that the
    interpreter can go away while the library still holds the handler."""

    def dispatch(user: Any, position: int, packet: Any, length: int) -> int:
        owner = interpreter()
        return 1 if owner is None else owner.call_handler(position, packet, length)

    return dispatch


def _release(handle: int, handlers: object) -> None:
    del handlers
    C.zdz_interpreter_release(handle)


class Interpreter:
    """Dispatches module packets to the handlers a subclass defines, each named as the library's
    handler (ReqWaveData, RplyError, ...: handler_names()) and called with the packet as a
    writable memoryview, valid during the call, that it may rewrite. A handler may call any
    function of the package. An exception it raises stops the packet's dispatch and is raised
    again from interpret(); StopDispatch stops it quietly."""

    def __init__(self) -> None:
        names = handler_names()
        mistaken = [name for name in dir(type(self)) if name.startswith(("Req", "Rply")) and name not in names]
        if mistaken:
            raise TypeError(f"{', '.join(mistaken)}: not handler names (see handler_names())")
        handler = PacketHandler(_dispatcher(weakref.ref(self)))
        table = (PacketHandler * len(names))()
        for position, name in enumerate(names):
            if hasattr(self, name):
                table[position] = handler
        handle = ctypes.c_void_p()
        check(C.zdz_interpreter_create(table, len(names), None, ctypes.byref(handle)))
        address = int(handle.value or 0)
        self._handle: int | None = address
        self._pending: BaseException | None = None
        self._finalizer = weakref.finalize(self, _release, address, handler)

    def call_handler(self, position: int, packet: Any, length: int) -> int:
        """Runs the handler of position on the packet; nonzero stops the dispatch."""
        view = memoryview((ctypes.c_uint8 * length).from_address(ctypes.addressof(packet.contents))).cast("B")
        try:
            getattr(self, handler_names()[position - 1])(view)
        except StopDispatch:
            return 1
        except BaseException as error:
            self._pending = error
            return 1
        finally:
            view.release()
        return 0

    def interpret(self, packet: Packet) -> bool:
        """Dispatches one module packet (at least its 32-byte header) to the handlers it reaches;
        False when a handler stopped it. A bytearray sees the handlers' rewrites."""
        if self._handle is None:
            raise ValueError("the interpreter is closed")
        if isinstance(packet, bytearray):
            buffer = (ctypes.c_uint8 * len(packet)).from_buffer(packet)
        else:
            data = _packet_bytes(packet)
            buffer = (ctypes.c_uint8 * len(data)).from_buffer_copy(data)
        status = C.zdz_interpret(self._handle, buffer, len(buffer))
        pending, self._pending = self._pending, None
        if pending is not None:
            raise pending
        if status == K.ZDZ_E_STOPPED:
            return False
        check(status)
        return True

    def close(self) -> None:
        """Releases the library's interpreter; ZdzOrder from one of its own handlers."""
        if self._handle is not None:
            check(C.zdz_interpreter_release(self._handle))
            self._handle = None
            self._finalizer.detach()

    def __enter__(self) -> Interpreter:
        return self

    def __exit__(self, kind: type[BaseException] | None, error: BaseException | None,
                 trace: TracebackType | None) -> None:
        self.close()
