"""The front end's HTTP and WebSocket interface through aiohttp's test client: each security rule,
each bad request, the usage registry, and settings files written byte for byte."""

from __future__ import annotations

import asyncio
import base64
import contextlib
import json
import shutil
import tracemalloc
from collections.abc import Iterator
from pathlib import Path
from typing import Any
from unittest.mock import AsyncMock

import numpy as np
import pytest
from conftest import DEMO_SETTINGS, DEMO_STATIONS

import zodavudaz

pytest.importorskip("aiohttp")
from aiohttp.test_utils import TestClient, TestServer  # noqa: E402

from zodavudaz_frontend import facts, live, static  # noqa: E402
from zodavudaz_frontend.library import Library  # noqa: E402
from zodavudaz_frontend.security import Guard  # noqa: E402
from zodavudaz_frontend.server import MAX_BODY_BYTES, make_app  # noqa: E402

TOKEN = "t" * 43
ALPHA1 = "/api/stations/1/modules/1"
BRAVO2 = "/api/stations/2/modules/2"


class Page:
    """A test client that sends what the page sends: the token, and its own Origin on changes. Each call
    runs the server's loop until its answer."""

    def __init__(self, client: TestClient, folder: Path, loop: asyncio.AbstractEventLoop) -> None:
        self.client, self.folder, self.loop = client, folder, loop
        self.origin = f"http://{client.host}:{client.port}"

    def call(self, method: str, path: str, body: Any = None, **headers: str) -> tuple[int, Any]:
        return self.loop.run_until_complete(self._call(method, path, body, headers))

    async def _call(self, method: str, path: str, body: Any, headers: dict[str, str]) -> tuple[int, Any]:
        sent = {"Authorization": f"Bearer {TOKEN}", "Origin": self.origin, **headers}
        data = body if isinstance(body, (bytes, str)) or body is None else json.dumps(body)
        response = await self.client.request(method, path, data=data, headers=sent, allow_redirects=False)
        text = await response.text()
        self.headers = response.headers
        return response.status, json.loads(text) if response.content_type == "application/json" else text

    def files(self) -> dict[str, bytes]:
        return {path.name: path.read_bytes() for path in self.folder.iterdir()}


@contextlib.contextmanager
def serving(folder: Path, stations: Path = DEMO_STATIONS, listen: str = "127.0.0.1") -> Iterator[Page]:
    """A page of a server on the stations and a copy of the demo's settings in folder."""
    for name in ("Mardel.ini", "Mardel.tmp"):
        shutil.copyfile(DEMO_SETTINGS / name, folder / name)
    library = Library(str(stations), str(folder))

    async def start() -> TestClient:
        started = TestClient(TestServer(make_app(library, Guard(listen, TOKEN)), host=listen))
        await started.start_server()
        return started
    loop = asyncio.new_event_loop()
    try:
        client = loop.run_until_complete(start())
        try:
            yield Page(client, folder, loop)
        finally:
            loop.run_until_complete(client.close())
    finally:
        loop.run_until_complete(library.call(library.close))
        loop.close()


@pytest.fixture
def folder(tmp_path: Path) -> Path:
    made = tmp_path / "settings"
    made.mkdir()
    return made


@pytest.fixture
def page(folder: Path) -> Iterator[Page]:
    with serving(folder) as served:
        yield served


