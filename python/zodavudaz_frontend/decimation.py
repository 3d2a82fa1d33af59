"""Min/max decimation over pixel columns: a channel reaches the page as at most two values per
column, and a spike of one point survives in its column."""

from __future__ import annotations

from typing import Any

import numpy as np
import numpy.typing as npt


def column_starts(points: int, columns: int) -> npt.NDArray[np.intp]:
    """The first point of each column: every point its own column when they fit, else columns
    points/columns wide."""
    if points <= columns:
        return np.arange(points, dtype=np.intp)
    return (np.arange(columns, dtype=np.int64) * points // columns).astype(np.intp)


def decimate(minimum: npt.NDArray[Any], maximum: npt.NDArray[Any],
             columns: int) -> tuple[npt.NDArray[np.intp], npt.NDArray[Any], npt.NDArray[Any]]:
    """Each column's first point, lowest minimum and highest maximum."""
    starts = column_starts(len(minimum), columns)
    if len(starts) == 0:
        return starts, minimum[:0], maximum[:0]
    return starts, np.minimum.reduceat(minimum, starts), np.maximum.reduceat(maximum, starts)
