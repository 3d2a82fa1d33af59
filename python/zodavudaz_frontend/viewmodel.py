"""What a waveform viewer shows, derived from a module's stored viewer settings: each keyword with
a visual meaning has one function here, and every choice the stored values leave open sits in one
of them."""

from __future__ import annotations

import math
from dataclasses import dataclass, field
from typing import Any

# The shared grid every channel's range is mapped onto, in divisions.
DIVISIONS = 10
DEFAULT_PALETTE = ["#ffd700", "#00bfff", "#ff4040", "#40ff40", "#ff80ff", "#ffa500", "#ffffff", "#a0a0ff"]
DEFAULT_RECT = {"left": 60, "top": 60, "right": 760, "bottom": 460}
GRIDS = {0: "none", 1: "lines", 2: "dots"}
INTERPOLATIONS = {0: "linear", 1: "step", 2: "points"}
CURSORS = {0: (False, False), 1: (True, False), 2: (False, True), 3: (True, True)}
TIME_FORMATS = {0: "seconds", 1: "points", 2: "clock"}
SPLIT_DEFAULT_RATE = 0.5
# Keywords the viewer draws from; every other stored keyword shows in the settings inspector.
DRAWN = {"GrNum", "GrChNum", "CurrentGr", "GridType", "Interpolation", "Label", "CursorType", "HCursor1", "HCursor2",
         "VCursor1", "VCursor2", "TimeWidth", "Split", "SplitRate", "TimeFmt", "Left", "Top", "Right", "Bottom",
         "ColorArray", "CVrate", "ChannelNumber"}
# Type codes of integer samples, which the front end shows unscaled.
INTEGER_TYPES = {0x00, 0x01, 0x10, 0x11, 0x20, 0x21}


@dataclass
class ChannelFacts:
    """What the module's wave information says of one channel."""

    unit: str = ""
    data_type: int = 0x10
    interval: float | None = None
    points: int = 0


@dataclass
class Stored:
    """A viewer record's keyword values, and its groups' columns, as plain Python values."""

    values: dict[str, Any] = field(default_factory=dict)
    groups: list[dict[str, Any]] = field(default_factory=list)


class Notes(list[str]):
    """What the inspector says about stored values drawn otherwise than they read."""

    def choose(self, table: dict[int, Any], keyword: str, value: Any, default: int) -> Any:
        """table's entry for value; the default's, with a note, for a value the table lacks."""
        if isinstance(value, int) and value in table:
            return table[value]
        self.append(f"{keyword} {value} is unknown: drawn as {keyword} {default}")
        return table[default]


def colour(word: Any) -> str | None:
    """The platform's colour word, red in the low byte (0x0000FF is red), as "#rrggbb"; None for a
    word with a non-zero high byte, which gives no colour."""
    if not isinstance(word, int) or word < 0 or word >> 24:
        return None
    return f"#{word & 0xFF:02x}{word >> 8 & 0xFF:02x}{word >> 16 & 0xFF:02x}"


def channel_colour(stored_word: Any, colour_array: list[int], index: int) -> str:
    """A channel's trace colour: its group's colour, else ColorArray's entry at its position, else
    the default palette's."""
    own = colour(stored_word)
    if own is not None:
        return own
    if colour_array:
        listed = colour(colour_array[index % len(colour_array)])
        if listed is not None:
            return listed
    return DEFAULT_PALETTE[index % len(DEFAULT_PALETTE)]


def value_range(low: Any, high: Any) -> list[float] | None:
    """A channel's stored range; None (an auto range) for NaN, an infinity or low ≥ high."""
    if not all(isinstance(each, (int, float)) and math.isfinite(each) for each in (low, high)) or low >= high:
        return None
    return [float(low), float(high)]


def auto_range(low: float, high: float) -> list[float]:
    """The range of data from low to high; a flat trace gets one unit either side."""
    if not (math.isfinite(low) and math.isfinite(high)):
        return [-1.0, 1.0]
    return [low - 1.0, high + 1.0] if low == high else [low, high]


def envelope_middle(low: Any, high: Any) -> Any:
    """The trace line drawn inside a min/max envelope: its middle."""
    return (low + high) / 2


def cursor_fraction(value: Any, default: float) -> float:
    """A cursor's position as a fraction of the plot, 0 at the left or bottom, kept on the plot."""
    if not isinstance(value, (int, float)) or not math.isfinite(value):
        return default
    return min(max(float(value), 0.0), 1.0)


def cursors(values: dict[str, Any], notes: Notes) -> dict[str, list[float] | None]:
    """CursorType's cursors: vertical ones (VCursor1/2, readouts Δt and 1/Δt) and horizontal ones
    (HCursor1/2, readout ΔV)."""
    vertical, horizontal = notes.choose(CURSORS, "CursorType", values.get("CursorType", 0), 0)

    def pair(first: str, second: str) -> list[float]:
        return [cursor_fraction(values.get(first), 0.0), cursor_fraction(values.get(second), 1.0)]
    return {"vertical": pair("VCursor1", "VCursor2") if vertical else None,
            "horizontal": pair("HCursor1", "HCursor2") if horizontal else None}


def time_width(value: Any) -> float | None:
    """TimeWidth in seconds; None (the whole acquisition) for zero, a negative or a non-number."""
    if not isinstance(value, (int, float)) or not math.isfinite(value) or value <= 0:
        return None
    return float(value)


