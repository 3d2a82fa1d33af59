"""asyncio code awaits the blocking calls, which run in order on one worker thread."""

from __future__ import annotations

import asyncio
import threading
import time

import zodavudaz
from zodavudaz import aio


def test_calls_run_in_order_on_one_worker(demo: zodavudaz.Database) -> None:
    module = demo.stations["Alpha"].modules[1]
    threads: list[int] = []
    order: list[int] = []

    def read(start: int) -> int:
        threads.append(threading.get_ident())
        order.append(start)
        time.sleep(0.02)  # long enough that more workers would take the calls after it at once
        return int(module.read(0, start=start, points=1).minimum[0])

    async def main() -> list[int]:
        return list(await asyncio.gather(*(aio.call(read, start) for start in range(0, 8, 2))))

    assert asyncio.run(main()) == [0, 100, 0, -100] and order == [0, 2, 4, 6]
    assert len(set(threads)) == 1 and threads[0] != threading.get_ident()
    aio.shutdown()
    assert asyncio.run(aio.call(zodavudaz.convert_term, "a\r\nb")) == "a;;b"
    aio.shutdown()
