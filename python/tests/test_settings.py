"""Settings files: values read and written byte for byte, None for what is missing, refusals
before the call, the 5 s bound as ZdzBusy, placements and back-up information."""

from __future__ import annotations

import subprocess
import sys
from pathlib import Path

import pytest

import zodavudaz
from zodavudaz import Settings, WindowPlacement

# Where the library's byte locks of a settings file lie.
GATE_BYTE = 0x7FFFFFFE


def write_file(path: Path, *lines: str) -> Settings:
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("latin-1"))
    return Settings(path)


def test_every_byte_but_cr_and_lf_survives_a_write_and_a_read(tmp_path: Path) -> None:
    value = bytes(byte for byte in range(1, 256) if byte not in b"\r\n")
    settings = Settings(tmp_path / "bytes.ini")
    settings.set("Bytes", "All", value.decode(zodavudaz.DEFAULT_ENCODING))
    read = settings.get("Bytes", "All")
    assert read is not None and read.encode(zodavudaz.DEFAULT_ENCODING) == value
    assert (tmp_path / "bytes.ini").read_bytes() == b"[Bytes]\r\nAll=" + value + b"\r\n\r\n"
    settings.set(b"Bytes", b"Raw", value)
    assert settings.get(b"Bytes", b"Raw") == read


@pytest.mark.parametrize("file, call, error", [
    ("new.ini", lambda settings: settings.set("S", "K", "a\rb"), ValueError),
    ("new.ini", lambda settings: settings.set("S", "K", "a\nb"), ValueError),
    ("new.ini", lambda settings: settings.set("S", "K\r", "v"), ValueError),
    ("new.ini", lambda settings: settings.set("S\n", "K", "v"), ValueError),
    ("new.ini", lambda settings: settings.set("S", "K", b"\r\n"), ValueError),
    ("new.ini", lambda settings: settings.set("S", "", "v"), zodavudaz.ZdzSettingsFailure),
    ("new.ini", lambda settings: settings.set("S", "a=b", "v"), zodavudaz.ZdzSettingsFailure),
    ("new.ini", lambda settings: settings.set("S", "[a", "v"), zodavudaz.ZdzSettingsFailure),
    (".", lambda settings: settings.get("S", "K"), zodavudaz.ZdzSettingsFailure),
    (".", lambda settings: settings.set("S", "K", "v"), zodavudaz.ZdzSettingsFailure),
    ("no-folder/a.ini", lambda settings: settings.set("S", "K", "v"), zodavudaz.ZdzSettingsFailure),
], ids=["CR in a value", "LF in a value", "CR in a key", "LF in a section", "CR LF as bytes", "empty key",
        "key with an equals sign", "key that opens a section", "read of a folder", "write to a folder",
        "write into a missing folder"])
def test_refused_calls_raise_and_make_no_file(tmp_path: Path, file: str, call, error) -> None:
    with pytest.raises(error):
        call(Settings(tmp_path / file))
    assert list(tmp_path.iterdir()) == []


@pytest.mark.parametrize("file, section, key, expected", [("missing.ini", "Settings", "WindowPos", None),
                                                          ("present.ini", "Other", "WindowPos", None),
                                                          ("present.ini", "Settings", "Other", None),
                                                          ("present.ini", "Settings", "Empty", "")])
def test_missing_file_section_or_key_reads_as_none_and_empty_as_empty(tmp_path: Path, file: str, section: str,
                                                                      key: str, expected: str | None) -> None:
    write_file(tmp_path / "present.ini", "[Settings]", "WindowPos=1,2", "Empty=")
    assert Settings(tmp_path / file).get(section, key) == expected


# Holds the gate byte of a file until its standard input closes. Another process, because closing
# any descriptor of the file would drop a lock this process held.
HOLDER = f"""
import fcntl, os, sys
with open(sys.argv[1], "rb+") as held:
    fcntl.lockf(held, fcntl.LOCK_EX | fcntl.LOCK_NB, 2, {GATE_BYTE}, os.SEEK_SET)
    print("held", flush=True)
    sys.stdin.read()
"""


