"""The front end's view model: each keyword rule and each assumption about stored values is a row."""

from __future__ import annotations

import math
from typing import Any

import pytest

from zodavudaz_frontend import viewmodel
from zodavudaz_frontend.viewmodel import ChannelFacts, Stored

NAN, INF = math.nan, math.inf
BASE = {"GridType": 1, "Left": 0, "Top": 0, "Right": 100, "Bottom": 100}
TWO_INT16 = [ChannelFacts("V", 0x10, 0.001, 100), ChannelFacts("V", 0x10, 0.001, 100)]
GROUP = {"Group": "Inputs", "CHID": [0, 1], "CHSTS": [1, 0], "MMIN": [-10.0, NAN], "MMAX": [10.0, 5.0],
         "CurrentColor": [0x0000FF, 0x01FF0000], "OtherColor": [0x808080, 0xFF000000]}


@pytest.mark.parametrize("word, expected", [
    (0x0000FF, "#ff0000"), (0x00FF00, "#00ff00"), (0xFF0000, "#0000ff"), (0x123456, "#563412"),
    (0x01000000, None), (0xFF0000FF, None), (-1, None), (None, None)])
def test_colour_word_has_red_in_its_low_byte_and_none_with_a_high_byte(word: Any, expected: str | None) -> None:
    assert viewmodel.colour(word) == expected


# A stored range, None (an auto range) where it cannot be one; the auto range of shown data.
@pytest.mark.parametrize("find, low, high, expected", [
    (viewmodel.value_range, -10.0, 10.0, [-10.0, 10.0]), (viewmodel.value_range, NAN, 1.0, None),
    (viewmodel.value_range, 0.0, INF, None), (viewmodel.value_range, 1.0, 1.0, None),
    (viewmodel.value_range, 2.0, 1.0, None), (viewmodel.auto_range, 0.0, 4.0, [0.0, 4.0]),
    (viewmodel.auto_range, 3.0, 3.0, [2.0, 4.0]), (viewmodel.auto_range, INF, -INF, [-1.0, 1.0])])
def test_value_ranges(find: Any, low: float, high: float, expected: list[float] | None) -> None:
    assert find(low, high) == expected


# Each row: stored keyword values, the view's field, what it must hold, and whether a note is due.
KEYWORD_ROWS = [
    ("grid dots", {"GridType": 2}, "grid", "dots", False),
    ("grid unknown", {"GridType": 9}, "grid", "lines", True),
    ("interpolation step", {"Interpolation": 1}, "interpolation", "step", False),
    ("interpolation unknown", {"Interpolation": 200}, "interpolation", "linear", True),
    ("labels off", {"Label": 0}, "labels", False, False),
    ("labels unknown", {"Label": 3}, "labels", True, True),
    ("no cursors", {"CursorType": 0, "VCursor1": 0.2}, "cursors", {"vertical": None, "horizontal": None}, False),
    ("time cursors as fractions", {"CursorType": 1, "VCursor1": 0.25, "VCursor2": 0.75}, "cursors",
     {"vertical": [0.25, 0.75], "horizontal": None}, False),
    ("level cursors kept on the plot", {"CursorType": 2, "HCursor1": -0.5, "HCursor2": 1.5}, "cursors",
     {"vertical": None, "horizontal": [0.0, 1.0]}, False),
    ("both cursors, NaN at its default", {"CursorType": 3, "VCursor1": NAN, "VCursor2": 0.5, "HCursor1": 0.1,
                                          "HCursor2": NAN}, "cursors",
     {"vertical": [0.0, 0.5], "horizontal": [0.1, 1.0]}, False),
    ("cursor type unknown", {"CursorType": 4}, "cursors", {"vertical": None, "horizontal": None}, True),
    ("time width in seconds", {"TimeWidth": 2.5}, "timeWidth", 2.5, False),
    ("time width zero is everything", {"TimeWidth": 0.0}, "timeWidth", None, False),
    ("time width NaN", {"TimeWidth": NAN}, "timeWidth", None, False),
    ("unsplit", {"Split": 0, "SplitRate": 0.3}, "split", None, False),
    ("split at its rate", {"Split": 1, "SplitRate": 0.3}, "split", 0.3, False),
    ("split rate kept within bounds", {"Split": 1, "SplitRate": 0.95}, "split", 0.9, False),
    ("split rate out of range", {"Split": 1, "SplitRate": 1.5}, "split", 0.5, False),
    ("split unknown", {"Split": 7}, "split", None, True),
    ("time in points", {"TimeFmt": 1}, "timeFormat", "points", False),
    ("time format unknown", {"TimeFmt": 5}, "timeFormat", "seconds", True),
    ("rectangle", {"Left": 10, "Top": 20, "Right": 300, "Bottom": 400}, "rect",
     {"left": 10, "top": 20, "right": 300, "bottom": 400}, False),
    ("rectangle off the page kept as stored", {"Left": -900, "Top": 5000, "Right": -100, "Bottom": 5400}, "rect",
     {"left": -900, "top": 5000, "right": -100, "bottom": 5400}, False),
    ("rectangle inverted", {"Left": 300, "Top": 20, "Right": 10, "Bottom": 400}, "rect", viewmodel.DEFAULT_RECT, True),
    ("current values per second", {"CVrate": 5}, "refreshRate", 5, False),
    ("undrawn keywords inspected", {"ReadoutType": 3, "Average": [0, 1]}, "inspector",
     {"ReadoutType": 3, "Average": [0, 1]}, False),
]


