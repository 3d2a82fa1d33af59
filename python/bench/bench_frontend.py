"""The front end's benchmark: serving one 1,000,000-point channel view as the data request does
(the viewer's stored groups, the read, decimation onto the grid, packed arrays in JSON), beside its
floor, the same read and NumPy's reduceat alone, in alternating rounds in one process; the ratio is
what the front end adds. Both are timed in the process's processor time, which other programs on
the machine do not stretch.

usage: PYTHONPATH=python ZDZ_LIBRARY_DIR=BUILD /usr/bin/python3 bench_frontend.py
"""

from __future__ import annotations

import json
import statistics
import tempfile
import time
from collections.abc import Callable
from pathlib import Path

import numpy as np

from zodavudaz_frontend import routes
from zodavudaz_frontend.decimation import column_starts
from zodavudaz_frontend.library import Library

ROUNDS = 7
POINTS = 1_000_000
COLUMNS = 1000
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


def best(function: Callable[[], object]) -> float:
    start = time.process_time()
    function()
    return time.process_time() - start


def main() -> None:
    with tempfile.TemporaryDirectory() as folder:
        (Path(folder) / "Stations.ini").write_text(STATIONS)
        library = Library(str(Path(folder) / "Stations.ini"), folder)
        try:
            module = library.module(5, 2)
            info = module.wave_info(0)[0]

            def serve() -> None:
                json.dumps(routes._data(library, module, [0], 0, (0, POINTS), COLUMNS))

            def floor() -> None:
                waveform = module.read(0, 0, POINTS, info=info)
                starts = column_starts(POINTS, COLUMNS)
                np.minimum.reduceat(waveform.minimum, starts), np.maximum.reduceat(waveform.maximum, starts)

            served, floors = [], []
            for _ in range(ROUNDS):
                served.append(best(serve))
                floors.append(best(floor))
        finally:
            library.close()
    median_served, median_floor = statistics.median(served), statistics.median(floors)
    print(f"BM_FrontendChannelView          {median_served * 1e3:8.2f} ms  ratio {median_served / median_floor:.2f}")
    print(f"BM_FrontendChannelViewBaseline  {median_floor * 1e3:8.2f} ms  (read and reduceat)")


if __name__ == "__main__":
    main()
