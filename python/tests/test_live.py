"""Live acquisitions of virtual stations on the stepped clock: arm, wait and fetch; callbacks and
their exceptions; the iterators; the shared session."""

from __future__ import annotations

import _thread
import asyncio
import sys
import threading
import time
from collections.abc import Iterator
from pathlib import Path

import pytest
from conftest import ini_text

import zodavudaz
from zodavudaz import aio, live
from zodavudaz.sim import virtual_stations

PERIOD = 0.25
STATIONS = ini_text({
    "Stations": {"Names": "Live"},
    "StationLive": {"Id": 4, "Model": "ZI400-L", "Modules": "1,2", "Acquisition": "continuous", "Period": PERIOD},
    "StationLive-Module1": {"Product": "ZOl1", "ProductWord": "0x100", "Channels": 1, "Points": 10, "DataType": "0x32",
                            "Wave": "ramp 1000 1"},
    "StationLive-Module2": {"Product": "ZOl2", "ProductWord": "0x200", "Channels": 1, "Acquisition": "single"},
})


@pytest.fixture
def live_file(tmp_path: Path) -> Path:
    file = tmp_path / "Live.ini"
    file.write_text(STATIONS)
    return file


@pytest.fixture
def station(database: zodavudaz.Database, live_file: Path) -> Iterator[zodavudaz.Station]:
    live.use_stepped_clock()
    with virtual_stations(live_file) as stations:
        yield stations[0]


def first_point(waveform: zodavudaz.Waveform) -> float:
    """Signal point of the waveform's first sample: the ramp is 2 x point - 1000."""
    return (float(waveform.minimum[0]) + 1000) / 2


def test_a_driver_arms_waits_and_fetches_three_acquisitions(station: zodavudaz.Station) -> None:
    single = station.modules[2]
    station.start()
    live.advance(PERIOD)
    # An acquisition of before the start does not end a wait that follows the start.
    station.start()
    with pytest.raises(zodavudaz.ZdzTimeout):
        single.wait_for_acquisition(timeout=0.05)
    seen = []
    for _ in range(3):
        station.start()
        live.advance(PERIOD)
        announcement = single.wait_for_acquisition(timeout=1)
        waveform = single.read(0)
        seen.append((announcement.number, waveform.number))
    assert seen == [(1, 1)] * 3
    ramp = station.modules[1]
    numbers = [(ramp.wait_for_acquisition(0).number, first_point(ramp.read(0))) for _ in [live.advance(PERIOD)]]
    assert numbers == [(5, 40)]
    with pytest.raises(zodavudaz.ZdzTimeout):
        ramp.wait_for_acquisition(timeout=0.05)


def test_callbacks_get_announcements_and_their_exceptions_reach_the_registering_thread(
        station: zodavudaz.Station) -> None:
    module = station.modules[1]
    heard: list[live.Announcement] = []
    handle = module.on_acquisition(heard.append)
    failing = module.on_acquisition(lambda announcement: 1 / 0)
    station.start()
    # Two acquisitions, two exceptions: one from each of the next two calls.
    with pytest.raises(ZeroDivisionError):
        live.advance(2 * PERIOD)
    with pytest.raises(ZeroDivisionError):
        module.channels
    assert [(each.station, each.module, each.number) for each in heard] == [(4, 1, 1), (4, 1, 2)]
    assert heard[1].time_stamp == 1700000000
    failing.remove()
    handle.remove()
    live.advance(PERIOD)
    assert len(heard) == 2 and module.channels == 1


def test_the_database_cannot_end_from_inside_a_callback(station: zodavudaz.Station, database: zodavudaz.Database
                                                         ) -> None:
    refused: list[BaseException] = []

    def end(announcement: live.Announcement) -> None:
        try:
            database.__exit__(None, None, None)
        except zodavudaz.ZdzOrder as error:
            refused.append(error)
        with pytest.raises(zodavudaz.ZdzOrder):
            station.modules[1].wait_for_acquisition(1)

    station.modules[1].on_acquisition(end)
    station.start()
    live.advance(PERIOD)
    assert len(refused) == 1 and database.is_open


def test_iterators_yield_each_acquisition_whole(station: zodavudaz.Station) -> None:
    module = station.modules[1]
    acquisitions = module.acquisitions(timeout=0.05)
    station.start()
    for number in (1, 2, 3):
        live.advance(PERIOD)
        waveform = next(acquisitions)
        assert waveform.number == number and first_point(waveform) == 10 * (number - 1)
    assert list(acquisitions) == []

    async def two() -> list[int]:
        found = []
        async for waveform in aio.acquisitions(module, timeout=5):
            found.append(waveform.number)
            if len(found) == 2:
                return found
            await aio.call(live.advance, PERIOD)
        return found

    async def first_advance() -> list[int]:
        task = asyncio.ensure_future(two())
        await asyncio.sleep(0.05)
        await aio.call(live.advance, PERIOD)
        return await task

    assert asyncio.run(first_advance()) == [4, 5]


def test_sessions_share_one_database_and_count_their_loads(live_file: Path) -> None:
    with zodavudaz.session() as first:
        database = first.database
        second = zodavudaz.session()
        assert second.database is database
        stations = first.virtual_stations(live_file)
        assert [station.id for station in second.virtual_stations(live_file)] == [station.id for station in stations]
        with pytest.raises(zodavudaz.ZdzOrder):
            with zodavudaz.Database():
                pass
        second.close()
        assert database.is_open
    assert not database.is_open
    with zodavudaz.Database() as database:
        shared, other = zodavudaz.session(), zodavudaz.session()
        assert shared.database is database
        for user in (other, shared, other):
            user.virtual_stations(live_file)
        other.close()
        assert 4 in database.stations
        shared.close()
        assert 4 not in database.stations and database.is_open
        with zodavudaz.session() as again:
            assert [station.id for station in again.virtual_stations(live_file)] == [4]
    assert not database.is_open


def test_a_wait_wakes_for_ctrl_c_within_a_tenth_of_a_second(station: zodavudaz.Station) -> None:
    asked_at: list[float] = []

    def ask() -> None:
        # Once the main thread blocks in the wait: a loaded machine's delays before it are not the wait's.
        main = threading.main_thread().ident
        while sys._current_frames()[main].f_back.f_code is not type(live._hub).wait.__code__:
            time.sleep(0.001)
        asked_at.append(time.monotonic())
        _thread.interrupt_main()

    asking = threading.Thread(target=ask, daemon=True)
    asking.start()
    with pytest.raises(KeyboardInterrupt):
        station.modules[1].wait_for_acquisition(timeout=10)
    assert time.monotonic() - asked_at[0] < 0.1 + 0.1
    asking.join()
