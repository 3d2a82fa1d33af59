"""What the page shows of stations and modules, gathered on the library's worker thread."""

from __future__ import annotations

import base64
import math
import threading
from typing import Any

import numpy as np
import numpy.typing as npt

import zodavudaz
from zodavudaz import ViewerProperty

from . import viewmodel
from .decimation import decimate
from .library import Library

GROUP_KEYWORDS = ("Group", "CHID", "CHSTS", "MMIN", "MMAX", "CurrentColor", "OtherColor")
EXTRA_MODULE_BITS = 0xF0
_kept = threading.local()


def _module_item(module: zodavudaz.Module) -> dict[str, Any]:
    return {"id": module.id, "name": module.name, "product": module.shown_product_name, "channels": module.channels}


def _slot_groups(station: zodavudaz.Station) -> list[dict[str, Any]]:
    """Slots 1 to the last, each in its connected group (a lone slot is a group of one)."""
    by_slot = {module.id: module for module in station.modules}
    groups: list[dict[str, Any]] = []
    for number in range(1, station.max_slot + 1):
        slot, module = station.slot(number), by_slot.get(number)
        entry = {"slot": number, "module": _module_item(module) if module else None}
        if groups and groups[-1]["master"] == slot.master and number != slot.master:
            groups[-1]["slots"].append(entry)
        else:
            groups.append({"master": slot.master, "slots": [entry]})
    return groups


def tree(library: Library) -> list[dict[str, Any]]:
    """Stations by id, each with its slots in connected groups and its modules without a slot of
    their own (extra modules, and every module of a model without slots)."""
    stations = []
    for station in sorted(library.database.stations, key=lambda each: each.id):
        slotted = {number for number in range(1, station.max_slot + 1)}
        extras = [_module_item(module) for module in sorted(station.modules, key=lambda each: each.id)
                  if module.id & EXTRA_MODULE_BITS or module.id not in slotted]
        stations.append({"id": station.id, "name": station.name, "model": station.model,
                         "groups": _slot_groups(station), "extras": extras})
    return stations


def _text(field: bytes) -> str:
    """A zero-terminated text field in the package's encoding."""
    return field.split(b"\0", 1)[0].decode(zodavudaz.get_encoding(), "surrogateescape")


def wave_infos(module: zodavudaz.Module) -> list[zodavudaz.WaveInfo]:
    """The module's wave information by channel; none for a module without channels or without
    wave information."""
    if module.channels == 0:
        return []
    try:
        return sorted(module.wave_info(), key=lambda info: info.channel)
    except zodavudaz.ZdzNoWaveInfo:
        return []


def _wave_row(info: zodavudaz.WaveInfo) -> dict[str, Any]:
    described = info.channel_info
    return {"channel": info.channel, "points": info.point_num, "type": info.data_type, "interval": info.interval,
            "unit": info.unit, "secondUnit": info.second_unit, "name": _text(described.name),
            "date": _text(described.date), "time": _text(described.time), "timeStamp": info.time_stamp}


def channel_facts(module: zodavudaz.Module,
                  described: list[zodavudaz.WaveInfo] | None = None) -> list[viewmodel.ChannelFacts]:
    """Each channel's facts from its wave information (asked of the module unless described)."""
    infos = {info.channel: info for info in (wave_infos(module) if described is None else described)}
    return [viewmodel.ChannelFacts(info.unit, info.data_type, info.interval, info.point_num) if info else
            viewmodel.ChannelFacts() for info in (infos.get(channel) for channel in range(module.channels))]


def stored_settings(module: zodavudaz.Module, ini: str, *, record: bool = True) -> viewmodel.Stored | None:
    """The module's stored viewer settings as plain values; None when none are stored for its
    product or their text does not convert. Without record only the groups are read: a data request
    needs no more for its ranges, and the record's keywords take three times as long."""
    try:
        viewer = ViewerProperty.lookup(module, ini)
    except (zodavudaz.ZdzNotFound, zodavudaz.ZdzArgument):
        return None
    with viewer:
        values = {name: viewer.get(name) for name, keyword in zodavudaz.keywords().items()
                  if not keyword.per_group} if record else {}
        groups = [{name: viewer.get(name, group) for name in GROUP_KEYWORDS} for group in range(len(viewer.groups))]
    return viewmodel.Stored(values, groups)


