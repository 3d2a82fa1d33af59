"""Packets: decoding as the zdz tool shows it, and Python handlers called by the interpreter,
rewriting packets, calling the package, stopping a dispatch and raising."""

from __future__ import annotations

import functools
import struct
import subprocess

import pytest
from test_database import Boom
from test_viewer import zdz_tool

import zodavudaz
from zodavudaz import Interpreter, PacketKind, StopDispatch, ViewerProperty


def packet(command: int, control: int, data: bytes = b"", module: int = 2) -> bytearray:
    size = 16 + len(data)
    return bytearray(struct.pack("<IIIIBBHBBHII", size, size, 1, 1, module, command, control, 0, 0, 0, 0, 0) + data)


class Recorder(Interpreter):
    """Records the handlers it is called for; each may be given something to do first."""

    def __init__(self) -> None:
        super().__init__()
        self.calls: list[str] = []
        self.actions: dict[str, object] = {}

    def _record(self, name: str, view: memoryview) -> None:
        self.calls.append(name)
        action = self.actions.get(name)
        if callable(action):
            action(view)


for _name in ("RplyWarning", "RplyError", "RplyOthersGroup", "RplyStart", "RplyStop", "ReqClientStart"):
    setattr(Recorder, _name, functools.partialmethod(Recorder._record, _name))


@pytest.mark.parametrize(
    "command, control, calls",
    [
        (0x90, 0x000, ["RplyWarning", "RplyOthersGroup"]),
        (0x30, 0x000, ["RplyWarning", "RplyError"]),
        (0x88, 0x400, ["RplyStart"]),
        (0x40, 0x9112, ["ReqClientStart"]),
        (0x08, 0x400, []),
        (0x88, 0x402, []),  # RplyExecDefault is not overridden
    ],
)
def test_overridden_handlers_are_called_in_dispatch_order(command: int, control: int, calls: list[str]) -> None:
    with Recorder() as recorder:
        assert recorder.interpret(packet(command, control))
        assert recorder.calls == calls


def raise_boom(view: memoryview) -> None:
    raise Boom("from a handler")


def stop(view: memoryview) -> None:
    raise StopDispatch


@pytest.mark.parametrize("action, raised, result", [(raise_boom, Boom, None), (stop, None, False)],
                         ids=["exception raised again", "StopDispatch quiet"])
def test_a_handler_that_raises_ends_its_packet(action, raised, result) -> None:
    recorder = Recorder()
    recorder.actions["RplyWarning"] = action
    if raised:
        with pytest.raises(raised, match="from a handler"):
            recorder.interpret(packet(0x30, 0))
    else:
        assert recorder.interpret(packet(0x30, 0)) is result
    assert recorder.calls == ["RplyWarning"]
    recorder.actions.clear()
    assert recorder.interpret(packet(0x30, 0)) and recorder.calls == ["RplyWarning", "RplyWarning", "RplyError"]


def test_a_handler_rewrites_the_packet() -> None:
    recorder = Recorder()
    seen: list[int] = []

    def rewrite(view: memoryview) -> None:
        view[32] = 0x77

    recorder.actions["RplyWarning"] = rewrite
    recorder.actions["RplyError"] = lambda view: seen.append(view[32])
    data = packet(0x30, 0, b"\x01")
    recorder.interpret(data)
    assert seen == [0x77] and data[32] == 0x77
    unchanged = bytes(packet(0x30, 0, b"\x01"))
    recorder.interpret(unchanged)
    assert seen == [0x77, 0x77] and unchanged[32] == 1


def test_a_handler_calls_the_package(demo: zodavudaz.Database) -> None:
    recorder = Recorder()
    seen: list[object] = []

    def use_package(view: memoryview) -> None:
        seen.append(demo.stations[view[16]].name)
        seen.append(zodavudaz.decode_packet(view).splitlines()[3])
        recorder.interpret(packet(0x88, 0x400))

    recorder.actions["RplyWarning"] = use_package
    with pytest.raises(zodavudaz.ZdzOrder):
        recorder.interpret(packet(0x90, 0, module=1))
    assert seen == ["Alpha", "module id       1 (module 1)"]


def test_misspelt_handlers_are_refused() -> None:
    class Misspelt(Interpreter):
        def RplyWarnings(self, view: memoryview) -> None:
            pass

    with pytest.raises(TypeError, match="RplyWarnings"):
        Misspelt()


@pytest.mark.parametrize("make, use", [(Recorder, lambda recorder: recorder.interpret(packet(0x90, 0))),
                                       (lambda: ViewerProperty.create(1), lambda record: record.to_text())],
                         ids=["interpreter", "viewer settings record"])
def test_closed_twice_then_refused(make, use) -> None:
    closed = make()
    closed.close()
    closed.close()
    with pytest.raises(ValueError, match="closed|released"):
        use(closed)


@pytest.mark.parametrize("data, error", [(b"\0" * 31, zodavudaz.ZdzArgument), ("00" * 32, TypeError)])
def test_decoding_refuses_what_is_not_a_packet(data, error) -> None:
    with pytest.raises(error):
        zodavudaz.decode_packet(data)


@pytest.mark.parametrize(
    "data, kind, option, heading, field, value, notes",
    [
        (packet(0x88, 0x400), PacketKind.MODULE, "--module", "module packet", "handlers", "RplyStart", 0),
        (packet(0x30, 0x9112, b"\x01\x02\x03"), PacketKind.MODULE, "--module", "module packet", "control",
         "0x9112: id 0x112, offset 9", 0),
        (bytes(64), PacketKind.STATION, "--station", "station packet", "module packet.command id",
         "0x00: group 0 (request exec), request", 1),
        (bytes(range(40)), PacketKind.SEMI, "--semi", "semi-module packet", "control", "0x0302: id 0x302, offset 0", 0),
    ],
    ids=["handlers", "control", "station packet", "semi-module packet"],
)
def test_decoding_shows_what_the_tool_shows_with_its_fields_by_name(data: bytes, kind: PacketKind, option: str,
                                                                   heading: str, field: str, value: str,
                                                                   notes: int) -> None:
    shown = subprocess.run([zdz_tool(), "packet", "decode", option, bytes(data).hex()], check=True,
                           capture_output=True).stdout.decode("latin-1")
    decoded = zodavudaz.decode_packet_fields(data, kind)
    assert decoded.text == zodavudaz.decode_packet(data, kind) == shown
    assert (decoded.kind, decoded[field], len(decoded.notes)) == (heading, value, notes)
