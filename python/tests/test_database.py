"""The database's with block and virtual stations in both nestings, look-ups and facts of the
demo's stations, and bad Python input refused before any call."""

from __future__ import annotations

import contextlib
import warnings

import numpy as np
import pytest
from conftest import DEMO_STATIONS

import zodavudaz
from zodavudaz.sim import virtual_stations


@pytest.fixture
def releases(monkeypatch: pytest.MonkeyPatch) -> list[bool]:
    """Records each release of virtual stations: whether the database was still open then."""
    seen: list[bool] = []
    release = zodavudaz.sim._release

    def recorded() -> None:
        database = zodavudaz.database.current_database()
        seen.append(database is not None)
        release()

    monkeypatch.setattr(zodavudaz.sim, "_release", recorded)
    return seen


class Boom(Exception):
    pass


@pytest.mark.parametrize("raise_in", [None, "stations", "database"])
def test_stations_are_released_after_the_database_ends_even_on_an_exception(raise_in: str | None,
                                                                            releases: list[bool]) -> None:
    with pytest.raises(Boom) if raise_in else contextlib.nullcontext():
        with zodavudaz.Database() as database:
            with virtual_stations(DEMO_STATIONS) as loaded:
                assert sorted(station.id for station in loaded) == [0, 1, 2, 16]
                if raise_in == "stations":
                    raise Boom
            assert len(database.stations) == 4 and releases == []  # filed until the database ends
            if raise_in == "database":
                raise Boom
    assert zodavudaz.database.current_database() is None and releases == [False]
    with zodavudaz.Database() as database:
        assert len(database.stations) == 0


def test_virtual_stations_outside_a_database_raise_before_loading() -> None:
    with pytest.raises(zodavudaz.ZdzOrder):
        with virtual_stations(DEMO_STATIONS):
            with zodavudaz.Database():
                pass
    with zodavudaz.Database() as database:
        assert len(database.stations) == 0


def test_objects_of_a_closed_database_refuse_every_use() -> None:
    database = zodavudaz.Database()
    with database:
        with virtual_stations(DEMO_STATIONS):
            station = database.stations[1]
            module = station.modules[1]
    with database, virtual_stations(DEMO_STATIONS):  # the same object again: another block
        for use in (lambda: station.name, lambda: module.channels, lambda: module.read(0),
                    lambda: station.modules, lambda: station.slot(1).module_exists):
            with pytest.raises(ValueError):
                use()


# The demo's stations as its description file gives them.
DEMO_FACTS = [
    (1, "Alpha", "ZI400-A", 4, {1: ("ZO4a21", 0x4A2100, 4), 3: ("ZO4b10", 0x4B1000, 2)}),
    (2, "Bravo", "RA800-B", 8, {1: ("ZO4c01", 0x4C0100, 8), 2: ("ZO4d02", 0x4D0200, 16), 3: ("ZO4d02", 0x4D0200, 16),
                                4: ("ZO4d02", 0x4D0200, 16), 0x12: ("ZO4d02", 0x4D0200, 16)}),
    (16, "Charlie", "RA800-C", 8, {5: ("ZO4e30", 0x4E3000, 1)}),
    (0, "FrontEnds", "", 0, {0x10: ("ZO1", 0x100, 0)}),
]


@pytest.mark.parametrize("station_id, name, model, max_slot, modules", DEMO_FACTS)
def test_stations_and_modules_carry_their_facts(demo, station_id, name, model, max_slot, modules) -> None:
    station = demo.stations[station_id]
    assert demo.stations[name] == station and name in demo.stations and station_id in demo.stations
    assert (station.name, station.model, station.max_slot) == (name, model, max_slot)
    assert sorted(module.id for module in station.modules) == sorted(modules)
    for module_id, (product, word, channels) in modules.items():
        module = station.modules[module_id]
        assert (module.product_name, module.product_word, module.channels) == (product, word, channels)
        assert module.product_id == word >> 8
    assert station.modules[modules[min(modules)][0]].product_name == modules[min(modules)][0]


