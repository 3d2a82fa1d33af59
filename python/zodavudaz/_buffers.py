"""Caller buffers for the C functions that write text or bytes: one per thread, large enough for
most results, so that a call is made once, and grown to the size a call asks for."""

from __future__ import annotations

import ctypes
import threading
from collections.abc import Callable
from typing import Any

from . import _c_constants as K
from .errors import check

INITIAL_BYTES = 4096

# A buffer call: (buffer, capacity, pointer to the size) -> status.
BufferCall = Callable[[Any, int, Any], Any]

_local = threading.local()


def _buffer(size: int) -> ctypes.Array[ctypes.c_char]:
    buffer: ctypes.Array[ctypes.c_char] | None = getattr(_local, "buffer", None)
    if buffer is None or len(buffer) < size:
        buffer = ctypes.create_string_buffer(max(size, INITIAL_BYTES))
        _local.buffer = buffer
    return buffer


def read_into_buffer(call: BufferCall, terminated: bool) -> bytes:
    """What call writes, without the terminating zero of a text; a result that did not fit is
    asked again with room for the size the call gave (which may change in between)."""
    size = ctypes.c_uint32()
    buffer = _buffer(INITIAL_BYTES)
    while True:
        status: int = call(buffer, len(buffer), ctypes.byref(size))
        if status != K.ZDZ_E_BUFFER_TOO_SMALL:
            break
        buffer = _buffer(size.value)
    check(status)
    length = size.value - 1 if terminated else size.value
    return ctypes.string_at(buffer, max(length, 0))


def read_text(call: BufferCall) -> bytes:
    """A text out of call, as read_into_buffer."""
    return read_into_buffer(call, terminated=True)


def read_bytes(call: BufferCall) -> bytes:
    """Bytes out of call, as read_into_buffer."""
    return read_into_buffer(call, terminated=False)


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
