"""Errors carry the library's codes, and their texts name what they are about: the statement, the
file, section and product, the length needed, the file loaded twice; one row per error path."""

from __future__ import annotations

import pytest
from conftest import DEMO_STATIONS, DEMO_SETTINGS

import zodavudaz
from zodavudaz import ViewerProperty, live, sim


def unfiled(database: zodavudaz.Database, station: int, slot: int) -> zodavudaz.Module:
    return zodavudaz.Module(database.stations[station], slot)


# Each row: the call, its exception, and the library code it carries and/or the texts its message names.
@pytest.mark.parametrize(
    "call, error, expected",
    [
        (lambda db: db.stations[1].add_module(9, "ZOx", 0x100, 1).read(0), zodavudaz.ZdzUnknown, 502),
        (lambda db: db.stations[1].add_module(9, "ZOx", 0x100, 1).setting_query(0x10), zodavudaz.ZdzUnknown, 205),
        (lambda db: db.stations[1].modules[1].read(9), zodavudaz.ZdzNoWaveInfo, 302),
        (lambda db: unfiled(db, 1, 9).exec_module_test(), zodavudaz.ZdzRefused, 207),
        (lambda db: unfiled(db, 1, 2).product_id, zodavudaz.ZdzRefused, 0xFFFF),
        (lambda db: unfiled(db, 1, 2).channels, zodavudaz.ZdzUnknown, [-2, "station 1 has no module 2"]),
        (lambda db: db.add_station(1, "Again"), zodavudaz.ZdzExists, -11),
        (lambda db: db.stations[1].remove(), zodavudaz.ZdzOrder, -10),
        (lambda db: ViewerProperty.from_text("ChannelNumber x;"), zodavudaz.ZdzArgument, ['"ChannelNumber x"']),
        (lambda db: ViewerProperty.from_text("ChannelNumber 2;GridType;"), zodavudaz.ZdzArgument,
         ['statement 2 "GridType"']),
        (lambda db: ViewerProperty.from_text(""), zodavudaz.ZdzArgument, ["no statement"]),
        (lambda db: db.stations["Charlie"].modules[5].viewer_property(DEMO_SETTINGS / "Mardel.ini"),
         zodavudaz.ZdzNotFound, [str(DEMO_SETTINGS / "Mardel.ini"), "[StationCharlie-Module5]", '"ZO4e30"']),
        (lambda db: zodavudaz.decode_packet(b"\0" * 3), zodavudaz.ZdzArgument, ["3 bytes", "needs 32"]),
        (lambda db: sim.load_into(db, DEMO_STATIONS), zodavudaz.ZdzArgument,
         [str(DEMO_STATIONS), "station id 1 is already filed"]),
        (lambda db: setattr(ViewerProperty.create(4), "ChannelNumber", 9), zodavudaz.ZdzArgument,
         ["ChannelNumber 9", "4 channels"]),
        (lambda db: setattr(ViewerProperty.from_text("ChannelNumber 2;"), "Average", [1, 0, 1]),
         zodavudaz.ZdzArgument, ["Average", "ChannelNumber is 2; 3 given"]),
        (lambda db: ViewerProperty.create(2).get("Average", 5), zodavudaz.ZdzArgument, ["Average has no value 5"]),
        (lambda db: ViewerProperty.create(2).set("Gridtype", 2), KeyError, ["'Gridtype'", "GridType"]),
        (lambda db: db.add_station(3, "Empty").start(), zodavudaz.ZdzArgument, ["station 3 has no modules to start"]),
        (lambda db: live.advance(-1), zodavudaz.ZdzArgument, ["finite number of seconds, 0 or more, not -1"]),
        (lambda db: sim._release(), zodavudaz.ZdzOrder, ["is still filed: zdz_exit ends its modules first"]),
    ],
)
def test_errors_carry_the_library_code_and_name_their_subject(demo: zodavudaz.Database, call, error,
                                                             expected: int | list[int | str]) -> None:
    with pytest.raises(error) as raised:
        call(demo)
    for each in expected if isinstance(expected, list) else [expected]:
        assert raised.value.code == each if isinstance(each, int) else each in str(raised.value), str(raised.value)


def test_an_error_text_comes_from_the_failing_call_only(demo: zodavudaz.Database) -> None:
    with pytest.raises(zodavudaz.ZdzArgument):
        zodavudaz.decode_packet(b"\0" * 3)
    assert zodavudaz.unit_text(1) and zodavudaz.errors.last_error() == ""
