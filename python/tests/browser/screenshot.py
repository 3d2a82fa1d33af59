"""The README's picture: the page on the demo's stations with a module panel and two viewers open.
usage: screenshot.py OUTPUT.png (run by ./run.sh screenshot)."""

from __future__ import annotations

import sys
import tempfile
from pathlib import Path

from page_driver import TOP, Server, open_module, open_page, start_browser

OPENED = [(1, 3, "Viewer"), (2, 2, "Viewer"), (1, 1, "Panel")]


def main(output: str) -> None:
    with tempfile.TemporaryDirectory() as folder:
        for name in ("Mardel.ini", "Mardel.tmp"):
            (Path(folder) / name).write_bytes((TOP / "tools/demo/settings" / name).read_bytes())
        server = Server(TOP / "tools/demo/VirtualStations.ini", Path(folder))
        browser = start_browser()
        try:
            open_page(browser, server.url)
            for station, module, which in OPENED:
                open_module(browser, station, module, which)
            browser.save_screenshot(output)
        finally:
            browser.quit()
            server.stop()


if __name__ == "__main__":
    main(sys.argv[1])
