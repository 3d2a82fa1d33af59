"""Min/max decimation over pixel columns against a plain loop that keeps every point's extremes."""

from __future__ import annotations

import numpy as np
import pytest

from zodavudaz_frontend.decimation import decimate


def plain(minimum: np.ndarray, maximum: np.ndarray, columns: int) -> list[tuple[int, int, int]]:
    points = len(minimum)
    if points <= columns:
        return [(index, minimum[index], maximum[index]) for index in range(points)]
    found = []
    for column in range(columns):
        first, last = column * points // columns, (column + 1) * points // columns
        found.append((first, min(minimum[first:last]), max(maximum[first:last])))
    return found


@pytest.mark.parametrize("points, columns", [(0, 10), (1, 10), (10, 10), (11, 10), (1000, 7), (100_003, 800),
                                             (799, 800), (5, 1)])
def test_decimation_matches_a_plain_loop(points: int, columns: int) -> None:
    generator = np.random.default_rng(points * 31 + columns)
    low = generator.integers(-1000, 1000, points).astype(np.int16)
    high = low + generator.integers(0, 50, points).astype(np.int16)
    starts, lows, highs = decimate(low, high, columns)
    assert list(zip(starts.tolist(), lows.tolist(), highs.tolist())) == \
        [(first, int(a), int(b)) for first, a, b in plain(low, high, columns)]
    assert len(starts) <= columns

