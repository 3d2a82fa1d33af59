"""Acquired data from virtual stations: waveforms in every data type, min/max pairs, short and
past-the-end reads, arrays refused before the call, and error codes."""

from __future__ import annotations

import math

import numpy as np
import pytest
from conftest import SHORT_POINTS, SINE_AMPLITUDE, SINE_FREQUENCY, SINE_OFFSET

import zodavudaz
from zodavudaz import Direction

TYPE_SLOTS = {data_type: slot for slot, data_type in enumerate(SINE_AMPLITUDE, start=1)}
INTERVAL = 0.001


def sine(data_type: int, points: np.ndarray) -> np.ndarray:
    phase = np.fmod(SINE_FREQUENCY * points, 1000.0) / 1000.0
    return SINE_OFFSET.get(data_type, 0.0) + SINE_AMPLITUDE[data_type] * np.sin(2 * math.pi * phase)


def module_of(database: zodavudaz.Database, data_type: int) -> zodavudaz.Module:
    return database.stations[7].modules[TYPE_SLOTS[data_type]]


# The largest difference from the formula each type allows: integers are cut toward zero.
TYPE_STEP = {0x00: 1.0, 0x01: 1.0, 0x10: 1.0, 0x11: 1.0, 0x20: 1.0, 0x21: 1.0, 0x22: 1.5 * 2.0**-23, 0x32: 2.5 * 2.0**-50}


@pytest.mark.parametrize("data_type", sorted(SINE_AMPLITUDE))
def test_sine_of_every_type_matches_its_formula(test_stations: zodavudaz.Database, data_type: int) -> None:
    waveform = module_of(test_stations, data_type).read(0, start=40, points=300)
    assert waveform.samples.dtype == zodavudaz.dtype_of(data_type)
    assert waveform.type_code == data_type and waveform.channel == 0 and waveform.start == 40
    assert waveform.samples.shape == (300, 2)
    expected = sine(data_type, np.arange(40, 340))
    assert np.max(np.abs(waveform.minimum.astype(np.float64) - expected)) < TYPE_STEP[data_type]
    assert np.array_equal(waveform.minimum, waveform.maximum)
    assert waveform.interval == INTERVAL and waveform.unit == "V"
    assert np.allclose(waveform.times, np.arange(40, 340) * INTERVAL)


def test_steps_give_min_max_pairs_two_apart(test_stations: zodavudaz.Database) -> None:
    waveform = test_stations.stations[8].modules[1].read(2, start=5, points=10)
    sample = 1 + (np.arange(5, 15) + 10 * 2) % 198
    assert np.array_equal(waveform.samples, np.stack([sample - 1, sample + 1], axis=1))
    assert np.array_equal(waveform.minimum, sample - 1) and np.array_equal(waveform.maximum, sample + 1)


@pytest.mark.parametrize(
    "start, points, direction, first, rows",
    [
        (0, 0, Direction.FORWARD, 0, SHORT_POINTS),  # all there are
        (90, 20, Direction.FORWARD, 90, 10),  # a reply shorter than asked
        (SHORT_POINTS - 1, 5, Direction.FORWARD, SHORT_POINTS - 1, 1),
        (SHORT_POINTS, 5, Direction.FORWARD, SHORT_POINTS, 0),  # past the end
        (SHORT_POINTS + 50, 0, Direction.FORWARD, SHORT_POINTS + 50, 0),
        (9, 4, Direction.BACKWARD, 6, 4),  # the points ending at the start point
        (2, 10, Direction.BACKWARD, 0, 3),
        (7, 3, Direction.MODULE_DEFAULT, 7, 3),
    ],
)
def test_reads_give_the_points_delivered(
    test_stations: zodavudaz.Database, start: int, points: int, direction: Direction, first: int, rows: int
) -> None:
    waveform = test_stations.stations[8].modules[1].read(0, start, points, direction=direction)
    assert (len(waveform), waveform.start) == (rows, first)
    assert np.array_equal(waveform.minimum, (1 + np.arange(first, first + rows) % 198) - 1)


def test_read_into_fills_the_callers_array_in_place(test_stations: zodavudaz.Database) -> None:
    out = np.zeros((50, 2), dtype=np.float32)
    filled = module_of(test_stations, 0x22).read_into(out, 0, start=3)
    assert filled.base is out or filled is out or np.shares_memory(filled, out)
    assert np.allclose(out[:, 0], sine(0x22, np.arange(3, 53)), atol=1e-6)


