"""Acquired data: a module's wave information, its samples read into NumPy arrays, current values."""

from __future__ import annotations

import ctypes
import enum
import math
from dataclasses import dataclass
from typing import Any, Union

import numpy as np
import numpy.typing as npt

from ._arguments import i16, i32, u16, u32
from ._buffers import read_value
from ._c_records import ChWaveInfo, WaveInf
from ._library import C
from ._text import decode
from .errors import check

# Records a module delivers at most for one wave information request.
WAVE_INFO_RECORDS = 100
# Bytes of the widest current value of one channel.
CURRENT_VALUE_BYTES = 8

# The element types of samples.
Sample = Union[np.uint8, np.int16, np.int32, np.float32, np.float64]

# The samples' element type for each type code the library converts.
DTYPES: dict[int, np.dtype[Sample]] = {
    0x00: np.dtype("u1"),
    0x01: np.dtype("u1"),
    0x10: np.dtype("<i2"),
    0x11: np.dtype("<i2"),
    0x20: np.dtype("<i4"),
    0x21: np.dtype("<i4"),
    0x22: np.dtype("<f4"),
    0x32: np.dtype("<f8"),
}


def dtype_of(type_code: int) -> np.dtype[Sample]:
    """The element type of a type code; ValueError for a code without one."""
    try:
        return DTYPES[type_code]
    except KeyError:
        raise ValueError(f"type code {type_code:#x} has no element type") from None


class Direction(enum.IntEnum):
    """Which points a read covers, counted from its start point."""

    # What the module does when asked without a direction.
    MODULE_DEFAULT = 0
    # The points ending at the start point.
    BACKWARD = 1
    # The points beginning at the start point.
    FORWARD = 2


def _texts(field: bytes) -> str:
    return decode(field.split(b"\0", 1)[0])


@dataclass(frozen=True)
class WaveInfo:
    """One channel's wave information: the module's record, and what the control functions read
    from it."""

    record: WaveInf
    channel_info: ChWaveInfo

    @property
    def channel(self) -> int:
        return int(self.record.word_a)

    @property
    def data_type(self) -> int:
        """The type code of the channel's samples."""
        return int(self.record.data_type)

    @property
    def point_num(self) -> int:
        """Data points of the acquisition."""
        return int(self.record.point_num)

    @property
    def interval(self) -> float | None:
        """Seconds between two points; None where the record gives none."""
        interval = float(self.channel_info.interval)
        return interval if math.isfinite(interval) and interval > 0 else None

    @property
    def unit(self) -> str:
        """The text of the unit code."""
        return _texts(self.channel_info.unit)

    @property
    def second_unit(self) -> str:
        return _texts(self.channel_info.second_unit)

    @property
    def time_stamp(self) -> int | None:
        """Seconds since 1970-01-01 of the acquisition; None where the record gives none."""
        stamp = int(self.record.time_stamp)
        return None if stamp in (0, 0xFFFFFFFF) else stamp

    @property
    def acquisition_number(self) -> int:
        """The number of a live module's latest acquisition, from 1 after each start (0 before
        the first, and for a module that does not acquire)."""
        return int(self.record.dword_i)

    @property
    def dtype(self) -> np.dtype[Any] | None:
        """The samples' element type; None for a type code without one."""
        return DTYPES.get(self.data_type)

    @property
    def acquisition_bytes(self) -> int:
        """The capacity that holds the whole acquisition: a minimum and a maximum of the type code's
        width per point. The element count of a short read is no measure of it."""
        return 2 * self.point_num * (1 << (self.data_type >> 4))


@dataclass(frozen=True)
class Waveform:
    """Samples as the module delivered them (unscaled), a minimum and a maximum per point."""

    samples: npt.NDArray[Sample]
    type_code: int
    channel: int
    # The point of the first sample.
    start: int
    unit: str
    # Seconds between two points; None where the wave information gives none.
    interval: float | None
    # The acquisition's number and time stamp as its wave information gave them.
    number: int = 0
    time_stamp: int | None = None

    def __len__(self) -> int:
        return len(self.samples)

    @property
    def minimum(self) -> npt.NDArray[Sample]:
        return self.samples[:, 0]

    @property
    def maximum(self) -> npt.NDArray[Sample]:
        return self.samples[:, 1]

    @property
    def times(self) -> npt.NDArray[np.float64] | None:
        """Each sample's time in seconds from point 0; None without an interval."""
        if self.interval is None:
            return None
        return (self.start + np.arange(len(self.samples), dtype=np.float64)) * self.interval


