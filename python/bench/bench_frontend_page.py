"""The page's benchmark in headless Chromium: 4 viewers of 4 channels of 100,000 points each, fed
by live modules (an acquisition every 0.05 s), beside the same page fed the same fixed arrays again
and again, in one run: updates per second per viewer and draw time per update. Beside them, the ceiling the server's reads set: the same 4 × 4 channels read whole through
the package in turn, which every update of every viewer needs.

usage: PYTHONPATH=python:python/tests/browser ZDZ_LIBRARY_DIR=BUILD /usr/bin/python3 bench_frontend_page.py
"""

from __future__ import annotations

import tempfile
import time
from pathlib import Path

from page_driver import Server, open_page, start_browser, wait
from selenium.webdriver.common.by import By

from zodavudaz_frontend.library import Library

MODULES, CHANNELS, POINTS, PERIOD, SECONDS, ROUNDS = 4, 4, 100_000, 0.05, 5, 5
STATIONS = "[Stations]\nNames=Bench\n\n[StationBench]\nId=5\nModel=RA800-B\nModules=1,2,3,4\n\n" + "\n".join(
    f"[StationBench-Module{slot}]\nProduct=ZOb{slot}\nProductWord=0x{slot:x}00\nChannels={CHANNELS}\n"
    f"Points={POINTS}\nWave=sine 1000 {slot * 7}\nAcquisition=continuous\nPeriod={PERIOD}\n" for slot in range(1, MODULES + 1))

# Draw counts and times of every plot, after seconds of either feeding.
MEASURE = """
const [seconds, fixed, done] = arguments;
const panes = () => [...document.querySelectorAll('.viewer .plot')];
const totals = () => panes().map((pane) => ({ ...(pane.draws || { count: 0, ms: 0 }) }));
const before = totals(), start = performance.now();
const again = () => {
  if (performance.now() - start > seconds * 1000) {
    const after = totals();
    done(after.map((each, i) => ({ count: each.count - before[i].count, ms: each.ms - before[i].ms })));
    return;
  }
  if (!fixed) { setTimeout(again, 100); return; }
  const counts = totals().map((each) => each.count);
  document.querySelectorAll('.viewer .tools button:nth-child(2)').forEach((button) => button.click());
  const drawn = () => totals().every((each, i) => each.count > counts[i]) ? again() : requestAnimationFrame(drawn);
  drawn();
};
again();
"""


def report(name: str, draws: list[dict[str, float]]) -> None:
    count = sum(each["count"] for each in draws)
    print(f"{name:32s} {count / len(draws) / SECONDS:6.1f} updates/s per viewer, "
          f"{sum(each['ms'] for each in draws) / max(count, 1):6.1f} ms per draw")


def read_ceiling(stations: Path, folder: Path) -> None:
    """Updates/s per viewer that the reads alone allow, every viewer's channels read in turn."""
    library = Library(str(stations), str(folder))
    try:
        modules = [library.module(5, slot) for slot in range(1, MODULES + 1)]
        started = time.perf_counter()
        for _ in range(ROUNDS):
            for module in modules:
                for channel in range(CHANNELS):
                    module.read(channel)
        print(f"{'reads alone: the ceiling':32s} {ROUNDS / (time.perf_counter() - started):6.1f} updates/s per viewer")
    finally:
        library.close()


def main() -> None:
    with tempfile.TemporaryDirectory() as folder:
        (Path(folder) / "Stations.ini").write_text(STATIONS)
        (Path(folder) / "reads").mkdir()
        read_ceiling(Path(folder) / "Stations.ini", Path(folder) / "reads")
        server = Server(Path(folder) / "Stations.ini", Path(folder))
        browser = start_browser()
        browser.set_script_timeout(SECONDS * 4)
        try:
            open_page(browser, server.url)
            for slot in range(1, MODULES + 1):
                browser.find_element(By.XPATH, f'//li[@data-module="{slot}"]/button[text()="Viewer"]').click()
                wait(browser, lambda d: d.execute_script(
                    f"return Boolean(document.querySelector('#viewer-5-{slot} .plot')?.shown)"))
            report("fixed arrays from the server", browser.execute_async_script(MEASURE, SECONDS, True))
            browser.find_element(By.XPATH, '//li[@data-station="5"]/button[text()="Start"]').click()
            report(f"live, one acquisition per {PERIOD} s", browser.execute_async_script(MEASURE, SECONDS, False))
            browser.find_element(By.XPATH, '//li[@data-station="5"]/button[text()="Stop"]').click()
        finally:
            browser.quit()
            server.stop()


if __name__ == "__main__":
    main()