ACCESS_ROWS = [
    ("token in the header", "GET", "/api/stations", {}, 200),
    ("no token", "GET", "/api/stations", {"Authorization": ""}, 401),
    ("wrong token", "GET", "/api/stations", {"Authorization": "Bearer " + "u" * 43}, 401),
    ("token as the cookie", "GET", "/api/stations", {"Authorization": "", "Cookie": "zdz-frontend-PORT=" + TOKEN}, 200),
    ("cookie of another port", "GET", "/api/stations", {"Authorization": "", "Cookie": "zdz-frontend-1=" + TOKEN},
     401),
    ("static file without token", "GET", "/main.js", {"Authorization": ""}, 401),
    ("localhost with any port", "GET", "/api/stations", {"Host": "localhost:1"}, 200),
    ("IPv6 loopback", "GET", "/api/stations", {"Host": "[::1]:8080"}, 200),
    ("another host name", "GET", "/api/stations", {"Host": "rebound.example:8080"}, 403),
    ("another host before the token", "GET", "/api/stations", {"Host": "rebound.example", "Authorization": ""},
     403),
    ("another loopback address", "GET", "/api/stations", {"Host": "127.0.0.2"}, 403),
    ("change without Origin", "PUT", ALPHA1 + "/placement", {"Origin": ""}, 403),
    ("change from another Origin", "PUT", ALPHA1 + "/placement", {"Origin": "http://rebound.example"}, 403),
    ("start without Origin", "POST", "/api/stations/1/start", {"Origin": ""}, 403),
    ("WebSocket without Origin", "GET", "/api/live", {"Origin": "", "Upgrade": "websocket", "Connection": "Upgrade",
                                                      "Sec-WebSocket-Key": "dGhlIHNhbXBsZSBub25jZQ==",
                                                      "Sec-WebSocket-Version": "13"}, 403),
    ("page", "GET", "/", {}, 200),
    ("dygraphs", "GET", "/dygraphs/dygraph.min.js", {}, 200),
    ("no folder listing", "GET", "/dygraphs/", {}, 404),
    ("no path out", "GET", "/../../etc/passwd", {}, 404),
]


@pytest.mark.parametrize("method, path, headers, status", [row[1:] for row in ACCESS_ROWS],
                         ids=[row[0] for row in ACCESS_ROWS])
def test_access_rule(page: Page, method: str, path: str, headers: dict[str, str], status: int) -> None:
    sent = {name: value.replace("PORT", str(page.client.port)) for name, value in headers.items()}
    body = {"left": 1, "top": 2, "right": 3, "bottom": 4} if method == "PUT" else None
    got, answer = page.call(method, path, body, **sent)
    assert got == status, answer
    assert "Access-Control-Allow-Origin" not in page.headers
    assert page.files()["Mardel.tmp"] == (DEMO_SETTINGS / "Mardel.tmp").read_bytes()


def test_printed_url_gives_a_strict_cookie_and_a_url_without_the_token(page: Page) -> None:
    status, _ = page.call("GET", f"/?token={TOKEN}", Authorization="")
    assert (status, page.headers["Location"]) == (303, "/")
    cookie = page.headers["Set-Cookie"]
    assert cookie.startswith(f"zdz-frontend-{page.client.port}={TOKEN};")
    assert {"HttpOnly", "Path=/", "SameSite=Strict"} <= {part.strip() for part in cookie.split(";")}
    assert page.call("GET", "/?token=" + "u" * 43, Authorization="")[0] == 401
    assert page.call("GET", "/")[0] == 200
    assert page.headers["Content-Security-Policy"] == \
        "default-src 'self'; style-src 'self' 'unsafe-inline'; frame-ancestors 'none'"


def test_listen_address_is_a_host_name_too(folder: Path) -> None:
    with serving(folder, listen="127.0.0.2") as page:
        assert page.call("GET", "/api/stations", Host="127.0.0.2:9")[0] == 200
        assert page.call("GET", "/api/stations", Authorization="")[0] == 401


def _busy(*_: Any) -> None:
    raise zodavudaz.ZdzBusy(-7, "the settings file stayed locked")


