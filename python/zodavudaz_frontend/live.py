"""Live push: each announced acquisition goes over the WebSocket to the pages that show its module.
A page that reads slowly never makes the server queue: per module only the latest acquisition
waits, and the message says how many it replaced."""

from __future__ import annotations

import asyncio
import json

from aiohttp import WSMsgType, web

import zodavudaz

from .library import FRONT_ENDS_STATION, Library

Key = tuple[int, int]
HUB = "hub"


class Page:
    """One connected page: the modules it shows, and what waits to be sent to it."""

    def __init__(self, socket: web.WebSocketResponse) -> None:
        self.socket = socket
        self.shown: set[Key] = set()
        self.waiting: dict[Key, int] = {}
        self.skipped: dict[Key, int] = {}
        self.wake = asyncio.Event()

    def offer(self, key: Key, number: int) -> None:
        if key not in self.shown:
            return
        if key in self.waiting:
            self.skipped[key] = self.skipped.get(key, 0) + 1
        self.waiting[key] = number
        self.wake.set()

    async def send(self) -> None:
        while True:
            await self.wake.wait()
            self.wake.clear()
            batch, self.waiting = self.waiting, {}
            for (station, module), number in batch.items():
                await self.socket.send_json({"type": "acquisition", "station": station, "module": module,
                                             "number": number, "skipped": self.skipped.pop((station, module), 0)})


class Hub:
    """The connected pages, and the library's acquisition callbacks that feed them."""

    def __init__(self) -> None:
        self.pages: set[Page] = set()
        self.handles: list[zodavudaz.live.AcquisitionCallback] = []

    def announce(self, station: int, module: int, number: int) -> None:
        for page in self.pages:
            page.offer((station, module), number)

    def listen(self, library: Library, loop: asyncio.AbstractEventLoop) -> None:
        """Hears every module's acquisitions (on the simulation's thread, so each is handed to the
        event loop)."""
        def heard(announcement: zodavudaz.live.Announcement) -> None:
            loop.call_soon_threadsafe(self.announce, announcement.station, announcement.module, announcement.number)

        for station in library.database.stations:
            if station.id != FRONT_ENDS_STATION:
                self.handles.extend(module.on_acquisition(heard) for module in station.modules if module.channels)

    def stop_listening(self) -> None:
        while self.handles:
            self.handles.pop().remove()


def _shown(text: str) -> set[Key]:
    """The modules a page shows, from its message {"show": [[station, module], ...]}."""
    try:
        pairs = json.loads(text)["show"]
        return {(int(station), int(module)) for station, module in pairs}
    except (ValueError, KeyError, TypeError):
        return set()


async def socket(request: web.Request) -> web.WebSocketResponse:
    response = web.WebSocketResponse(heartbeat=20)
    await response.prepare(request)
    page, hub = Page(response), request.app[HUB]
    hub.pages.add(page)
    sender = asyncio.ensure_future(page.send())
    try:
        async for message in response:
            if message.type == WSMsgType.TEXT:
                page.shown = _shown(message.data)
    finally:
        hub.pages.discard(page)
        sender.cancel()
    return response
