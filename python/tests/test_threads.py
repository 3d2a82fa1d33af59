"""Calls from several Python threads at once: each answer is whole and is the one asked for."""

from __future__ import annotations

import signal
import threading
from pathlib import Path

import numpy as np

import zodavudaz
from zodavudaz import Settings, ViewerProperty

THREADS = 8
CALLS = 1000
VIEWER_TEXT = ViewerProperty.create(2)
VIEWER_TEXT.ChannelNumber = 2
TEXT = VIEWER_TEXT.to_text()


class Counter(zodavudaz.Interpreter):
    def __init__(self) -> None:
        super().__init__()
        self.count = 0

    def RplyStart(self, view: memoryview) -> None:
        self.count += 1


def mixed_calls(database: zodavudaz.Database, worker: int, folder: Path, failures: list[str]) -> None:
    settings = Settings(folder / f"worker{worker}.ini")
    shared = Settings(folder / "shared.ini")
    counter = Counter()
    start_packet = bytes(16) + bytes([2, 0x88, 0x00, 0x04]) + bytes(12)
    calls = [
        lambda n: database.stations["Bravo"].id == 2,
        lambda n: database.stations[2].modules[n % 4 + 1].channels == (8 if n % 4 == 0 else 16),
        lambda n: np.array_equal(database.stations[1].modules[1].read(3, start=n, points=4).minimum,
                                 database.stations[1].modules[1].read(3, start=n, points=4).maximum),
        lambda n: ViewerProperty.from_text(TEXT).to_text() == TEXT,
        lambda n: zodavudaz.convert_term(f"{worker}\r\n{n}") == f"{worker};;{n}",
        # Writes make every file durable, which is slow: one in ten settings calls writes.
        lambda n: (settings.set("Worker", "Call", str(n)) is None and settings.get("Worker", "Call") == str(n)
                   if n % 80 == 5 else shared.get("Shared", "Value") == "one value"),
        lambda n: counter.interpret(start_packet) and counter.count == n // 8 + 1,
        lambda n: database.stations[1].modules[1].read(0, start=250, points=1).samples.tolist() == [[100, 100]],
    ]
    for n in range(CALLS):
        try:
            if not calls[n % len(calls)](n):
                failures.append(f"worker {worker}, call {n}: wrong answer")
        except Exception as error:  # noqa: BLE001 - every failure is reported, none stops the others
            failures.append(f"worker {worker}, call {n}: {error!r}")


def test_eight_threads_of_mixed_calls(demo: zodavudaz.Database, tmp_path: Path) -> None:
    failures: list[str] = []
    Settings(tmp_path / "shared.ini").set("Shared", "Value", "one value")
    workers = [threading.Thread(target=mixed_calls, args=(demo, each, tmp_path, failures)) for each in range(THREADS)]
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    assert failures == []


def test_a_call_nested_in_another_on_the_same_thread_keeps_both_answers(monkeypatch) -> None:
    """A signal handler calls the package while the thread is inside a call; the inner answer
    outgrows the thread's buffer."""
    real = zodavudaz.clib.zdz_convert_term
    inner: list[str] = []
    raised: list[bool] = []

    def interrupted(*arguments: object) -> int:
        status = real(*arguments)
        if not raised:
            raised.append(True)
            signal.raise_signal(signal.SIGUSR1)  # its handler runs before raise_signal returns
        return int(status)

    monkeypatch.setattr(zodavudaz.clib, "zdz_convert_term", interrupted)
    previous = signal.signal(signal.SIGUSR1, lambda *_: inner.append(zodavudaz.convert_term("\n" * 9000)))
    try:
        assert zodavudaz.convert_term("a\nb") == "a;b"
    finally:
        signal.signal(signal.SIGUSR1, previous)
    assert inner == [";" * 9000]
