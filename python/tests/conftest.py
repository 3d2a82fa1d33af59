"""Fixtures: the tree's top, an open database, and virtual stations to play against."""

from __future__ import annotations

import os
from collections.abc import Iterator
from pathlib import Path

import pytest

import zodavudaz
from zodavudaz.sim import virtual_stations

TOP = Path(__file__).resolve().parents[2]
DEMO_STATIONS = TOP / "tools/demo/VirtualStations.ini"
DEMO_SETTINGS = TOP / "tools/demo/settings"

# One module per data type, each channel 0 a sine that the tests compare with its formula.
SINE_AMPLITUDE = {0x00: 100.0, 0x01: 100.0, 0x10: 1000.0, 0x11: 30000.0, 0x20: 1.0e6, 0x21: 2.0e9, 0x22: 1.5, 0x32: 2.5}
# The unsigned bytes reach past 127, which a signed reading would turn negative.
SINE_OFFSET = {0x00: 120.0, 0x01: 120.0}
SINE_FREQUENCY = 7.0
SHORT_POINTS = 100


def ini_text(sections: dict[str, dict[str, object]]) -> str:
    """A description file's text: each section's keys in the order given, a blank line between sections."""
    return "\n".join(f"[{name}]\n" + "".join(f"{key}={value}\n" for key, value in keys.items())
                     for name, keys in sections.items())


TEST_STATIONS = ini_text({
    "Stations": {"Names": "Types,Short,Group"},
    "StationTypes": {"Id": 7, "Model": "RA800-T", "Modules": ",".join(map(str, range(1, len(SINE_AMPLITUDE) + 1)))},
    **{f"StationTypes-Module{slot}": {
        "Product": f"ZOt{data_type:02x}", "ProductWord": f"0x{slot:x}00", "Channels": 2, "DataType": f"0x{data_type:02x}",
        "Wave0": f"sine {amplitude!r} {SINE_FREQUENCY!r} {SINE_OFFSET.get(data_type, 0.0)!r}"}
       for slot, (data_type, amplitude) in enumerate(SINE_AMPLITUDE.items(), start=1)},
    "StationShort": {"Id": 8, "Model": "ZI400-S", "Modules": 1, "SlotAttribute": "0,1", "ConnectStatus": "0,0"},
    "StationShort-Module1": {"Product": "ZOs10", "ProductWord": "0x5100", "Channels": 3, "Points": SHORT_POINTS},
    # Slots 1 and 2 are a connected group whose members answer through slot 1's module.
    "StationGroup": {"Id": 9, "Model": "ZI400-G", "Modules": "1,2", "SlotAttribute": "0,1,0", "ConnectStatus": "0,1,0"},
    "StationGroup-Module1": {"Product": "ZOg10", "ProductWord": "0x6100", "Channels": 3, "Members": 2},
    "StationGroup-Module2": {"Product": "ZOg10", "ProductWord": "0x6100", "Channels": 3},
})


def pytest_configure(config: pytest.Config) -> None:
    # A build's tests must not pass against another library that the search found first.
    folder = os.environ.get("ZDZ_LIBRARY_DIR")
    if folder and os.path.dirname(zodavudaz.library_file()) != os.path.abspath(folder):
        raise pytest.UsageError(f"the package loaded {zodavudaz.library_file()}, not the library in {folder}")


@pytest.fixture
def database() -> Iterator[zodavudaz.Database]:
    with zodavudaz.Database() as opened:
        yield opened


@pytest.fixture
def demo(database: zodavudaz.Database) -> Iterator[zodavudaz.Database]:
    """The database with the demo's virtual stations."""
    with virtual_stations(DEMO_STATIONS):
        yield database


@pytest.fixture
def test_stations(database: zodavudaz.Database, tmp_path: Path) -> Iterator[zodavudaz.Database]:
    """The database with a station of every data type and a station of short acquisitions."""
    file = tmp_path / "TestStations.ini"
    file.write_bytes(TEST_STATIONS.replace("\n", "\r\n").encode("ascii"))
    with virtual_stations(file):
        yield database
