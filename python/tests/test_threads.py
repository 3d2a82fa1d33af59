"""Calls from several Python threads at once: each answer is whole and is the one asked for, the
calls whose results come through the package's per-thread buffers (tests/c-threads mixes the C
calls themselves)."""

from __future__ import annotations

import signal
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

import zodavudaz
from zodavudaz import Settings, ViewerProperty

THREADS = 8
CALLS = 1000
VIEWER_TEXT = ViewerProperty.create(2)
TEXT = VIEWER_TEXT.to_text()


def mixed_calls(worker: int, folder: Path, failures: list[str]) -> None:
    settings = Settings(folder / f"worker{worker}.ini")
    shared = Settings(folder / "shared.ini")
    calls = [
        lambda n: ViewerProperty.from_text(TEXT).to_text() == TEXT,
        lambda n: zodavudaz.convert_term(f"{worker}\r\n{n}") == f"{worker};;{n}",
        # Writes make every file durable, which is slow: one in thirty settings calls writes.
        lambda n: (settings.set("Worker", "Call", str(n)) is None and settings.get("Worker", "Call") == str(n)
                   if n % 90 == 2 else shared.get("Shared", "Value") == "one value"),
    ]
    for n in range(CALLS):
        try:
            if not calls[n % len(calls)](n):
                failures.append(f"worker {worker}, call {n}: wrong answer")
        except Exception as error:  # noqa: BLE001 - every failure is reported, none stops the others
            failures.append(f"worker {worker}, call {n}: {error!r}")


def test_eight_threads_of_mixed_calls(tmp_path: Path) -> None:
    failures: list[str] = []
    Settings(tmp_path / "shared.ini").set("Shared", "Value", "one value")
    with ThreadPoolExecutor(THREADS) as pool:
        list(pool.map(lambda worker: mixed_calls(worker, tmp_path, failures), range(THREADS)))
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