@pytest.mark.parametrize("key", [99, "Nobody", b"Nobody", 0xFFFF])
def test_missing_stations_are_key_errors(demo: zodavudaz.Database, key) -> None:
    with pytest.raises(KeyError):
        demo.stations[key]
    assert demo.stations.get(key) is None and key not in demo.stations


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda db: db.stations[70000], ValueError),  # ctypes would cut it to station 4464
        (lambda db: db.stations[-1], ValueError),
        (lambda db: db.stations[5.0], TypeError),
        (lambda db: db.stations[None], TypeError),
        (lambda db: db.stations[1].modules[0x10001], ValueError),  # would be module 1
        (lambda db: db.stations[1].modules[1].read("0"), TypeError),
        (lambda db: db.stations[1].modules[1].read(0, points=-1), ValueError),
        (lambda db: db.stations[1].modules[1].read(0, direction=3), ValueError),
        (lambda db: db.stations[1].modules[1].read(-1), ValueError),  # would read channel 0's samples
        (lambda db: db.stations[1].modules[1].read_into(np.zeros((4, 2), np.int16), -1), ValueError),
        (lambda db: db.stations[1].modules[1].read(0, 0, 4, 2), TypeError),  # direction by keyword only
        (lambda db: db.stations[1].modules[1].read_into(np.zeros((4, 2), np.int16), 0, 0, 4), TypeError),
        (lambda db: db.stations["Alp\0ha"], ValueError),
        (lambda db: db.add_station(0x10005, "Five"), ValueError),
        (lambda db: db.stations[1].set_slot(2, True, 256), ValueError),
        (lambda db: db.set_flag(99, 1), ValueError),
    ],
)
def test_bad_python_input_is_refused_before_the_call(demo: zodavudaz.Database, call, error) -> None:
    with pytest.raises(error):
        call(demo)


def test_stations_filed_from_python(database: zodavudaz.Database) -> None:
    station = database.add_station(40, "Desk", "ZI400-D")
    station.set_slot(1, True, 1, 1)
    station.set_slot(2, True, 0, 1)
    station.set_slot(3, True)
    module = station.add_module(1, "ZOq", 0x2A00, 6)
    assert (station.max_slot, station.slot(1).is_master, station.slot(3).master) == (4, True, 1)
    assert (station.slot(2).connect_status, station.slot(2).is_master, station.slot(3).connect_no) == (1, False, 2)
    assert (station.slot(1).connect_num, station.slot(2).is_term, station.slot(3).is_term) == (3, False, True)
    assert (station.slot(3).module_exists, station.slot(4).module_exists, station.slot(4).master) == (True, False, 4)
    assert (module.channels, module.product_id, module.name) == (6, 0x2A, "Slot 1 ZOq")
    with pytest.raises(zodavudaz.ZdzOrder):
        station.remove()
    database.add_station(41, "Spare").remove()
    assert [each.id for each in database.stations] == [40]


def test_filters_by_number_and_name(demo: zodavudaz.Database) -> None:
    filters = demo.stations[1].modules[1].filters
    filters[3] = 30
    filters["Gain"] = 7
    assert (filters[3], filters["Gain"], filters.get(4), filters.get("gain")) == (30, 7, None, None)
    del filters[3]
    assert filters.get(3) is None and filters["Gain"] == 7
    filters.clear()
    with pytest.raises(KeyError):
        filters["Gain"]


def test_stored_state_that_cannot_be_read_leaves_the_defaults_with_a_warning(demo: zodavudaz.Database,
                                                                            tmp_path) -> None:
    station = demo.stations["Alpha"]
    with pytest.warns(zodavudaz.ZdzDefaultsWarning, match="cannot be read.*took its defaults"):
        assert station.update_from_settings(tmp_path) == ""  # a folder
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert station.update_from_settings(tmp_path / "missing.tmp") == ""  # nothing stored is no fault


def test_modules_come_in_id_order_and_reprs_name_things(database: zodavudaz.Database) -> None:
    station = database.add_station(40, "Desk", "RA800-D")
    for module in (0xF1, 0x41, 2, 0x1001, 0x17):  # the map walks them as 2, 0x17, 0x1001, 0x41, 0xF1
        station.add_module(module, "ZOq", 0x2A00, 2)
    assert [module.id for module in station.modules] == [2, 0x17, 0x41, 0xF1, 0x1001]
    assert station.modules["ZOq"].id == 2
    assert repr(station) == "<Station 40 'Desk' RA800-D, 5 modules>"
    assert repr(station.modules[0x17]) == "<Module 23 'ZOq' of station 40, 2 channels>"