BAD_ROWS = [
    ("unknown station module", "GET", "/api/stations/77/modules/1", None, 404),
    ("station id beyond 16 bits", "GET", "/api/stations/65536/modules/1", None, 404),
    ("unknown module", "GET", "/api/stations/1/modules/2", None, 404),
    ("unknown channel", "GET", ALPHA1 + "/data?channels=0,4&start=0&end=10&columns=5", None, 404),
    ("unknown tab", "GET", ALPHA1 + "/data?channels=0&start=0&end=10&columns=5&tab=3", None, 404),
    ("channels not numbers", "GET", ALPHA1 + "/data?channels=x&start=0&end=10&columns=5", None, 400),
    ("empty span", "GET", ALPHA1 + "/data?channels=0&start=10&end=10&columns=5", None, 400),
    ("CSV of an empty span", "GET", ALPHA1 + "/csv?channels=0&start=5&end=5", None, 400),
    ("no columns", "GET", ALPHA1 + "/data?channels=0&start=0&end=10&columns=0", None, 400),
    ("malformed JSON", "PUT", ALPHA1 + "/viewer", b"{rect:", 400),
    ("unknown change", "PUT", ALPHA1 + "/viewer", {"path": "/etc/passwd"}, 400),
    ("rectangle side beyond 32 bits", "PUT", ALPHA1 + "/placement",
     {"left": 0, "top": 0, "right": 2**31, "bottom": 5}, 400),
    ("rectangle side not whole", "PUT", ALPHA1 + "/placement", {"left": 0.5, "top": 0, "right": 9, "bottom": 5}, 400),
    ("inverted rectangle", "PUT", ALPHA1 + "/viewer", {"rect": {"left": 9, "top": 0, "right": 1, "bottom": 5}}, 400),
    ("upside-down rectangle", "PUT", ALPHA1 + "/placement", {"left": 0, "top": 9, "right": 5, "bottom": 1}, 400),
    ("cursor off the plot", "PUT", ALPHA1 + "/viewer", {"cursors": {"VCursor1": 1.5}}, 400),
    ("group that does not exist", "PUT", ALPHA1 + "/viewer", {"currentGroup": 1}, 400),
    ("group not a number", "PUT", ALPHA1 + "/viewer", {"currentGroup": "0"}, 400),
    ("body over the limit", "PUT", ALPHA1 + "/viewer", b" " * (MAX_BODY_BYTES + 1), 413),
    ("unknown path", "GET", "/api/nothing", None, 404),
    ("busy library", "GET", ALPHA1, None, 503),
]


@pytest.mark.parametrize("method, path, body, status", [row[1:] for row in BAD_ROWS], ids=[row[0] for row in BAD_ROWS])
def test_bad_request_gets_a_json_error_and_changes_nothing(page: Page, monkeypatch: pytest.MonkeyPatch,
                                                           method: str, path: str, body: Any, status: int) -> None:
    monkeypatch.setattr(facts, "panel", _busy)
    before = page.files()
    got, answer = page.call(method, path, body)
    assert got == status and isinstance(answer, dict) and answer["error"], answer
    assert page.files() == before


def test_a_page_file_replaced_by_a_link_is_not_followed(page: Page, tmp_path: Path,
                                                       monkeypatch: pytest.MonkeyPatch) -> None:
    (tmp_path / "main.js").symlink_to(DEMO_SETTINGS / "Mardel.ini")
    monkeypatch.setitem(static.FILES, "/main.js", tmp_path / "main.js")
    assert page.call("GET", "/main.js")[0] == 404


def test_opening_a_module_registers_it_for_the_front_end(page: Page) -> None:
    assert page.call("GET", ALPHA1)[1]["users"] == []
    assert page.call("POST", ALPHA1 + "/use")[1] == {"users": [16]}
    status, panel = page.call("GET", ALPHA1)
    assert (status, panel["users"], panel["frontend"], panel["usageNote"]) == (200, [16], 16, None)
    assert (panel["productName"], panel["channels"], panel["rect"]) == \
        ("ZO4a21", 4, {"left": 120, "top": 100, "right": 640, "bottom": 480})
    assert page.call("GET", BRAVO2)[1]["users"] == []
    assert page.call("GET", "/api/stations/16/modules/5/current")[1]["values"]


def test_without_a_front_end_entry_usage_is_read_only(folder: Path, tmp_path: Path) -> None:
    stations = tmp_path / "NoFrontEnds.ini"
    described = DEMO_STATIONS.read_bytes()
    stations.write_bytes(described[: described.index(b"; Station 0")].replace(b"Charlie,FrontEnds", b"Charlie"))
    with serving(folder, stations) as page:
        assert page.call("POST", ALPHA1 + "/use")[1] == {"users": []}
        panel = page.call("GET", ALPHA1)[1]
        assert (panel["users"], panel["frontend"]) == ([], None) and "station 0" in panel["usageNote"]


