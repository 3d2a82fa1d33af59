"""`zdz-frontend export`: what a module's viewer shows, as CSV at full resolution or as a
deterministic SVG plot, without a browser."""

from __future__ import annotations

import argparse
import csv
import io
import sys
from typing import Any, Iterable, TextIO

import numpy as np
from numpy.typing import NDArray

import zodavudaz

from . import facts, viewmodel
from .decimation import decimate
from .library import Library, Unknown, not_found

WIDTH, HEIGHT = 800, 400


def _shown_channels(view: dict[str, Any]) -> list[int]:
    tab = view["tabs"][view["currentTab"]]
    return [entry["channel"] for entry in tab["channels"] if entry["visible"]]


def _entry(view: dict[str, Any], channel: int) -> dict[str, Any]:
    """The channel's colour and range in the viewer's current tab, else the defaults."""
    entries = {entry["channel"]: entry for entry in view["tabs"][view["currentTab"]]["channels"]}
    return entries.get(channel) or viewmodel.every_channel(channel + 1, [])[channel]


def write_csv(out: TextIO, module: zodavudaz.Module, view: dict[str, Any], waveforms: list[zodavudaz.Waveform]) -> None:
    """A header naming what is exported, then time and each channel's minimum and maximum per point."""
    writer = csv.writer(out, lineterminator="\n")
    channels = [waveform.channel for waveform in waveforms]
    header: tuple[list[object], ...] = (["station", module.station.id, module.station.name], ["module", module.id, module.name],
                ["product", module.shown_product_name], ["channels", *channels],
                ["units", *(view["units"][channel] for channel in channels)],
                ["interval", view["interval"] if view["interval"] is not None else "none"],
                ["library", zodavudaz.library_version()])
    for line in header:
        out.write("# ")
        writer.writerow(line)
    writer.writerow(["time", *(f"{edge} {channel}" for channel in channels for edge in ("min", "max"))])
    start, interval = view["window"][0], view["interval"] or 1.0
    for row in range(max((len(waveform) for waveform in waveforms), default=0)):
        values = [(waveform.minimum[row].item(), waveform.maximum[row].item()) if row < len(waveform) else ("", "")
                  for waveform in waveforms]
        writer.writerow([f"{(start + row) * interval:.9g}", *(value for pair in values for value in pair)])


def _grid(kind: str) -> list[str]:
    if kind == "none":
        return []
    dash = ' stroke-dasharray="1 4"' if kind == "dots" else ""
    lines = [f'<line x1="{WIDTH * step // 10}" y1="0" x2="{WIDTH * step // 10}" y2="{HEIGHT}"{dash}/>'
             for step in range(1, 10)]
    lines += [f'<line x1="0" y1="{HEIGHT * step // 10}" x2="{WIDTH}" y2="{HEIGHT * step // 10}"{dash}/>'
              for step in range(1, 10)]
    return ['<g stroke="#404040" stroke-width="1">', *lines, "</g>"]


def _trace(waveform: zodavudaz.Waveform, points: int, entry: dict[str, Any]) -> list[str]:
    """The channel's envelope band and middle line, mapped onto the shared grid."""
    starts, low, high = decimate(waveform.minimum.astype(np.float64), waveform.maximum.astype(np.float64), WIDTH)
    if not len(starts):
        return []
    shown = entry["range"] or viewmodel.auto_range(float(low.min()), float(high.max()))

    def y(values: NDArray[np.float64]) -> NDArray[np.float64]:
        return HEIGHT - (values - shown[0]) / (shown[1] - shown[0]) * HEIGHT

    x = starts * WIDTH / max(points, 1)
    band = [*zip(x, y(high)), *reversed(list(zip(x, y(low))))]
    middle = zip(x, y(viewmodel.envelope_middle(low, high)))

    def text(pairs: Iterable[tuple[float, float]]) -> str:
        return " ".join(f"{px:.2f},{py:.2f}" for px, py in pairs)

    return [f'<polygon points="{text(band)}" fill="{entry["colour"]}" stroke="none"/>',
            f'<polyline points="{text(middle)}" fill="none" stroke="{entry["colour"]}" stroke-width="1"/>']


def write_svg(out: TextIO, view: dict[str, Any], waveforms: list[zodavudaz.Waveform]) -> None:
    points = view["window"][1] - view["window"][0]
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
             f'viewBox="0 0 {WIDTH} {HEIGHT}">', f'<rect width="{WIDTH}" height="{HEIGHT}" fill="#000000"/>',
             *_grid(view["grid"])]
    for waveform in waveforms:
        parts += _trace(waveform, points, _entry(view, waveform.channel))
    out.write("\n".join([*parts, "</svg>"]) + "\n")


def read(module: zodavudaz.Module, channels: list[int], window: list[int]) -> list[zodavudaz.Waveform]:
    """The channels' points of the window at full resolution."""
    infos = {info.channel: info for info in facts.wave_infos(module)}
    return [module.read(channel, window[0], window[1] - window[0], info=infos[channel]) for channel in channels]


def visible_csv(library: Library, module: zodavudaz.Module, channels: list[int], window: list[int]) -> str:
    """The CSV of the channels over a viewer's visible points."""
    view = facts.view_of(library, module)
    view["window"] = window
    out = io.StringIO()
    write_csv(out, module, view, read(module, channels, window))
    return out.getvalue()


def export(arguments: argparse.Namespace, out: TextIO) -> int:
    library = Library(arguments.stations, arguments.settings)
    try:
        module = library.module(arguments.station, arguments.module)
        view = facts.view_of(library, module)
        channels = arguments.channels or _shown_channels(view)
        unknown = [channel for channel in channels if not 0 <= channel < module.channels]
        if unknown:
            raise not_found(f"channel {unknown[0]} of module {module.id}")
        waveforms = read(module, channels, view["window"])
        if arguments.csv:
            write_csv(out, module, view, waveforms)
        else:
            write_svg(out, view, waveforms)
        return 0
    except Unknown as missing:
        print(f"zdz-frontend export: {missing}", file=sys.stderr)
        return 1
    finally:
        library.close()