@dataclass(frozen=True)
class RawData:
    """An acquired-data reply as the library gives it: the bytes the module wrote into the
    buffer, their type code, and the module's element count (of the reply, or, when the reply was
    not the one asked for, what the module reported for the library's second request, which is
    no measure of the acquisition: see WaveInfo.acquisition_bytes)."""

    type_code: int
    data: bytes
    elements: int

    @property
    def array(self) -> npt.NDArray[Sample]:
        """The bytes as a read-only array of their type code's elements."""
        return np.frombuffer(self.data, dtype=dtype_of(self.type_code))


@dataclass(frozen=True)
class CurrentData:
    """The current values of a module, or of its whole connected group."""

    type_code: int
    values: npt.NDArray[Any]


def _check_out(out: object, dtype: np.dtype[Any]) -> npt.NDArray[Any]:
    """out, if it can take min/max pairs of dtype in place; else TypeError or ValueError."""
    if not isinstance(out, np.ndarray):
        raise TypeError(f"out must be a NumPy array, not {type(out).__name__}")
    if out.dtype != dtype:
        raise ValueError(f"out holds {out.dtype}; the channel's samples are {dtype}")
    if out.ndim != 2 or out.shape[1] != 2 or out.shape[0] == 0:
        raise ValueError(f"out must have the shape (points, 2) with points above 0, not {out.shape}")
    if not out.flags.c_contiguous or not out.flags.writeable:
        raise ValueError("out must be C-contiguous and writeable")
    return out