def test_a_file_locked_past_the_bound_raises_busy(tmp_path: Path) -> None:
    settings = write_file(tmp_path / "locked.ini", "[S]", "K=v")
    # Leaving the block closes the holder's standard input, which lets it end.
    with subprocess.Popen([sys.executable, "-c", HOLDER, str(tmp_path / "locked.ini")], stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, text=True) as holder:
        assert holder.stdout is not None and holder.stdout.readline() == "held\n"
        with pytest.raises(zodavudaz.ZdzBusy):
            settings.get("S", "K")


def test_whole_file_and_lines(tmp_path: Path) -> None:
    settings = write_file(tmp_path / "lines.ini", "[S]", "A=1", "", "[T]", "B=2")
    assert settings.text() == "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n"
    assert list(settings.lines()) == ["[S]\r\n", "A=1\r\n", "\r\n", "[T]\r\n", "B=2\r\n"]


PLACEMENT = WindowPlacement(0, 1, -1, -1, -8, -8, 10, 20, 810, 620)


def test_the_main_window_placement_round_trips(tmp_path: Path) -> None:
    settings = Settings(tmp_path / "Mardel.tmp")
    assert settings.window_placement() is None
    settings.set_window_placement(PLACEMENT)
    assert settings.window_placement() == PLACEMENT


def test_back_up_information(demo: zodavudaz.Database, tmp_path: Path) -> None:
    settings = write_file(tmp_path / "Mardel.tmp", "[StationAlpha]", "Database=stored", "",
                          "[StationAlpha-Module1]", "Product=ZO4a21 input", "ModuleInf=1;2;3")
    alpha = demo.stations["Alpha"]
    assert settings.station_backup_info(1) == "stored"
    assert settings.module_backup_info(alpha.modules[1]) == "1;2;3"
    assert settings.station_backup_info(2) == ""
    assert settings.module_backup_info(alpha.modules[3]) is None


def test_an_application_without_a_registration_has_no_install_directory() -> None:
    assert zodavudaz.install_directory("NoSuchApplication") is None


def test_sections_and_keys_are_those_reads_find(tmp_path: Path) -> None:
    settings = write_file(tmp_path / "names.ini", "[A]", "K=1", "note without equals", "K=2", " Spaced =3", "",
                          "Lost=4", "[Line[2]]", "=empty name", "[A]", "Other=5", "  [B]  ", "[C] x")
    assert settings.sections() == ["A", "Line[2]", "B"]
    assert settings.keys("A") == ["K", " Spaced "] and settings.keys("Line[2]") == [""]
    assert settings.keys("B") == []  # "[C] x" is no header, and no key
    with pytest.raises(zodavudaz.ZdzNotFound, match=r"no section \[Z\] in"):
        settings.keys("Z")
    with pytest.raises(zodavudaz.ZdzNotFound):
        Settings(tmp_path / "missing.ini").sections()


@pytest.mark.parametrize(
    "value, get, expected",
    [
        ("42", Settings.get_int, 42),
        (" -0x1F ", Settings.get_int, -31),
        ("2.5e3", Settings.get_float, 2500.0),
        ("Yes", Settings.get_bool, True),
        ("0", Settings.get_bool, False),
        ("4x", Settings.get_int, ValueError),
        ("1.5", Settings.get_int, ValueError),
        ("maybe", Settings.get_bool, ValueError),
        (None, Settings.get_int, None),
    ],
)
def test_typed_reads(tmp_path: Path, value, get, expected) -> None:
    settings = write_file(tmp_path / "typed.ini", "[S]", *([] if value is None else [f"K={value}"]))
    if expected is ValueError:
        with pytest.raises(ValueError, match=r"\[S\] K="):
            get(settings, "S", "K")
    else:
        assert get(settings, "S", "K") == expected