def test_tree_lists_groups_empty_slots_and_extra_modules(page: Page) -> None:
    tree = {station["name"]: station for station in page.call("GET", "/api/stations")[1]}
    bravo = tree["Bravo"]
    assert [[slot["slot"] for slot in group["slots"]] for group in bravo["groups"]] == \
        [[1], [2, 3, 4], [5], [6], [7], [8]]
    assert [slot["module"] and slot["module"]["name"] for slot in bravo["groups"][1]["slots"]] == \
        ["Slot 2 ZO4d02", "Slot 3 ZO4d02", "Slot 4 ZO4d02"]
    assert bravo["groups"][2]["slots"][0]["module"] is None
    assert [extra["name"] for extra in bravo["extras"]] == ["1:ZO4d02"]
    assert [extra["name"] for extra in tree["FrontEnds"]["extras"]] == ["1:ZO1"]


def _section(text: bytes, name: bytes) -> list[bytes]:
    lines = text.split(b"\r\n")
    start = lines.index(b"[" + name + b"]") + 1
    end = next(index for index in range(start, len(lines)) if not lines[index] or lines[index].startswith(b"["))
    return lines[start:end]


def test_saving_unchanged_writes_nothing_and_a_change_rewrites_the_viewers_keys_in_order(page: Page) -> None:
    for path in (ALPHA1, BRAVO2, "/api/stations/1/modules/3", "/api/stations/16/modules/5"):
        view = page.call("GET", path + "/viewer")[1]
        unchanged = {"rect": view["rect"], "currentGroup": 0} if view["stored"] else {}
        assert page.call("PUT", path + "/viewer", unchanged)[1] == {"written": []}
    assert page.files() == {name: (DEMO_SETTINGS / name).read_bytes() for name in page.files()}
    moved = {"left": 5, "top": 6, "right": 705, "bottom": 506}
    assert page.call("PUT", BRAVO2 + "/viewer", {"rect": moved, "cursors": {"VCursor1": 0.25}})[1] == \
        {"written": ["Product", "Viewer", "Group1"]}
    section = _section((page.folder / "Mardel.ini").read_bytes(), b"StationBravo-Module2")
    stored = _section((DEMO_SETTINGS / "Mardel.ini").read_bytes(), b"StationBravo-Module2")
    assert section[0] == stored[0] == b"Product=ZO4d02 16-channel input"
    assert section[1] == stored[1].replace(b"VCursor1 0.000000e+00", b"VCursor1 2.500000e-01").replace(
        b"Left 100;Top 80;Right 900;Bottom 600", b"Left 5;Top 6;Right 705;Bottom 506")
    assert section[2] == stored[2] and len(section) == 3
    assert page.call("GET", BRAVO2 + "/viewer")[1]["rect"] == moved


def test_a_viewer_without_stored_settings_is_saved_with_its_product(page: Page) -> None:
    path = "/api/stations/2/modules/1/viewer"
    rect = {"left": 1, "top": 2, "right": 300, "bottom": 200}
    assert page.call("PUT", path, {"rect": rect})[1] == {"written": ["Product", "Viewer"]}
    view = page.call("GET", path)[1]
    assert (view["stored"], view["rect"], len(view["tabs"][0]["channels"])) == (True, rect, 8)


