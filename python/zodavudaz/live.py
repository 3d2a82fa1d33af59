"""Live acquisitions of virtual stations: starting and stopping them, the announcements the
simulation's thread makes, waits and iterators that wake for Ctrl-C, and callbacks whose
exceptions reach the thread that registered them."""

from __future__ import annotations

import atexit
import ctypes
import queue
import threading
import time
from collections.abc import Callable, Iterator
from dataclasses import dataclass
from typing import TYPE_CHECKING, Any

from . import _c_constants as K
from . import errors
from ._c_records import SimReceiver
from ._library import SIMULATION, LibraryNotLoaded
from .errors import ZdzArgument, ZdzOrder, ZdzTimeout, check

if TYPE_CHECKING:
    from .acquisition import Waveform
    from .modules import Module
    from .stations import Station

# The longest a wait blocks at a time, so that Ctrl-C interrupts it promptly.
POLL_SECONDS = 0.1
# Reads of a waveform before giving up on finding the acquisition unchanged around one.
READ_ATTEMPTS = 5

Key = tuple[int, int]


@dataclass(frozen=True)
class Announcement:
    """One completed acquisition: its module, its number (from 1 after each start) and its time
    stamp (whole seconds since 1970)."""

    station: int
    module: int
    number: int
    time_stamp: int


def _simulation() -> ctypes.CDLL:
    if SIMULATION is None:
        raise LibraryNotLoaded("live acquisitions need the simulated sibling libraries")
    return SIMULATION


def _read(packet: Any, length: int) -> Announcement | None:
    station, module, number, stamp = ctypes.c_uint16(), ctypes.c_uint16(), ctypes.c_uint32(), ctypes.c_uint32()
    status = _simulation().zdz_sim_read_announcement(packet, length, ctypes.byref(station), ctypes.byref(module),
                                                     ctypes.byref(number), ctypes.byref(stamp))
    return Announcement(station.value, module.value, number.value, stamp.value) if status == K.ZDZ_OK else None


class _Listener:
    def __init__(self, key: Key, callback: Callable[[Announcement], object], thread: int) -> None:
        self.key = key
        self.callback = callback
        self.thread = thread


class _Hub:
    """The package's one receiver: counts each module's announcements and hands them to the
    listeners, on the simulation's thread and with no lock of the package held."""

    def __init__(self) -> None:
        self._changed = threading.Condition()
        # Kept alive while the library may call it.
        self._receiver = SimReceiver(self._receive)
        self._id: int | None = None
        self._heard: dict[Key, int] = {}
        self._taken: dict[Key, int] = {}
        self._latest: dict[Key, Announcement] = {}
        self._listeners: dict[int, _Listener] = {}
        self._next_listener = 1
        self._calling: int | None = None
        self._pending: dict[int, list[BaseException]] = {}

    def ensure(self) -> None:
        """Registers the receiver, until the open database ends."""
        from .database import current_database

        with self._changed:
            if self._id is not None:
                return
            added = ctypes.c_uint32()
            check(_simulation().zdz_sim_add_receiver(self._receiver, None, ctypes.byref(added)))
            self._id = added.value
        database = current_database()
        if database is not None:
            database.before_exit(self.stop)

    def stop(self) -> None:
        """Unregisters the receiver and every listener, once no callback runs any more;
        ZdzOrder from inside a callback, which would wait for itself."""
        if _inside_callback():
            raise ZdzOrder(K.ZDZ_E_ORDER, "the database ends from inside an acquisition callback")
        with self._changed:
            receiver, self._id = self._id, None
            self._listeners.clear()
            self._heard.clear()
            self._taken.clear()
            self._latest.clear()
        if receiver is not None and SIMULATION is not None:
            SIMULATION.zdz_sim_remove_receiver(receiver)

    def listen(self, key: Key, callback: Callable[[Announcement], object]) -> int:
        with self._changed:
            number = self._next_listener
            self._next_listener += 1
            self._listeners[number] = _Listener(key, callback, threading.get_ident())
            return number

    def unlisten(self, number: int) -> None:
        with self._changed:
            self._listeners.pop(number, None)
            if not _inside_callback():
                self._changed.wait_for(lambda: self._calling != number)

    def arm(self, key: Key) -> None:
        """A wait after this waits for an acquisition announced after it."""
        with self._changed:
            self._taken[key] = self._heard.get(key, 0)

    def wait(self, key: Key, timeout: float | None) -> Announcement:
        if _inside_callback():
            raise ZdzOrder(K.ZDZ_E_ORDER, "waiting for an acquisition from inside an acquisition callback")
        deadline = None if timeout is None else time.monotonic() + timeout
        with self._changed:
            while self._heard.get(key, 0) <= self._taken.get(key, 0):
                left = POLL_SECONDS if deadline is None else min(POLL_SECONDS, deadline - time.monotonic())
                if left <= 0:
                    raise ZdzTimeout(K.ZDZ_E_TIMEOUT, f"no acquisition of module {key[1]} of station {key[0]} "
                                                      f"within {timeout} s")
                self._changed.wait(left)
            self._taken[key] = self._heard[key]
            return self._latest[key]

    def raise_pending(self) -> None:
        with self._changed:
            pending = self._pending.get(threading.get_ident())
            error = pending.pop(0) if pending else None
        if error is not None:
            raise error

    def _receive(self, user: object, packet: Any, length: int) -> None:
        _callback_thread.inside = True
        try:
            announcement = _read(packet, length)
            if announcement is not None:
                self._announce(announcement)
        finally:
            _callback_thread.inside = False

    def _announce(self, announcement: Announcement) -> None:
        key = (announcement.station, announcement.module)
        with self._changed:
            self._heard[key] = self._heard.get(key, 0) + 1
            self._latest[key] = announcement
            self._changed.notify_all()
            listeners = [(number, each) for number, each in self._listeners.items() if each.key == key]
        for number, listener in listeners:
            with self._changed:
                if number not in self._listeners:
                    continue
                self._calling = number
            try:
                listener.callback(announcement)
            except BaseException as error:  # noqa: BLE001 - handed to the registering thread
                error.add_note("raised by an acquisition callback on the simulation's thread")
                with self._changed:
                    self._pending.setdefault(listener.thread, []).append(error)
            finally:
                with self._changed:
                    self._calling = None
                    self._changed.notify_all()


