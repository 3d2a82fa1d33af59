"""Control functions that need no module: unit texts, product names, stored multi-line texts."""

from __future__ import annotations

from ._arguments import u16, u32
from ._buffers import read_text
from ._library import C
from ._text import Text, decode, encode


def unit_text(code: int, text1: Text | None = None, text2: Text | None = None) -> str:
    """The text of a unit code, "?" for a code without one; the user units 0xFFF0 and 0xFFF1 take
    text1 (and text2)."""
    unit = u16(code, "unit code")
    if text1 is None and text2 is None:
        return decode(read_text(lambda text, capacity, size: C.zdz_zoc_get_unit_str(unit, text, capacity, size)))
    first = None if text1 is None else encode(text1, "text1")
    second = None if text2 is None else encode(text2, "text2")
    return decode(read_text(lambda text, capacity, size: C.zdz_zoc_get_unit_str_ex(unit, first, second, text, capacity,
                                                                                  size)))


def product_name_of(code: int) -> str:
    """"ZO%x" of the low 16 bits of a product code."""
    product = u32(code, "product code")
    return decode(read_text(lambda text, capacity, size: C.zdz_get_product_name_by_code(product, text, capacity,
                                                                                       size)))


def convert_term(text: Text) -> str:
    """A multi-line text in its one-line stored form: every CR and LF as ";" (";" for "")."""
    source = encode(text, "text")
    return decode(read_text(lambda target, capacity, size: C.zdz_convert_term(source, target, capacity, size)))


def reverse_term(text: Text) -> str:
    """A stored one-line text back: every ";;" as CR LF ("" for ";")."""
    source = encode(text, "text")
    return decode(read_text(lambda target, capacity, size: C.zdz_reverse_term(source, target, capacity, size)))
