"""A module's GUI filters: values filed under a number or a name."""

from __future__ import annotations

import ctypes
from typing import TYPE_CHECKING

from . import _c_constants as K
from ._arguments import u16
from ._library import C
from ._text import Text, encode
from .errors import check

if TYPE_CHECKING:
    from .modules import Module


class GuiFilters:
    """filters[number or name] reads a value (KeyError when none is filed), assigning files one,
    del removes it, clear() removes them all. The library does not list them."""

    __slots__ = ("module",)

    def __init__(self, module: Module) -> None:
        self.module = module

    def __getitem__(self, key: int | Text) -> int:
        station, module = self.module.ids()
        value = ctypes.c_uint16()
        if isinstance(key, int):
            status = C.zdz_get_gui_filter(station, module, u16(key, "filter number"), ctypes.byref(value))
        else:
            status = C.zdz_get_named_gui_filter(station, module, encode(key, "filter name"), ctypes.byref(value))
        if status == K.ZDZ_E_NOT_FOUND:
            raise KeyError(key)
        check(status)
        return value.value

    def __setitem__(self, key: int | Text, value: int) -> None:
        station, module = self.module.ids()
        checked = u16(value, "filter value")
        if isinstance(key, int):
            check(C.zdz_add_gui_filter(station, module, u16(key, "filter number"), checked))
        else:
            check(C.zdz_add_named_gui_filter(station, module, encode(key, "filter name"), checked))

    def __delitem__(self, key: int | Text) -> None:
        """Removes the filter; nothing happens when there is none."""
        station, module = self.module.ids()
        if isinstance(key, int):
            check(C.zdz_remove_gui_filter(station, module, u16(key, "filter number")))
        else:
            check(C.zdz_remove_named_gui_filter(station, module, encode(key, "filter name")))

    def get(self, key: int | Text) -> int | None:
        try:
            return self[key]
        except KeyError:
            return None

    def clear(self) -> None:
        check(C.zdz_remove_all_gui_filter(*self.module.ids()))