_callback_thread = threading.local()


def _inside_callback() -> bool:
    return getattr(_callback_thread, "inside", False)


_hub = _Hub()
errors.raise_pending = _hub.raise_pending
atexit.register(_hub.stop)


def ensure_receiver() -> None:
    """Hears every announcement from now until the open database ends (virtual stations do this
    when they load, so that no acquisition is missed)."""
    _hub.ensure()


class AcquisitionCallback:
    """A registered on_acquisition callback; remove() unregisters it."""

    def __init__(self, number: int) -> None:
        self._number = number

    def remove(self) -> None:
        """Unregisters the callback: it is not called again once this returns, and this returns
        once a call in progress has returned (at once from inside the callback)."""
        _hub.unlisten(self._number)

    def __enter__(self) -> AcquisitionCallback:
        return self

    def __exit__(self, *exception: object) -> None:
        self.remove()


def on_acquisition(module: Module, callback: Callable[[Announcement], object]) -> AcquisitionCallback:
    _hub.raise_pending()
    _hub.ensure()
    return AcquisitionCallback(_hub.listen(module.ids(), callback))


def wait_for_acquisition(module: Module, timeout: float | None) -> Announcement:
    _hub.raise_pending()
    _hub.ensure()
    return _hub.wait(module.ids(), timeout)


def read_whole(module: Module, channel: int) -> Waveform:
    """The channel's latest acquisition, read until the wave information names the same
    acquisition before and after the samples."""
    for _ in range(READ_ATTEMPTS):
        before = module.wave_info(channel)[0]
        waveform = module.read(channel, info=before)
        if module.wave_info(channel)[0].acquisition_number == before.acquisition_number:
            break
    return waveform


def acquisitions(module: Module, timeout: float | None, channel: int) -> Iterator[Waveform]:
    # Registered now, not at the first next(): an acquisition announced in between is not lost.
    arrived: queue.SimpleQueue[Announcement] = queue.SimpleQueue()
    return _yield_acquisitions(module, timeout, channel, arrived, on_acquisition(module, arrived.put))


def _yield_acquisitions(module: Module, timeout: float | None, channel: int,
                        arrived: queue.SimpleQueue[Announcement], handle: AcquisitionCallback) -> Iterator[Waveform]:
    with handle:
        while _next_arrival(arrived, timeout):
            yield read_whole(module, channel)


def _next_arrival(arrived: queue.SimpleQueue[Announcement], timeout: float | None) -> bool:
    """Waits in short steps, so that Ctrl-C interrupts it; False after timeout seconds."""
    deadline = None if timeout is None else time.monotonic() + timeout
    while True:
        left = POLL_SECONDS if deadline is None else min(POLL_SECONDS, deadline - time.monotonic())
        try:
            arrived.get(timeout=max(left, 0))
            return True
        except queue.Empty:
            if deadline is not None and time.monotonic() >= deadline:
                return False


def _post(station: Station, function: Callable[[int, int], int]) -> None:
    _hub.raise_pending()
    modules = list(station.modules)
    if not modules:
        raise ZdzArgument(K.ZDZ_E_ARGUMENT, f"station {station.id} has no modules to start or stop")
    # The system's own sequence library acts on the posts by itself.
    simulated = SIMULATION is not None
    if simulated:
        _hub.ensure()
    for module in modules:
        _hub.arm(module.ids())
        check(function(*module.ids()))
    if simulated:
        settle()


def start(station: Station) -> None:
    from ._library import C

    _post(station, C.zdz_zoc_start_button)


def stop(station: Station) -> None:
    from ._library import C

    _post(station, C.zdz_zoc_stop_button)


def settle() -> None:
    """Returns once the simulation's thread has acted on every start and stop posted so far."""
    check(_simulation().zdz_sim_advance(0.0))


def use_stepped_clock(stepped: bool = True) -> None:
    """stepped: the simulation's clock moves only with advance(); otherwise the wall clock."""
    check(_simulation().zdz_sim_set_stepped_clock(int(stepped)))


def advance(seconds: float) -> None:
    """Moves the stepped clock on and returns once every acquisition then due was announced and
    its callbacks returned."""
    _hub.raise_pending()
    check(_simulation().zdz_sim_advance(float(seconds)))

