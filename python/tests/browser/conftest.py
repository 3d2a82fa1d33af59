"""Fixtures of the browser tests: test stations and settings, the server, one browser per run."""

from __future__ import annotations

from collections.abc import Iterator
from pathlib import Path

import pytest
from page_driver import Server, open_page, start_browser
from selenium import webdriver

VIEWER = ("ChannelNumber 2;GrNum 1;GrChNum 2;CurrentGr 0;GridType 1;Interpolation 0;Label 1;CursorType 3;"
          "TimeWidth 0.000000e+00;HCursor1 1.000000e-01;HCursor2 6.000000e-01;VCursor1 2.500000e-01;"
          "VCursor2 7.500000e-01;Left 300;Top 40;Right 1000;Bottom 560;")
GROUP = ("Group1 Squares;CHID 0 1;CHSTS 1 1;MMIN -1.000000e+01 -1.000000e+01;MMAX 1.000000e+01 1.000000e+01;"
         "CurrentColor 0xFF 0xFF0000;OtherColor 0x808080 0x808080;")
INI = f"[StationTest-Module1]\r\nProduct=ZOb10 test module\r\nViewer={VIEWER}\r\nGroup1={GROUP}\r\n"
TMP = ("[StationTest-Module1]\r\nWindowPos=0,1,-1,-1,-1,-1,20,400,420,700\r\n\r\n"
       "[StationTest-Module2]\r\nWindowPos=0,1,-1,-1,-1,-1,-900,5000,-500,5300\r\n")


@pytest.fixture(scope="session")
def settings(tmp_path_factory: pytest.TempPathFactory) -> Path:
    folder = tmp_path_factory.mktemp("settings")
    (folder / "Mardel.ini").write_bytes(INI.encode("latin-1"))
    (folder / "Mardel.tmp").write_bytes(TMP.encode("latin-1"))
    return folder


@pytest.fixture(scope="session")
def stations(tmp_path_factory: pytest.TempPathFactory) -> Path:
    file = tmp_path_factory.mktemp("stations") / "Stations.ini"
    text = (Path(__file__).parent / "Stations.ini").read_text(encoding="ascii")
    file.write_bytes(text.replace("\n", "\r\n").encode("ascii"))
    return file


@pytest.fixture(scope="session")
def server(stations: Path, settings: Path) -> Iterator[Server]:
    running = Server(stations, settings)
    yield running
    assert running.stop() == 0


@pytest.fixture(scope="session")
def browser() -> Iterator[webdriver.Chrome]:
    driver = start_browser()
    yield driver
    driver.quit()


@pytest.fixture
def page(browser: webdriver.Chrome, server: Server) -> webdriver.Chrome:
    open_page(browser, server.url)
    return browser
