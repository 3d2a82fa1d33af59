"""The HTTP interface the page talks to: JSON in and out under /api."""

from __future__ import annotations

import json
from typing import Any

from aiohttp import web

import zodavudaz

from . import export, facts, saving, viewmodel
from .errors import bad_request
from .library import Library, not_found

MAX_COLUMNS = 10_000
MODULE = "/api/stations/{station}/modules/{module}"
LIBRARY = "library"


def _id(request: web.Request, name: str) -> int:
    """A station or module id from the path; an id that cannot be filed names nothing (404)."""
    text = request.match_info[name]
    if not text.isdigit() or int(text) > 0xFFFF:
        raise not_found(name)
    return int(text)


def _module(request: web.Request) -> zodavudaz.Module:
    library: Library = request.app[LIBRARY]
    return library.module(_id(request, "station"), _id(request, "module"))


def _whole(request: web.Request, name: str, default: int | None = None) -> int:
    text = request.query.get(name)
    if text is None and default is not None:
        return default
    if text is None or not text.isdigit():
        raise bad_request(f"{name} is a whole number from 0")
    return int(text)


async def _body(request: web.Request) -> Any:
    try:
        return json.loads(await request.read())
    except (ValueError, UnicodeDecodeError):
        raise bad_request("the body is not JSON") from None


async def session(request: web.Request) -> web.Response:
    library = request.app[LIBRARY]
    return web.json_response({"version": zodavudaz.library_version(),
                              "frontend": library.frontend, "usageNote": library.usage_note})


async def stations(request: web.Request) -> web.Response:
    library = request.app[LIBRARY]
    return web.json_response(await library.call(facts.tree, library))


async def panel(request: web.Request) -> web.Response:
    library = request.app[LIBRARY]
    return web.json_response(await library.call(facts.panel, library, _module(request)))


async def current(request: web.Request) -> web.Response:
    library = request.app[LIBRARY]
    return web.json_response(await library.call(facts.current_values, _module(request)))


async def viewer(request: web.Request) -> web.Response:
    library = request.app[LIBRARY]
    return web.json_response(await library.call(facts.view_of, library, _module(request)))


async def use(request: web.Request) -> web.Response:
    """Registers the module as shown by this front end, as the page does when it opens a panel or
    a viewer."""
    library, module = request.app[LIBRARY], _module(request)
    await library.call(library.register, module)
    return web.json_response({"users": await library.call(library.users, module)})


def _channels(request: web.Request, module: zodavudaz.Module) -> list[int]:
    words = request.query.get("channels", "").split(",")
    if not all(word.isdigit() for word in words):
        raise bad_request("channels is a list of channel numbers")
    channels = [int(word) for word in words]
    for channel in channels:
        if channel >= module.channels:
            raise not_found(f"channel {channel}")
    return channels


def _data(library: Library, module: zodavudaz.Module, channels: list[int], tab: int, span: tuple[int, int],
          columns: int) -> dict[str, Any]:
    """Decimated data of the channels over span, ranged as the viewer's tab ranges them."""
    stored = facts.stored_settings(module, library.ini, record=False) or viewmodel.Stored()
    tabs = viewmodel.tabs(stored, module.channels, viewmodel.Notes())
    if tab >= len(tabs):
        raise not_found(f"tab {tab}")
    ranges = {entry["channel"]: entry["range"] for entry in tabs[tab]["channels"]}
    return facts.channel_data(module, channels, span[0], span[1], columns, ranges)


async def data(request: web.Request) -> web.Response:
    library, module = request.app[LIBRARY], _module(request)
    channels = _channels(request, module)
    start, end, columns = _whole(request, "start"), _whole(request, "end"), _whole(request, "columns")
    if end <= start or not 1 <= columns <= MAX_COLUMNS:
        raise bad_request(f"end lies beyond start, and columns is 1 to {MAX_COLUMNS}")
    return web.json_response(await library.call(_data, library, module, channels, _whole(request, "tab", 0),
                                                (start, end), columns))


async def visible_csv(request: web.Request) -> web.Response:
    """The CSV of a viewer's visible range at full resolution, as a download."""
    library, module = request.app[LIBRARY], _module(request)
    channels = _channels(request, module)
    start, end = _whole(request, "start"), _whole(request, "end")
    if end <= start:
        raise bad_request("end lies beyond start")
    text = await library.call(export.visible_csv, library, module, channels, [start, end])
    return web.Response(text=text, content_type="text/csv", headers={
        "Content-Disposition": f'attachment; filename="station{module.station.id}-module{module.id}.csv"'})


async def placement(request: web.Request) -> web.Response:
    library, module = request.app[LIBRARY], _module(request)
    rect = saving.checked_rect(await _body(request))
    return web.json_response({"written": await library.call(saving.move_module_window, library, module, rect)})


async def save_viewer(request: web.Request) -> web.Response:
    library, module = request.app[LIBRARY], _module(request)
    changes = saving.checked_changes(await _body(request))
    return web.json_response({"written": await library.call(saving.save_viewer, library, module, changes)})


async def _station_button(request: web.Request, action: str) -> web.Response:
    """Starts or stops a station's acquisitions."""
    station = request.app[LIBRARY].station(_id(request, "station"))
    await request.app[LIBRARY].call(getattr(station, action))
    return web.json_response({"done": action})


async def start(request: web.Request) -> web.Response:
    return await _station_button(request, "start")


async def stop(request: web.Request) -> web.Response:
    return await _station_button(request, "stop")


def add_routes(app: web.Application, library: Library) -> None:
    app[LIBRARY] = library
    app.router.add_get("/api/session", session)
    app.router.add_get("/api/stations", stations)
    app.router.add_get(MODULE, panel)
    app.router.add_get(MODULE + "/current", current)
    app.router.add_get(MODULE + "/viewer", viewer)
    app.router.add_get(MODULE + "/data", data)
    app.router.add_get(MODULE + "/csv", visible_csv)
    app.router.add_post(MODULE + "/use", use)
    app.router.add_put(MODULE + "/placement", placement)
    app.router.add_put(MODULE + "/viewer", save_viewer)
    app.router.add_post("/api/stations/{station}/start", start)
    app.router.add_post("/api/stations/{station}/stop", stop)
