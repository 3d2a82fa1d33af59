"""The package's blocking calls for asyncio code, run one after another on one worker thread."""

from __future__ import annotations

import asyncio
import concurrent.futures
import functools
import threading
from collections.abc import Callable
from typing import ParamSpec, TypeVar

Arguments = ParamSpec("Arguments")
Result = TypeVar("Result")

_lock = threading.Lock()
_worker: concurrent.futures.ThreadPoolExecutor | None = None


def _executor() -> concurrent.futures.ThreadPoolExecutor:
    global _worker
    with _lock:
        if _worker is None:
            _worker = concurrent.futures.ThreadPoolExecutor(max_workers=1, thread_name_prefix="zodavudaz")
        return _worker


async def call(function: Callable[Arguments, Result], *args: Arguments.args, **kwargs: Arguments.kwargs) -> Result:
    """function(*args, **kwargs) on the worker thread, awaited without blocking the event loop:
    `waveform = await aio.call(module.read, 0)`. Calls run in the order they were made; the
    library serialises them with other threads' calls anyway, so one thread loses nothing."""
    loop = asyncio.get_running_loop()
    return await loop.run_in_executor(_executor(), functools.partial(function, *args, **kwargs))


def shutdown() -> None:
    """Waits for the calls under way and ends the worker; the next call starts a new one."""
    global _worker
    with _lock:
        worker, _worker = _worker, None
    if worker is not None:
        worker.shutdown(wait=True)
