"""Writes what the page changed through the library: a module window's placement, and a viewer's
record with its groups. Nothing is written where nothing changed, so loading and saving leaves
every file byte for byte as it was."""

from __future__ import annotations

import math
from typing import Any

import zodavudaz
from zodavudaz import ViewerProperty, WindowPlacement

from .errors import bad_request
from .library import Library

RECT_KEYWORDS = ("Left", "Top", "Right", "Bottom")
CURSOR_KEYWORDS = ("HCursor1", "HCursor2", "VCursor1", "VCursor2")
I32_RANGE = (-(2**31), 2**31 - 1)
# A new window's placement: shown normally, no minimised or maximised position.
NEW_PLACEMENT = WindowPlacement(0, 1, -1, -1, -1, -1, 0, 0, 0, 0)


def checked_rect(body: Any) -> dict[str, int]:
    """A rectangle from the page: four whole numbers within 32 bits, right of left and below top."""
    if not isinstance(body, dict) or set(body) != {"left", "top", "right", "bottom"}:
        raise bad_request("a rectangle needs exactly left, top, right and bottom")
    if not all(type(value) is int and I32_RANGE[0] <= value <= I32_RANGE[1] for value in body.values()):
        raise bad_request("a rectangle's sides are whole numbers within 32 bits")
    if body["right"] <= body["left"] or body["bottom"] <= body["top"]:
        raise bad_request("a rectangle's right and bottom lie beyond its left and top")
    return body


def move_module_window(library: Library, module: zodavudaz.Module, rect: dict[str, int]) -> bool:
    """Writes the module window's placement with its new rectangle (the rest kept); False when it
    was already there."""
    settings = zodavudaz.Settings(library.tmp)
    station, slot = module.ids()
    old = settings.module_window_placement(station, slot) or NEW_PLACEMENT
    new = WindowPlacement(old.flags, old.show_cmd, old.min_x, old.min_y, old.max_x, old.max_y, rect["left"],
                          rect["top"], rect["right"], rect["bottom"])
    if new == old:
        return False
    settings.set_module_window_placement(station, slot, new)
    return True


def checked_changes(body: Any) -> dict[str, Any]:
    """The viewer changes the page may send: its rectangle, its current group and its cursors."""
    if not isinstance(body, dict) or not set(body) <= {"rect", "currentGroup", "cursors"}:
        raise bad_request("a viewer change holds only rect, currentGroup and cursors")
    changes: dict[str, Any] = {}
    if "rect" in body:
        rect = checked_rect(body["rect"])
        changes.update(zip(RECT_KEYWORDS, (rect["left"], rect["top"], rect["right"], rect["bottom"])))
    if "currentGroup" in body:
        if type(body["currentGroup"]) is not int or not 0 <= body["currentGroup"] <= 0xFFFF:
            raise bad_request("currentGroup is a group number from 0")
        changes["CurrentGr"] = body["currentGroup"]
    if "cursors" in body:
        changes.update(_checked_cursors(body["cursors"]))
    return changes


def _checked_cursors(cursors: Any) -> dict[str, float]:
    if not isinstance(cursors, dict) or not set(cursors) <= set(CURSOR_KEYWORDS):
        raise bad_request(f"cursors are {', '.join(CURSOR_KEYWORDS)}")
    for value in cursors.values():
        if type(value) not in (int, float) or not math.isfinite(value) or not 0 <= value <= 1:
            raise bad_request("a cursor is a fraction of the plot from 0 to 1")
    return {name: float(value) for name, value in cursors.items()}


def _record(module: zodavudaz.Module, ini: str) -> ViewerProperty:
    """The stored record with its groups, or a new one for the module's channels."""
    try:
        return ViewerProperty.lookup(module, ini)
    except (zodavudaz.ZdzNotFound, zodavudaz.ZdzArgument):
        record = ViewerProperty.create(max(module.channels, 1))
        record.ChannelNumber = max(module.channels, 1)
        record.StationID, record.ModuleID = module.ids()
        return record


def _texts(record: ViewerProperty, product: str) -> dict[str, str]:
    """The viewer's own keys in the order they are written."""
    texts = {"Product": product, "Viewer": record.to_text()}
    texts.update((f"Group{group + 1}", record.group_to_text(group)) for group in range(len(record.groups)))
    return texts


def save_viewer(library: Library, module: zodavudaz.Module, changes: dict[str, Any]) -> list[str]:
    """Applies the changes to the stored record and, where they change any of its texts, writes all
    its keys in order, since the engine moves a rewritten key to its section's end. Gives the keys
    written."""
    settings = zodavudaz.Settings(library.ini)
    section = f"Station{module.station.name}-Module{module.id}"
    stored_product = settings.get(section, "Product")
    product = stored_product if stored_product and module.product_name in stored_product else module.product_name
    with _record(module, library.ini) as record:
        group_count = len(record.groups)
        if changes.get("CurrentGr", 0) >= max(group_count, 1):
            raise bad_request(f"the viewer has {group_count} groups")
        loaded = _texts(record, product)
        for keyword, value in changes.items():
            record.set(keyword, value)
        texts = _texts(record, product)
    if texts == loaded:
        return []
    for key, text in texts.items():
        settings.set(section, key, text)
    return list(texts)
