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

class _Scratch(threading.local):
    """One thread's buffer and size output, made once: the C calls that fill them never call back
    into Python, so no call of the thread uses them while another does."""

    def __init__(self) -> None:
        self.buffer = ctypes.create_string_buffer(INITIAL_BYTES)
        self.size = ctypes.c_uint32()
        self.size_pointer = ctypes.byref(self.size)

    def grow(self, size: int) -> None:
        if size > len(self.buffer):
            self.buffer = ctypes.create_string_buffer(size)


_scratch = _Scratch()


def read_into_buffer(call: BufferCall, terminated: bool) -> bytes:
    """What call writes, without the terminating zero of a text; a result that did not fit is
    asked again with room for the size the call gave (which may change in between)."""
    scratch = _scratch
    while True:
        buffer = scratch.buffer
        status: int = call(buffer, len(buffer), scratch.size_pointer)
        if status != K.ZDZ_E_BUFFER_TOO_SMALL:
            break
        scratch.grow(scratch.size.value)
    check(status)
    length = scratch.size.value - 1 if terminated else scratch.size.value
    return ctypes.string_at(buffer, max(length, 0))


def read_text(call: BufferCall) -> bytes:
    """A text out of call, as read_into_buffer."""
    return read_into_buffer(call, terminated=True)


def read_bytes(call: BufferCall) -> bytes:
    """Bytes out of call, as read_into_buffer."""
    return read_into_buffer(call, terminated=False)


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
