"""The zdz-frontend command: the server, or `export` of what a viewer shows."""

from __future__ import annotations

import argparse
import asyncio
import importlib.util
import os
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
# The demo's files: beside the package in the source tree (PYTHON/..), or in the installation's data
# folder (PREFIX/lib/python3/dist-packages/.. ). A tree near the root has fewer parents than that.
DEMO_FOLDERS = tuple(HERE.parents[up] / below for up, below in ((1, "tools/demo"), (3, "share/zodavudaz/demo"))
                     if up < len(HERE.parents))
DEFAULT_PORT = 0


def demo_folder() -> Path | None:
    return next((folder for folder in DEMO_FOLDERS if (folder / "VirtualStations.ini").is_file()), None)


def default_stations() -> str | None:
    """ZDZ_VIRTUAL_STATIONS's file, or else the installed demo's."""
    folder = demo_folder()
    return os.environ.get("ZDZ_VIRTUAL_STATIONS") or (str(folder / "VirtualStations.ini") if folder else None)


def default_settings() -> str | None:
    folder = demo_folder()
    return str(folder / "settings") if folder else None


def _common(parser: argparse.ArgumentParser) -> None:
    parser.add_argument("--settings", metavar="FOLDER", default=default_settings(),
                        help="the settings folder (default: the demo's)")
    parser.add_argument("--stations", metavar="FILE", default=default_stations(),
                        help="the virtual stations' description (default: $ZDZ_VIRTUAL_STATIONS, else the demo's)")


def server_parser() -> argparse.ArgumentParser:
    parser = argparse.ArgumentParser(
        prog="zdz-frontend", description="Serves the stations, module panels and waveform viewers to a browser. "
        "`zdz-frontend export --help` shows the export without a browser.")
    _common(parser)
    parser.add_argument("--port", type=int, metavar="N", default=DEFAULT_PORT, help="the port (default: a free one)")
    parser.add_argument("--listen", metavar="ADDR", default="127.0.0.1", help="the address (default: 127.0.0.1)")
    parser.add_argument("--write-in-place", action="store_true",
                        help="write the given settings folder instead of a private copy")
    return parser


def export_parser() -> argparse.ArgumentParser:
    parser = argparse.ArgumentParser(prog="zdz-frontend export",
                                     description="Writes what a module's viewer shows, to standard output.")
    form = parser.add_mutually_exclusive_group(required=True)
    form.add_argument("--csv", action="store_true", help="time, minimum and maximum of each channel, every point")
    form.add_argument("--svg", action="store_true", help="the plot")
    _common(parser)
    parser.add_argument("station", type=int, help="station id")
    parser.add_argument("module", type=int, help="module id")
    parser.add_argument("channels", type=int, nargs="*", metavar="CHANNEL",
                        help="channels (default: the shown ones of the viewer's current group)")
    return parser


def _required(arguments: argparse.Namespace) -> str | None:
    if not arguments.stations:
        return "no station file: give --stations or set ZDZ_VIRTUAL_STATIONS"
    if not arguments.settings or not os.path.isdir(arguments.settings):
        return f"no settings folder {arguments.settings!r}: give --settings"
    return None


def _missing_packages() -> str | None:
    if importlib.util.find_spec("aiohttp") is None:
        return "aiohttp is missing: install Debian's python3-aiohttp"
    from .static import missing_dygraphs
    return missing_dygraphs()


def run_server(arguments: argparse.Namespace) -> int:
    problem = _missing_packages() or _required(arguments)
    if problem:
        print(f"zdz-frontend: {problem}", file=sys.stderr)
        return 1
    from .library import Library
    from .private_copy import private_copy
    from .security import Guard
    from .server import serve
    folder = arguments.settings if arguments.write_in_place else private_copy(arguments.settings)
    print(f"settings: {folder}" + ("" if arguments.write_in_place else
                                   " (a private copy, kept after the run; the next run makes a new one)"), flush=True)
    if arguments.listen not in ("127.0.0.1", "localhost", "::1"):
        print(f"listening on {arguments.listen}: every request still needs the token in the URL below", flush=True)
    library = Library(arguments.stations, folder)
    asyncio.run(serve(library, Guard(arguments.listen), arguments.listen, arguments.port))
    return 0


def run_export(arguments: argparse.Namespace) -> int:
    problem = _required(arguments)
    if problem:
        print(f"zdz-frontend export: {problem}", file=sys.stderr)
        return 1
    from .export import export
    return export(arguments, sys.stdout)


def main(argv: list[str] | None = None) -> int:
    argv = sys.argv[1:] if argv is None else argv
    if argv[:1] == ["export"]:
        return run_export(export_parser().parse_args(argv[1:]))
    return run_server(server_parser().parse_args(argv))