class Acquisition:
    """The acquired-data requests of a module (the module supplies its ids)."""

    __slots__ = ()

    def ids(self) -> tuple[int, int]:
        raise NotImplementedError

    def wave_info(self, first: int = -1, second: int = 0, *, offset: int = 0,
                  timeout_ms: int = 0) -> list[WaveInfo]:
        """The module's wave information records (the simulated modules read first as the
        channel, -1 for all); ZdzNoWaveInfo when it reports none."""
        station, module = self.ids()
        records = (WaveInf * WAVE_INFO_RECORDS)()
        count = ctypes.c_uint16()
        check(C.zdz_get_wave_info(station, module, u16(offset, "offset"), i32(first, "first"), i32(second, "second"),
                                  records, WAVE_INFO_RECORDS, ctypes.byref(count), u32(timeout_ms, "timeout_ms")))
        found = []
        for record in records[: count.value]:
            channel_info = ChWaveInfo()
            check(C.zdz_zoc_set_channel_wave_info(ctypes.byref(record), ctypes.byref(channel_info)))
            found.append(WaveInfo(record, channel_info))
        return found

    def _channel_wave_info(self, channel: int, offset: int, timeout_ms: int) -> WaveInfo:
        return self.wave_info(channel, 0, offset=offset, timeout_ms=timeout_ms)[0]

    def read_raw(self, first: int, second: int, third: int, fourth: int, points: int,
                 direction: Direction | int = Direction.MODULE_DEFAULT, *, offset: int = 0,
                 capacity: int | None = None, timeout_ms: int = 0) -> RawData:
        """Acquired data with the library's four request values as they are; points 0 asks for
        all. Without a capacity the buffer holds points (or the acquisition's points) pairs of
        the type the wave information of (first, second) gives."""
        if capacity is None:
            info = self.wave_info(first, second, offset=offset, timeout_ms=timeout_ms)[0]
            capacity = 2 * points * dtype_of(info.data_type).itemsize if points else info.acquisition_bytes
        buffer = ctypes.create_string_buffer(u32(capacity, "capacity"))
        kind, written, elements = self._acquire(buffer, capacity, (first, second, third, fourth), points, direction,
                                                offset, timeout_ms)
        return RawData(kind, buffer.raw[:written], elements)

    def _acquire(self, buffer: object, capacity: int, values: tuple[int, int, int, int], points: int,
                 direction: Direction | int, offset: int, timeout_ms: int) -> tuple[int, int, int]:
        """One GetAcqDataEx into buffer: the type code, the bytes written, the element count."""
        station, module = self.ids()
        kind, written, elements = ctypes.c_uint16(), ctypes.c_uint32(), ctypes.c_uint32()
        check(C.zdz_get_acq_data_ex(station, module, u16(offset, "offset"), *(i32(each, "request value") for each in values),
                                    u32(points, "points"), Direction(direction), buffer, u32(capacity, "capacity"),
                                    ctypes.byref(kind), ctypes.byref(written), ctypes.byref(elements),
                                    u32(timeout_ms, "timeout_ms")))
        return kind.value, written.value, elements.value

    def _read_samples(self, out: npt.NDArray[Any], info: WaveInfo, channel: int, start: int, points: int,
                      direction: Direction | int, offset: int, timeout_ms: int) -> npt.NDArray[Any]:
        kind, written, _ = self._acquire(out.ctypes.data, out.nbytes, (channel, 0, start, 0), points, direction, offset,
                                         timeout_ms)
        if written and kind != info.data_type:
            raise ValueError(f"the module sent type code {kind:#x}; its wave information says {info.data_type:#x}")
        return out[: written // (2 * out.itemsize)]

    def _described(self, channel: int, info: WaveInfo | None, offset: int, timeout_ms: int) -> WaveInfo:
        """The channel's wave information: info when the caller has it, else asked of the module.
        A negative channel would ask for every channel's and read channel 0's samples."""
        if i32(channel, "channel") < 0:
            raise ValueError(f"channel {channel} is not a channel: read one channel at a time, from 0")
        if info is None:
            return self._channel_wave_info(channel, offset, timeout_ms)
        if not isinstance(info, WaveInfo):
            raise TypeError(f"info must be a WaveInfo, not {type(info).__name__}")
        if info.channel != channel:
            raise ValueError(f"info describes channel {info.channel}, not channel {channel}")
        return info

    def read_into(self, out: npt.NDArray[Any], channel: int, start: int = 0, *,
                  direction: Direction | int = Direction.FORWARD, info: WaveInfo | None = None, offset: int = 0,
                  timeout_ms: int = 0) -> npt.NDArray[Any]:
        """Reads len(out) points of channel from point start into out, a (points, 2) array of the
        channel's element type, in place; gives the rows the module filled (fewer when it had
        fewer points). The array is checked against the channel's wave information before the
        read: info where the caller has it (wave_info()), else asked of the module first."""
        described = self._described(channel, info, offset, timeout_ms)
        checked = _check_out(out, dtype_of(described.data_type))
        return self._read_samples(checked, described, channel, start, len(checked), direction, offset, timeout_ms)

    def read(self, channel: int, start: int = 0, points: int = 0, *, direction: Direction | int = Direction.FORWARD,
             info: WaveInfo | None = None, offset: int = 0, timeout_ms: int = 0) -> Waveform:
        """points points of channel from point start (0: all there are) as a Waveform, described by
        the channel's wave information: info, or asked of the module first."""
        info = self._described(channel, info, offset, timeout_ms)
        rows = u32(points, "points") or max(info.point_num, 1)
        out = np.empty((rows, 2), dtype=dtype_of(info.data_type))
        samples = self._read_samples(out, info, channel, start, points, direction, offset, timeout_ms)
        first = start - len(samples) + 1 if direction == Direction.BACKWARD else start
        return Waveform(samples, info.data_type, channel, first, info.unit, info.interval, info.acquisition_number,
                        info.time_stamp)

    def current_data(self, channel: int = -1, *, timeout_ms: int = 0) -> CurrentData:
        """The module's current values, or its whole connected group's when it is the group's
        first; a member's reply that does not fit is dropped whole."""
        if i16(channel, "channel") != -1:
            raise ValueError("current data is read for every channel at once: channel must be -1")
        station, module = self.ids()
        master = read_value(C.zdz_search_master, ctypes.c_uint8, station, module)
        if master != module:
            raise ValueError(f"current data is read from the first module of a connected group, slot {master}")
        members = read_value(C.zdz_get_connect_num, ctypes.c_uint16, station, module)
        channels = read_value(C.zdz_get_acq_channel, ctypes.c_uint16, station, module)
        buffer = ctypes.create_string_buffer(max(members, 1) * channels * CURRENT_VALUE_BYTES)
        size, kind = ctypes.c_uint32(), ctypes.c_uint16()
        check(C.zdz_get_current_data(station, module, channel, buffer, len(buffer), ctypes.byref(size),
                                     ctypes.byref(kind), u32(timeout_ms, "timeout_ms")))
        values = np.frombuffer(buffer.raw[: size.value], dtype=dtype_of(kind.value)) if size.value else np.empty(0)
        return CurrentData(kind.value, values)
