"""The front end's web application and its run until Ctrl-C."""

from __future__ import annotations

import asyncio
import signal

from aiohttp import web

from zodavudaz import aio

from . import live, routes, static
from .errors import json_errors
from .library import Library
from .security import Guard, secure_headers

# Requests carry rectangles and a few settings; anything larger is refused (413).
MAX_BODY_BYTES = 64 * 1024


def make_app(library: Library, guard: Guard) -> web.Application:
    app = web.Application(middlewares=[guard.middleware, json_errors], client_max_size=MAX_BODY_BYTES)
    app.on_response_prepare.append(secure_headers)
    static.add_routes(app)
    routes.add_routes(app, library)
    app[live.HUB] = live.Hub()
    app.router.add_get("/api/live", live.socket)

    async def listen(app: web.Application) -> None:
        await library.call(app[live.HUB].listen, library, asyncio.get_running_loop())

    async def stop_listening(app: web.Application) -> None:
        await library.call(app[live.HUB].stop_listening)
        for page in list(app[live.HUB].pages):
            await page.socket.close()

    app.on_startup.append(listen)
    app.on_shutdown.append(stop_listening)
    return app


def _url_host(listen: str) -> str:
    return f"[{listen}]" if ":" in listen else listen


async def serve(library: Library, guard: Guard, listen: str, port: int) -> None:
    """Serves until SIGINT or SIGTERM, printing the one URL that carries the token."""
    runner = web.AppRunner(make_app(library, guard))
    await runner.setup()
    site = web.TCPSite(runner, listen, port)
    await site.start()
    stopped = asyncio.Event()
    loop = asyncio.get_running_loop()
    for number in (signal.SIGINT, signal.SIGTERM):
        loop.add_signal_handler(number, stopped.set)
    print(f"http://{_url_host(listen)}:{runner.addresses[0][1]}/?token={guard.token}", flush=True)
    try:
        await stopped.wait()
    finally:
        await runner.cleanup()
        await library.call(library.close)
        aio.shutdown()