def test_moving_a_module_panel_writes_its_placement_line(page: Page) -> None:
    unchanged = {"left": 120, "top": 100, "right": 640, "bottom": 480}
    assert page.call("PUT", ALPHA1 + "/placement", unchanged)[1] == {"written": False}
    assert page.files()["Mardel.tmp"] == (DEMO_SETTINGS / "Mardel.tmp").read_bytes()
    moved = {"left": -20, "top": 30, "right": 500, "bottom": 400}
    assert page.call("PUT", BRAVO2 + "/placement", moved)[1] == {"written": True}
    assert page.call("PUT", "/api/stations/2/modules/3/placement", moved)[1] == {"written": True}
    tmp = page.files()["Mardel.tmp"]
    assert _section(tmp, b"StationBravo-Module2")[-1] == b"WindowPos=0,3,-1,-1,-1,-1,-20,30,500,400"
    assert _section(tmp, b"StationBravo-Module3") == [b"WindowPos=0,1,-1,-1,-1,-1,-20,30,500,400"]


def _unpacked(text: str) -> list[float]:
    """An array as the page unpacks it: base64 of little-endian float64."""
    return np.frombuffer(base64.b64decode(text), "<f8").tolist()


def test_data_is_decimated_onto_the_shared_grid(page: Page) -> None:
    status, data = page.call("GET", ALPHA1 + "/data?channels=1,2&start=0&end=1000&columns=4")
    assert status == 200 and _unpacked(data["x"]) == [0.0, 0.25, 0.5, 0.75]
    square, ramp = data["series"]
    assert square["range"] == [-10.0, 10.0] and _unpacked(square["high"]) == [45.0] * 4  # 80 raw on a ±10 grid
    assert ramp["range"] is not None and _unpacked(ramp["low"])[0] == 0.0 and max(_unpacked(ramp["high"])) == 10.0
    zoomed = page.call("GET", ALPHA1 + "/data?channels=1&start=10&end=14&columns=800")[1]
    assert _unpacked(zoomed["x"]) == pytest.approx([0.010, 0.011, 0.012, 0.013])


@pytest.mark.parametrize("start, end", [(0, 1_000_000), (999_000, 1_000_000), (0, 4_000_000_000)])
def test_a_served_view_takes_memory_for_its_columns_not_its_points(tmp_path: Path, start: int, end: int) -> None:
    (tmp_path / "Stations.ini").write_text("[Stations]\nNames=Big\n[StationBig]\nId=5\nModel=RA800-B\nModules=2\n"
                                           "[StationBig-Module2]\nProduct=Z\nProductWord=1\nChannels=1\nPoints=1000000\n")
    with contextlib.closing(Library(str(tmp_path / "Stations.ini"), str(tmp_path))) as library:
        facts.channel_data(library.module(5, 2), [0], 0, 1_000_000, 1000, {0: None})
        tracemalloc.start()
        data = facts.channel_data(library.module(5, 2), [0], start, end, 1000, {0: None})
        peak = tracemalloc.get_traced_memory()[1]
        tracemalloc.stop()
    assert len(_unpacked(data["series"][0]["high"])) == 1000 and peak < 300_000


def test_csv_of_the_visible_range_has_every_point(page: Page) -> None:
    status, text = page.call("GET", ALPHA1 + "/csv?channels=0,1&start=1&end=4")
    assert status == 200 and page.headers["Content-Disposition"].startswith("attachment;")
    assert text.splitlines()[7:] == ["time,min 0,max 0,min 1,max 1", "0.001,70,70,80,80", "0.002,100,100,80,80",
                                     "0.003,70,70,80,80"]


def test_a_slow_page_gets_the_latest_acquisition_and_the_count_it_skipped() -> None:
    async def scenario() -> None:
        hub, socket = live.Hub(), AsyncMock()
        page = live.Page(socket)
        page.shown, sender = {(1, 1)}, asyncio.ensure_future(page.send())
        hub.pages.add(page)
        for number in range(1, 6):
            hub.announce(1, 1, number)
            hub.announce(2, 2, number)
        await asyncio.sleep(0)
        hub.announce(1, 1, 6)
        while socket.send_json.await_count < 2:
            await asyncio.sleep(0)
        sender.cancel()
        assert [sent.args[0] for sent in socket.send_json.await_args_list] == [
            {"type": "acquisition", "station": 1, "module": 1, "number": 5, "skipped": 4},
            {"type": "acquisition", "station": 1, "module": 1, "number": 6, "skipped": 0}]
    asyncio.run(scenario())
