"""Caller buffers for the C functions that write text or bytes: one per thread, large enough for
most results, so that a call is made once, and grown to the size a call asks for."""

from __future__ import annotations

import ctypes
import threading
from collections.abc import Callable
from typing import Any

from . import _c_constants as K
from ._c_functions import CFunction
from .errors import check

INITIAL_BYTES = 4096

# A buffer call: (buffer, capacity, pointer to the size) -> status.
BufferCall = Callable[[Any, int, Any], Any]

_TOO_SMALL = K.ZDZ_E_BUFFER_TOO_SMALL


class _Buffer:
    """A buffer and its size output, grown to the size a call asks for."""

    def __init__(self) -> None:
        self.buffer = ctypes.create_string_buffer(INITIAL_BYTES)
        self.size = ctypes.c_uint32()
        self.size_pointer = ctypes.byref(self.size)
        self.busy = False

    def fill(self, call: CFunction, arguments: tuple[Any, ...], terminated: bool) -> bytes:
        """What call(*arguments, buffer, capacity, size pointer) writes, never more bytes than the
        buffer holds."""
        buffer: Any = self.buffer  # its slices are bytes
        status: int = call(*arguments, buffer, len(buffer), self.size_pointer)
        while status == _TOO_SMALL:
            if self.size.value > len(buffer):
                buffer = self.buffer = ctypes.create_string_buffer(self.size.value)
            status = call(*arguments, buffer, len(buffer), self.size_pointer)
        if status:
            check(status)
        length = self.size.value - terminated
        # Slicing stops at the buffer's end whatever the size says.
        data: bytes = buffer[:length] if length > 0 else b""
        return data


class _Scratch(threading.local, _Buffer):
    """One thread's buffer, made once. A call that the thread makes while it is already inside one
    (from a signal handler, a __del__, a finalizer or a GC callback) takes a buffer of its own, so
    that neither call sees the other's bytes or size."""


_scratch = _Scratch()


def read_into_buffer(call: CFunction, arguments: tuple[Any, ...], terminated: bool) -> bytes:
    """What call(*arguments, buffer, capacity, size pointer) writes, without the terminating zero
    of a text; a result that did not fit is asked again with room for the size the call gave
    (which may change in between)."""
    scratch = _scratch
    if scratch.busy:
        return _Buffer().fill(call, arguments, terminated)
    scratch.busy = True
    try:
        return scratch.fill(call, arguments, terminated)
    finally:
        scratch.busy = False


def read_text(call: BufferCall) -> bytes:
    """A text out of call, as read_into_buffer."""
    return read_into_buffer(call, (), terminated=True)


def read_text_of(function: CFunction, *arguments: Any) -> bytes:
    """The text function(*arguments, buffer, capacity, size pointer) writes, as read_into_buffer:
    the form for the calls made most often, without a closure."""
    return read_into_buffer(function, arguments, terminated=True)


def read_bytes(call: BufferCall) -> bytes:
    """Bytes out of call, as read_into_buffer."""
    return read_into_buffer(call, (), terminated=False)


def read_value(function: CFunction, kind: type[ctypes._SimpleCData[int]], *arguments: int) -> int:
    """The number function(*arguments, pointer) writes through its last argument, of C type kind."""
    value = kind()
    check(function(*arguments, ctypes.byref(value)))
    return int(value.value)


def read_ids(call: BufferCall) -> list[int]:
    """The ids a list call gives, asked again with room for them all while they do not fit."""
    count = ctypes.c_uint32(64)
    while True:
        ids = (ctypes.c_uint16 * max(count.value, 1))()
        status: int = call(ids, len(ids), ctypes.byref(count))
        if status != K.ZDZ_E_BUFFER_TOO_SMALL:
            break
    check(status)
    return list(ids[: count.value])
