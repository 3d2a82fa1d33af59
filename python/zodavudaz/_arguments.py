"""Checks of Python values before they become C arguments: ctypes cuts an integer to its field
without a word, which would turn a wrong id into another one."""

from __future__ import annotations

import operator


def whole(value: object, what: str) -> int:
    """value as an int: an int or what stands for one (a NumPy integer), never a float."""
    try:
        return operator.index(value)  # type: ignore[arg-type]
    except TypeError:
        raise TypeError(f"{what} must be an integer, not {type(value).__name__}") from None


def _integer(value: object, what: str, lowest: int, highest: int) -> int:
    number = whole(value, what)
    if not lowest <= number <= highest:
        raise ValueError(f"{what} {number} is outside {lowest} to {highest}")
    return number


def u8(value: object, what: str) -> int:
    return _integer(value, what, 0, 0xFF)


def u16(value: object, what: str) -> int:
    return _integer(value, what, 0, 0xFFFF)


def i16(value: object, what: str) -> int:
    return _integer(value, what, -0x8000, 0x7FFF)


def i32(value: object, what: str) -> int:
    return _integer(value, what, -0x80000000, 0x7FFFFFFF)


def u32(value: object, what: str) -> int:
    return _integer(value, what, 0, 0xFFFFFFFF)