def view_of(library: Library, module: zodavudaz.Module) -> dict[str, Any]:
    """The module's viewer as the view model builds it, with its module's facts and the points it
    shows first."""
    infos = wave_infos(module)
    facts = channel_facts(module, infos)
    built = viewmodel.build(stored_settings(module, library.ini), facts)
    built.update(station=module.station.id, module=module.id, name=module.name,
                 points=max((each.points for each in facts), default=0),
                 interval=next((each.interval for each in facts if each.interval), None),
                 timeStamp=next((info.time_stamp for info in infos), None))
    built["window"] = window(built["timeWidth"], built["interval"], built["points"])
    return built


def window(width: float | None, interval: float | None, points: int) -> list[int]:
    """The points a viewer first shows: TimeWidth's worth from point 0, or all of them."""
    if width is None or interval is None:
        return [0, points]
    return [0, min(points, max(1, math.ceil(width / interval - 1e-9)))]


def panel(library: Library, module: zodavudaz.Module) -> dict[str, Any]:
    """A module panel: product, channels and their wave information, back-up and "Config"
    values, its users, its stored window rectangle and its current-value refresh rate."""
    settings = zodavudaz.Settings(library.tmp)
    section = f"Station{module.station.name}-Module{module.id}"
    placement = settings.module_window_placement(module.station.id, module.id)
    stored = stored_settings(module, library.ini)
    return {"station": module.station.id, "module": module.id, "name": module.name,
            "productId": module.product_id, "productName": module.shown_product_name, "channels": module.channels,
            "waves": [_wave_row(info) for info in wave_infos(module)],
            "backup": settings.module_backup_info(module), "config": settings.get(section, "Config"),
            "users": library.users(module), "frontend": library.frontend, "usageNote": library.usage_note,
            "rect": placement and {"left": placement.left, "top": placement.top, "right": placement.right,
                                   "bottom": placement.bottom},
            "refreshRate": viewmodel.refresh_rate(stored.values.get("CVrate") if stored else 0)}


def current_values(module: zodavudaz.Module) -> dict[str, Any]:
    """The module's current values; a note instead where only its group's first module answers."""
    try:
        data = module.current_data()
    except ValueError as refused:
        return {"values": [], "note": str(refused)}
    return {"values": data.values.tolist(), "note": None}


def _read(module: zodavudaz.Module, info: zodavudaz.WaveInfo, start: int, end: int) -> npt.NDArray[Any]:
    """The minimum and maximum rows of points start to end that the channel holds, read into a
    buffer this thread keeps at its largest read's size: a fresh array for every request went back
    to the system when freed and was faulted in again, which took ten times as long as the read."""
    dtype, rows = zodavudaz.dtype_of(info.data_type), min(end, info.point_num) - start
    if rows <= 0:
        return np.empty((0, 2), dtype)
    size = rows * 2 * dtype.itemsize
    if getattr(_kept, "buffer", np.empty(0)).size < size:
        _kept.buffer = np.empty(size, np.uint8)
    return module.read_into(_kept.buffer[:size].view(dtype).reshape(rows, 2), info.channel, start, info=info)


def packed(values: Any) -> str:
    """Values as the page reads them: base64 of little-endian float64, exact, and a third to a
    twelfth of the cost of JSON numbers."""
    return base64.b64encode(np.asarray(values, dtype="<f8").tobytes()).decode("ascii")


def channel_data(module: zodavudaz.Module, channels: list[int], start: int, end: int, columns: int,
                 ranges: dict[int, list[float] | None]) -> dict[str, Any]:
    """Points start to end of each channel, decimated to columns and mapped onto the shared grid;
    a channel without a stored range is ranged on what it shows."""
    infos = {info.channel: info for info in wave_infos(module)}
    series, times = [], None
    for channel in channels:
        rows = _read(module, infos[channel], start, end)
        starts, low, high = decimate(rows[:, 0], rows[:, 1], columns)
        low, high = low.astype(np.float64), high.astype(np.float64)
        shown = ranges.get(channel) or viewmodel.auto_range(float(low.min(initial=math.inf)),
                                                            float(high.max(initial=-math.inf)))
        scale = viewmodel.DIVISIONS / (shown[1] - shown[0])
        low, high = (low - shown[0]) * scale, (high - shown[0]) * scale
        series.append({"channel": channel, "range": shown, "low": packed(low), "high": packed(high),
                       "middle": packed(viewmodel.envelope_middle(low, high))})
        if times is None:
            times = packed((start + starts) * (infos[channel].interval or 1.0))
    return {"start": start, "end": end, "x": times or "", "series": series}