@pytest.mark.parametrize("values, field, expected, noted", [row[1:] for row in KEYWORD_ROWS],
                         ids=[row[0] for row in KEYWORD_ROWS])
def test_keyword_rule(values: dict[str, Any], field: str, expected: Any, noted: bool) -> None:
    view = viewmodel.build(Stored({**BASE, **values}), TWO_INT16)
    assert view[field] == expected
    assert bool(view["notes"]) == noted, view["notes"]


GROUP_ROWS = [
    ("current group counted from 0", [GROUP, {**GROUP, "Group": "Second"}], {"CurrentGr": 1}, "currentTab", 1, False),
    ("current group that does not exist", [GROUP], {"CurrentGr": 1}, "currentTab", 0, True),
    ("group names become tabs", [GROUP, {**GROUP, "Group": ""}], {}, "tab names", ["Inputs", "Group 2"], False),
    ("group channels, colours, visibility and ranges", [GROUP], {"ColorArray": [0x00FFFF]}, "channels", [
        {"channel": 0, "visible": True, "range": [-10.0, 10.0], "colour": "#ff0000", "otherColour": "#808080"},
        {"channel": 1, "visible": False, "range": None, "colour": "#ffff00", "otherColour": "#ffff00"}], False),
    ("empty entries left out", [{**GROUP, "CHID": [-1, 1]}], {}, "channel numbers", [1], False),
    ("entries naming no channel left out", [{**GROUP, "CHID": [0, 7]}], {}, "channel numbers", [0], True),
]


def _field(view: dict[str, Any], field: str) -> Any:
    channels = view["tabs"][view["currentTab"]]["channels"]
    return {"tab names": [tab["name"] for tab in view["tabs"]], "channels": channels,
            "channel numbers": [entry["channel"] for entry in channels]}.get(field, view.get(field))


@pytest.mark.parametrize("groups, values, field, expected, noted", [row[1:] for row in GROUP_ROWS],
                         ids=[row[0] for row in GROUP_ROWS])
def test_group_rule(groups: list[dict[str, Any]], values: dict[str, Any], field: str, expected: Any,
                    noted: bool) -> None:
    view = viewmodel.build(Stored({**BASE, "GrNum": len(groups), **values}, groups), TWO_INT16)
    assert _field(view, field) == expected
    assert bool(view["notes"]) == noted, view["notes"]


def test_without_stored_settings_every_channel_shows_with_the_defaults() -> None:
    view = viewmodel.build(None, TWO_INT16 + [ChannelFacts("A", 0x32, 0.01, 10)])
    assert [(entry["channel"], entry["visible"], entry["range"]) for entry in view["tabs"][0]["channels"]] == \
        [(0, True, None), (1, True, None), (2, True, None)]
    assert [entry["colour"] for entry in view["tabs"][0]["channels"]] == viewmodel.DEFAULT_PALETTE[:3]
    assert (view["grid"], view["interpolation"], view["cursors"], view["timeWidth"], view["split"], view["rect"]) == \
        ("lines", "linear", {"vertical": None, "horizontal": None}, None, None, viewmodel.DEFAULT_RECT)
    assert view["units"] == ["raw", "raw", "A"]
    assert view["notes"] and not view["stored"]
