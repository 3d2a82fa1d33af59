"""Viewer settings: the demo's stored lines round-trip byte for byte, keyword values agree with
what `zdz viewer show` lists, and attributes set what they name."""

from __future__ import annotations

import math
import os
import shlex
import subprocess
from pathlib import Path

import pytest
from conftest import DEMO_SETTINGS

import zodavudaz
from zodavudaz import _c_constants as K
from zodavudaz import ViewerProperty

MARDEL_INI = DEMO_SETTINGS / "Mardel.ini"


def stored_sections() -> dict[str, dict[str, bytes]]:
    """The sections of the demo's Mardel.ini with their keys, as bytes."""
    sections: dict[str, dict[str, bytes]] = {}
    current: dict[str, bytes] = {}
    for line in MARDEL_INI.read_bytes().split(b"\r\n"):
        if line.startswith(b"["):
            current = sections.setdefault(line[1:-1].decode("ascii"), {})
        elif b"=" in line:
            key, value = line.split(b"=", 1)
            current[key.decode("ascii")] = value
    return {name: keys for name, keys in sections.items() if "Viewer" in keys}


SECTIONS = stored_sections()


def zdz_tool() -> str:
    return os.environ.get("ZDZ_TOOL") or str(Path(os.environ["ZDZ_LIBRARY_DIR"]) / "tools" / "zdz")


def read_record(keys: dict[str, bytes]) -> ViewerProperty:
    record = ViewerProperty.from_text(keys["Viewer"])
    for group in range(record.GrNum):  # type: ignore[arg-type]
        record.group_from_text(keys[f"Group{group + 1}"])
    return record


def same(listed: list[str], keyword: zodavudaz.Keyword, value: object) -> bool:
    """Whether value is what zdz listed: texts as shown (byte 14 as blanks), numbers as read; compared by
    repr, under which a NaN equals a NaN."""
    values = value if isinstance(value, list) else [value]
    if keyword.form == K.ZDZ_VIEWER_TEXT:
        expected: list[object] = list(listed)
    else:
        expected = [keyword.parse(word.encode("ascii")) for word in listed]
    return list(map(repr, values)) == list(map(repr, expected))


@pytest.mark.parametrize("section", ["StationAlpha-Module1", "StationAlpha-Module3", "StationBravo-Module2"])
def test_stored_lines_round_trip_byte_for_byte_and_hold_what_zdz_lists(section: str) -> None:
    shown = subprocess.run([zdz_tool(), "viewer", "show", str(MARDEL_INI), section], check=True,
                           capture_output=True).stdout.decode("latin-1").splitlines()
    keywords = zodavudaz.keywords()
    keys = SECTIONS[section]
    group = -1
    compared = 0
    with read_record(keys) as record:
        assert record.to_text().encode("latin-1") == keys["Viewer"]
        for index in range(len(record.groups)):
            assert record.group_to_text(index).encode("latin-1") == keys[f"Group{index + 1}"]
        for line in shown:
            words = shlex.split(line)
            if line.startswith("Group"):
                group = int(words[0][len("Group"):]) - 1
                assert record.groups[group].Group == " ".join(words[1:])
            elif line.startswith("  "):
                assert same(words[1:], keywords[words[0]], record.get(words[0], group)), line
            else:
                assert same(words[1:], keywords[words[0]], record.get(words[0])), line
            compared += 1
    assert compared == len(shown) >= 54


def test_attributes_read_and_set_keywords() -> None:
    with ViewerProperty.create(3) as record:
        assert record.ChannelNumber == 3  # the C function leaves it 0, which hides every per-channel value
        record.GridType = 2
        record.SplitRate = 0.25
        record.Average = [1, 0, 1]
        record.set("Average", 0, index=2)
        record.MathLabel = ["a b", "", "c"]
        record.CurrentPlane = 0x7F
        record.HCursor1 = float("nan")
        record.ColorArray = [0x123456]  # a count the record sets: a list even of one
        assert (record.GridType, record.SplitRate, record.Average) == (2, 0.25, [1, 0, 0])
        assert record.get("Average", 0) == 1 and record.MathLabel == ["a b", "", "c"]
        assert math.isnan(record.HCursor1)  # type: ignore[arg-type]
        assert record.ColorArray == [0x123456] and record.CurrentPlane == 0x7F
        text = record.to_text()
        assert ";GridType 2;" in text and ";ColorArray 0x123456;" in text and ";MathLabel a\x0eb \x0e c;" in text and ";Average 1 0 0;" in text
        with ViewerProperty.from_text(text) as again:
            assert again.to_text() == text


def test_groups_read_and_set_their_columns() -> None:
    with read_record(SECTIONS["StationBravo-Module2"]) as record:
        group = record.groups[0]
        assert (group.Group, group.CHID, group.MMAX, group.CurrentColor) == ("Inputs", [0, 1], [10.0, 10.0],
                                                                             [0xFF0000, 0xFF00])
        group.MMIN = [-5, -2.5]
        group.Group = "Two words"
        assert record.group_to_text(0).startswith("Group1 Two\x0ewords;CHID 0 1;CHSTS 1 1;MMIN -5.000000e+00 ")


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda record: record.NoSuchKeyword, AttributeError),
        (lambda record: setattr(record, "Gridtype", 2), AttributeError),  # never a plain attribute
        (lambda record: record.set("NoSuchKeyword", 1), KeyError),
        (lambda record: record.get("NoSuchKeyword"), KeyError),
        (lambda record: record.set("ChannelNumber", 3), zodavudaz.ZdzArgument),  # made for 2 channels
        (lambda record: record.set("GridType", "2"), TypeError),
        (lambda record: record.set("GridType", 2.5), TypeError),
        (lambda record: record.set("SplitRate", "0.5"), TypeError),
        (lambda record: record.set("MathLabel", 3), TypeError),
        (lambda record: record.set("MathLabel", "a;b"), zodavudaz.ZdzArgument),
        (lambda record: record.get("Average", 9), zodavudaz.ZdzArgument),
        (lambda record: record.group_to_text(0), zodavudaz.ZdzArgument),
    ],
)
def test_bad_values_raise(call, error) -> None:
    with ViewerProperty.create(2) as record:
        with pytest.raises(error):
            call(record)
