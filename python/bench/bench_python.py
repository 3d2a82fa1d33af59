"""The package's benchmarks, each beside the same C calls timed by C loops (BaselineCalls.c) in the
same process, in alternating rounds, so that the ratio shows what Python and ctypes add.

usage: PYTHONPATH=python ZDZ_LIBRARY_DIR=BUILD /usr/bin/python3 bench_python.py BASELINE-LIBRARY
"""

from __future__ import annotations

import ctypes
import os
import statistics
import sys
import tempfile
import time
from collections.abc import Callable
from pathlib import Path

import numpy as np

import zodavudaz
from zodavudaz.sim import virtual_stations

ROUNDS = 7
SETTINGS_BYTES = 4096
POINTS = 1_000_000
STATIONS = f"""[Stations]
Names=Bench

[StationBench]
Id=5
Model=RA800-B
Modules=2

[StationBench-Module2]
Product=ZO4f20
ProductWord=0x4F2000
Channels=1
Points={POINTS}
Wave=sine 1000 50
"""


def settings_file(folder: Path) -> tuple[Path, str, str]:
    """A settings file of SETTINGS_BYTES whose last section holds the key read."""
    sections = []
    number = 0
    while sum(map(len, sections)) < SETTINGS_BYTES - 200:
        sections.append(f"[StationS{number}-Module1]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n"
                        f"Product=ZO4a21 module\r\nConfig=a 1,b 2,c 3,\r\n\r\n")
        number += 1
    path = folder / "Mardel.tmp"
    path.write_bytes("".join(sections).encode("ascii"))
    return path, f"StationS{number - 1}-Module1", "Config"


def timed(calls: int, body: Callable[[], object]) -> float:
    start = time.process_time()
    for _ in range(calls):
        body()
    return time.process_time() - start


def compare(name: str, calls: int, python: Callable[[], object], c: Callable[[int], float]) -> tuple[float, float]:
    """Medians of ROUNDS rounds of seconds per call: through the package, and through C alone."""
    through_python, through_c = [], []
    for _ in range(ROUNDS):
        through_python.append(timed(calls, python) / calls)
        seconds = c(calls)
        if seconds < 0:
            raise SystemExit(f"{name}: the C baseline's call failed")
        through_c.append(seconds / calls)
    return statistics.median(through_python), statistics.median(through_c)


def show(name: str, python: float, c: float, limit: float | None) -> None:
    ratio = python / c
    bound = "" if limit is None else f"  (at most {limit}x: {'met' if ratio <= limit else 'NOT met'})"
    print(f"{name:44} {python * 1e6:12.2f} us {c * 1e6:12.2f} us {ratio:8.3f}x{bound}")


def main() -> None:
    baseline = ctypes.CDLL(sys.argv[1])
    baseline.zdz_bench_settings_reads.restype = ctypes.c_double
    baseline.zdz_bench_acquisitions.restype = ctypes.c_double
    baseline.zdz_bench_described_acquisitions.restype = ctypes.c_double
    baseline.zdz_bench_station_lookups.restype = ctypes.c_double
    print(f"zodavudaz {zodavudaz.__version__} from {zodavudaz.library_file()}; medians of {ROUNDS} alternating "
          "rounds")
    print(f"{'benchmark':44} {'Python':>15} {'C':>15} {'ratio':>9}")
    with tempfile.TemporaryDirectory() as folder:
        path, section, key = settings_file(Path(folder))
        settings = zodavudaz.Settings(path)
        value = ctypes.create_string_buffer(4096)
        python, c = compare("settings", 2000, lambda: settings.get(section, key),
                            lambda calls: baseline.zdz_bench_settings_reads(
                                os.fsencode(path), section.encode(), key.encode(), value, len(value), calls))
        show(f"settings read, {path.stat().st_size} B file", python, c, 1.5)

        (Path(folder) / "Bench.ini").write_bytes(STATIONS.replace("\n", "\r\n").encode("ascii"))
        with zodavudaz.Database() as database, virtual_stations(Path(folder) / "Bench.ini"):
            module = database.stations[5].modules[2]
            out = np.empty((POINTS, 2), dtype=np.int16)
            address = out.ctypes.data_as(ctypes.c_void_p)
            info = module.wave_info(0)[0]
            python, c = compare("acquisition", 3, lambda: module.read_into(out, 0, info=info),
                                lambda calls: baseline.zdz_bench_acquisitions(5, 2, 0, POINTS, address, out.nbytes,
                                                                              calls))
            show(f"{POINTS:,}-point read into an array", python, c, 1.05)
            python, c = compare("described acquisition", 3, lambda: module.read_into(out, 0),
                                lambda calls: baseline.zdz_bench_described_acquisitions(5, 2, 0, POINTS, address,
                                                                                        out.nbytes, calls))
            show("the same asking the wave information first", python, c, None)

            python, c = compare("look-up", 20000, lambda: database.stations["Bench"],
                                lambda calls: baseline.zdz_bench_station_lookups(b"Bench", calls))
            show("station look-up by name", python, c, None)
            print(f"{'':44} {1 / python:12,.0f}/s {1 / c:12,.0f}/s")


if __name__ == "__main__":
    main()