def split(values: dict[str, Any], notes: Notes) -> float | None:
    """Split's upper pane share of the height (SplitRate, kept within 0.1 to 0.9); None unsplit."""
    if not notes.choose({0: False, 1: True}, "Split", values.get("Split", 0), 0):
        return None
    rate = values.get("SplitRate")
    if not isinstance(rate, (int, float)) or not math.isfinite(rate) or rate <= 0 or rate >= 1:
        return SPLIT_DEFAULT_RATE
    return min(max(float(rate), 0.1), 0.9)


def current_group(value: Any, groups: int, notes: Notes) -> int:
    """CurrentGr, counted from 0; the first group for one that does not exist."""
    if isinstance(value, int) and 0 <= value < max(groups, 1):
        return value
    notes.append(f"CurrentGr {value} names no group: the first is shown")
    return 0


def rectangle(values: dict[str, Any], notes: Notes) -> dict[str, int]:
    """The viewer's window rectangle; the default one for an empty or inverted rectangle."""
    given = {name.lower(): values.get(name) for name in ("Left", "Top", "Right", "Bottom")}
    rect = {name: value for name, value in given.items() if isinstance(value, int)}
    if len(rect) < len(given) or rect["right"] <= rect["left"] or rect["bottom"] <= rect["top"]:
        notes.append("the stored rectangle is empty: the default one is used")
        return dict(DEFAULT_RECT)
    return rect


def refresh_rate(value: Any) -> int:
    """CVrate as current-value refreshes per second; 0 means once, when the panel opens."""
    return value if isinstance(value, int) and value > 0 else 0


def unit_label(facts: ChannelFacts) -> str:
    """The unit a channel's values are shown in: integer samples, unscaled, are labelled raw."""
    return "raw" if facts.data_type in INTEGER_TYPES else facts.unit


def group_channels(group: dict[str, Any], channels: int, colour_array: list[int], notes: Notes) -> list[dict[str, Any]]:
    """A group's channels: each entry whose CHID names a channel of the module, in the group's order."""
    shown = []
    columns = [group.get(name) or [] for name in ("CHID", "CHSTS", "MMIN", "MMAX", "CurrentColor", "OtherColor")]
    for position, (chid, status, low, high, current, other) in enumerate(zip(*columns)):
        if chid == -1:
            continue
        if not 0 <= chid < channels:
            notes.append(f"CHID {chid} of group {group.get('Group', '')!r} names no channel: left out")
            continue
        shown.append({"channel": chid, "visible": status != 0, "range": value_range(low, high),
                      "colour": channel_colour(current, colour_array, position),
                      "otherColour": colour(other) or channel_colour(current, colour_array, position)})
    return shown


def every_channel(channels: int, colour_array: list[int]) -> list[dict[str, Any]]:
    """Each channel shown, auto ranged, in ColorArray's or the default palette's colours."""
    return [{"channel": each, "visible": True, "range": None, "colour": channel_colour(None, colour_array, each),
             "otherColour": channel_colour(None, colour_array, each)} for each in range(channels)]


def tabs(stored: Stored, channels: int, notes: Notes) -> list[dict[str, Any]]:
    """The viewer's tabs: one per stored group, or one of every channel when none is stored."""
    colour_array = [each for each in stored.values.get("ColorArray") or [] if isinstance(each, int)]
    if not stored.groups:
        return [{"name": "All channels", "channels": every_channel(channels, colour_array)}]
    return [{"name": group.get("Group") or f"Group {index + 1}",
             "channels": group_channels(group, channels, colour_array, notes)}
            for index, group in enumerate(stored.groups)]


def inspector(stored: Stored) -> dict[str, Any]:
    """The stored keywords the viewer does not draw from, for the read-only settings inspector."""
    return {name: value for name, value in stored.values.items() if name not in DRAWN}


def build(stored: Stored | None, facts: list[ChannelFacts]) -> dict[str, Any]:
    """The whole view of one module's viewer: from its stored settings, or with none the defaults
    (every channel, auto ranges, lines, no cursors, the whole acquisition)."""
    notes = Notes()
    if stored is None:
        notes.append("no stored viewer settings: every channel with the defaults")
        stored = Stored()
    values = stored.values
    return {
        "stored": bool(values),
        "tabs": tabs(stored, len(facts), notes),
        "currentTab": current_group(values.get("CurrentGr", 0), len(stored.groups), notes),
        "grid": notes.choose(GRIDS, "GridType", values.get("GridType", 1), 1),
        "interpolation": notes.choose(INTERPOLATIONS, "Interpolation", values.get("Interpolation", 0), 0),
        "labels": notes.choose({0: False, 1: True}, "Label", values.get("Label", 1), 1),
        "cursors": cursors(values, notes),
        "timeWidth": time_width(values.get("TimeWidth")),
        "split": split(values, notes),
        "timeFormat": notes.choose(TIME_FORMATS, "TimeFmt", values.get("TimeFmt", 0), 0),
        "rect": rectangle(values, notes) if values else dict(DEFAULT_RECT),
        "refreshRate": refresh_rate(values.get("CVrate", 0)),
        "units": [unit_label(each) for each in facts],
        "divisions": DIVISIONS,
        "inspector": inspector(stored),
        "notes": notes,
    }
