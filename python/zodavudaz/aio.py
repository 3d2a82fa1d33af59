"""The package's blocking calls for asyncio code, run one after another on one worker thread."""

from __future__ import annotations

import asyncio
import concurrent.futures
import functools
import threading
from collections.abc import AsyncIterator, Callable
from typing import TYPE_CHECKING, ParamSpec, TypeVar

from . import live

if TYPE_CHECKING:
    from .acquisition import Waveform
    from .modules import Module

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


async def acquisitions(module: Module, timeout: float | None = None, channel: int = 0) -> AsyncIterator[Waveform]:
    """Module.acquisitions for asyncio code: `async for waveform in aio.acquisitions(module):`
    yields each acquisition announced from now on, read on the worker thread; ends when none is
    announced for timeout seconds (None: never)."""
    loop = asyncio.get_running_loop()
    arrived: asyncio.Queue[live.Announcement] = asyncio.Queue()
    with live.on_acquisition(module, lambda announcement: loop.call_soon_threadsafe(arrived.put_nowait, announcement)):
        while True:
            try:
                await asyncio.wait_for(arrived.get(), timeout)
            except asyncio.TimeoutError:
                return
            yield await call(live.read_whole, module, channel)
