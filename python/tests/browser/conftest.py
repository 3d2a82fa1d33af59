"""Fixtures of the browser tests: test stations and settings, the server, one browser per run."""

from __future__ import annotations

from collections.abc import Iterator
from pathlib import Path

import pytest
from page_driver import Server, open_page, start_browser
from selenium import webdriver

# One module of two channels, each a square wave so fast that every pixel column holds both of its
# levels: channel 0 from -4 to 4, channel 1 from 6 to 8, on a grid of -10 to 10.
STATIONS = """[Stations]
Names=Test,FrontEnds

[StationTest]
Id=9
Model=ZI400-T
Modules=1,2

[StationTest-Module1]
Product=ZOb10
ProductWord=0xB1000
Channels=2
DataType=0x22
Points=20000
Wave0=square 4 250 0
Wave1=square 1 250 7

[StationTest-Module2]
Product=ZOb20
ProductWord=0xB2000
Channels=1
Acquisition=continuous
Period=0.05

[StationFrontEnds]
Id=0
Model=
Modules=0x10

[StationFrontEnds-Module16]
Product=ZO1
ProductWord=0x100
Channels=0
"""
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
    file.write_bytes(STATIONS.replace("\n", "\r\n").encode("ascii"))
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