@pytest.mark.parametrize(
    "make_out, error",
    [
        (lambda: np.zeros((10, 2), dtype=np.int32), ValueError),  # the channel's samples are int16
        (lambda: np.zeros((10, 3), dtype=np.int16), ValueError),
        (lambda: np.zeros(20, dtype=np.int16), ValueError),
        (lambda: np.zeros((0, 2), dtype=np.int16), ValueError),  # 0 points would ask for all
        (lambda: np.zeros((10, 2), dtype=np.int16)[::2], ValueError),
        (lambda: np.zeros((2, 10), dtype=np.int16).T, ValueError),
        (lambda: np.zeros((10, 2), dtype=">i2"), ValueError),
        (lambda: np.frombuffer(bytes(40), dtype=np.int16).reshape(10, 2), ValueError),  # read-only
        (lambda: [[0, 0]] * 10, TypeError),
        (lambda: bytearray(40), TypeError),
    ],
)
def test_wrong_arrays_are_refused_before_the_call(test_stations: zodavudaz.Database, make_out, error) -> None:
    out = make_out()
    before = np.array(out, copy=True) if isinstance(out, np.ndarray) else None
    with pytest.raises(error):
        test_stations.stations[8].modules[1].read_into(out, 0)
    if before is not None:
        assert np.array_equal(out, before)


@pytest.mark.parametrize("start, rows", [(0, 20), (95, 5)], ids=["more held than fit", "fewer held"])
def test_read_into_writes_only_the_rows_it_gives(test_stations: zodavudaz.Database, start: int, rows: int) -> None:
    block = np.full(64, 0x5A5A, dtype=np.int16)
    out = block[8:48].reshape(20, 2)
    filled = test_stations.stations[8].modules[1].read_into(out, 0, start=start)
    assert filled.shape == (rows, 2) and np.shares_memory(filled, out)
    assert np.array_equal(out[:rows, 0], np.arange(start, start + rows))
    assert (block[:8] == 0x5A5A).all() and (block[8 + 2 * rows:] == 0x5A5A).all()


def test_raw_read_passes_the_request_values_as_they_are(test_stations: zodavudaz.Database) -> None:
    raw = test_stations.stations[8].modules[1].read_raw(1, 0, 30, 0, 4, Direction.FORWARD)
    assert raw.type_code == 0x10 and raw.elements == 8
    sample = 1 + (np.arange(30, 34) + 10) % 198
    assert np.array_equal(raw.array, np.stack([sample - 1, sample + 1], axis=1).ravel())


def test_wave_info_describes_every_channel(test_stations: zodavudaz.Database) -> None:
    infos = test_stations.stations[8].modules[1].wave_info()
    assert [info.channel for info in infos] == [0, 1, 2]
    assert {(info.data_type, info.point_num, info.interval, info.unit) for info in infos} == {
        (0x10, SHORT_POINTS, INTERVAL, "V")
    }
    assert infos[0].acquisition_bytes == 2 * SHORT_POINTS * 2


def test_current_data_of_a_group_and_its_refusals(test_stations: zodavudaz.Database) -> None:
    group = test_stations.stations[9].modules
    group[1].set_data_cntl_id(0x40D)
    current = group[1].current_data()
    # Two members of 3 channels, each value member * 100 + channel + 0.25.
    assert current.type_code == 0x32
    assert current.values.tolist() == [member * 100 + channel + 0.25 for member in range(2) for channel in range(3)]
    for refused in (lambda: group[1].current_data(channel=2), lambda: group[2].current_data()):
        with pytest.raises(ValueError):
            refused()


def test_wave_information_the_caller_has_is_not_asked_again(test_stations: zodavudaz.Database,
                                                            monkeypatch: pytest.MonkeyPatch) -> None:
    module = test_stations.stations[8].modules[1]
    info = module.wave_info(1)[0]

    def asked(*args: object, **kwargs: object) -> None:
        raise AssertionError("the wave information was asked again")

    monkeypatch.setattr(zodavudaz.Module, "wave_info", asked)
    out = np.zeros((4, 2), dtype=np.int16)
    sample = 1 + (np.arange(30, 34) + 10) % 198
    assert module.read_into(out, 1, start=30, info=info)[:, 0].tolist() == (sample - 1).tolist()
    assert module.read(1, start=30, points=4, info=info).maximum.tolist() == (sample + 1).tolist()
    with pytest.raises(ValueError):
        module.read_into(out, 0, info=info)
    with pytest.raises(TypeError):
        module.read_into(out, 1, info=info.record)  # type: ignore[arg-type]
