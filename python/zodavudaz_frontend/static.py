"""The fixed list of files the server sends: the page's own, and dygraphs from where Debian's
libjs-dygraphs installs it. No folder is listed and no link followed."""

from __future__ import annotations

import os
from pathlib import Path

from aiohttp import web

from .library import not_found

PAGE = Path(__file__).resolve().parent / "page"
DYGRAPHS = Path("/usr/share/javascript/dygraphs")
TYPES = {".html": "text/html", ".js": "text/javascript", ".css": "text/css"}
PAGE_FILES = ("index.html", "main.js", "api.js", "tree.js", "panel.js", "viewer.js", "plot.js", "envelope.js",
              "windows.js", "live.js", "style.css")
FILES = {f"/{name}": PAGE / name for name in PAGE_FILES[1:]}
FILES.update({"/": PAGE / "index.html", "/dygraphs/dygraph.min.js": DYGRAPHS / "dygraph.min.js",
              "/dygraphs/dygraph.css": DYGRAPHS / "dygraph.css"})


def missing_dygraphs() -> str | None:
    """The one-line reason the page cannot draw, or None."""
    if (DYGRAPHS / "dygraph.min.js").is_file():
        return None
    return f"dygraphs is missing from {DYGRAPHS}: install Debian's libjs-dygraphs"


def _read_regular(path: Path) -> bytes:
    descriptor = os.open(path, os.O_RDONLY | os.O_NOFOLLOW)
    with os.fdopen(descriptor, "rb") as file:
        return file.read()


async def serve_file(request: web.Request) -> web.Response:
    path = FILES.get(request.path)
    if path is None:
        raise not_found("file")
    try:
        body = _read_regular(path)
    except OSError:
        raise not_found("file") from None
    return web.Response(body=body, content_type=TYPES[path.suffix], charset="utf-8")


def add_routes(app: web.Application) -> None:
    for name in FILES:
        app.router.add_get(name, serve_file)
