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
    """One thread's buffer and size output, made once. A call that the thread makes while it is
    already inside one (from a signal handler, a __del__, a finalizer or a GC callback) takes a
    buffer of its own, so that neither call sees the other's bytes or size."""

    def __init__(self) -> None:
        self.buffer = ctypes.create_string_buffer(INITIAL_BYTES)
        self.size = ctypes.c_uint32()
        self.size_pointer = ctypes.byref(self.size)
        self.busy = False


_scratch = _Scratch()


def _fill(buffer: Any, size: ctypes.c_uint32, size_pointer: Any, call: BufferCall,
          terminated: bool) -> tuple[bytes, Any]:
    """What call writes into buffer, or into a larger one where it needs one, never more bytes than
    the buffer holds; and the buffer it wrote."""
    while True:
        status: int = call(buffer, len(buffer), size_pointer)
        if status != K.ZDZ_E_BUFFER_TOO_SMALL:
            break
        if size.value > len(buffer):
            buffer = ctypes.create_string_buffer(size.value)
    check(status)
    length = size.value - 1 if terminated else size.value
    return ctypes.string_at(buffer, min(max(length, 0), len(buffer))), buffer


def read_into_buffer(call: BufferCall, terminated: bool) -> bytes:
    """What call writes, without the terminating zero of a text; a result that did not fit is
    asked again with room for the size the call gave (which may change in between)."""
    scratch = _scratch
    if scratch.busy:
        size = ctypes.c_uint32()
        return _fill(ctypes.create_string_buffer(INITIAL_BYTES), size, ctypes.byref(size), call, terminated)[0]
    scratch.busy = True
    try:
        data, scratch.buffer = _fill(scratch.buffer, scratch.size, scratch.size_pointer, call, terminated)
    finally:
        scratch.busy = False
    return data


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
