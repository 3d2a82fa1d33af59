"""The zdz-frontend command: its private settings copy, its export, --help without the server's
packages, and a clean stop on Ctrl-C."""

from __future__ import annotations

import hashlib
import io
import os
import shutil
import signal
import stat
import subprocess
import sys
from pathlib import Path

import pytest
from conftest import DEMO_SETTINGS, DEMO_STATIONS

from zodavudaz_frontend import command
from zodavudaz_frontend.private_copy import private_copy

COMMAND = [sys.executable, "-m", "zodavudaz_frontend"]


def test_private_copy_is_0700_and_holds_only_the_regular_files(tmp_path: Path) -> None:
    given = tmp_path / "given"
    given.mkdir()
    (given / "Mardel.ini").write_bytes(b"[A]\r\nB=1\r\n")
    (tmp_path / "secret").write_bytes(b"not to be copied")
    (given / "link.ini").symlink_to(tmp_path / "secret")
    (given / "sub").mkdir()
    os.mkfifo(given / "pipe")
    copy = Path(private_copy(str(given)))
    try:
        assert stat.S_IMODE(copy.stat().st_mode) == 0o700
        assert sorted(path.name for path in copy.iterdir()) == ["Mardel.ini"]
        assert (copy / "Mardel.ini").read_bytes() == b"[A]\r\nB=1\r\n"
    finally:
        shutil.rmtree(copy)


def _export(*arguments: str) -> tuple[int, str]:
    out = io.StringIO()
    parsed = command.export_parser().parse_args(
        ["--stations", str(DEMO_STATIONS), "--settings", str(DEMO_SETTINGS), *arguments])
    from zodavudaz_frontend.export import export
    return export(parsed, out), out.getvalue()


def test_export_csv_names_what_it_holds_and_gives_every_point() -> None:
    status, text = _export("--csv", "1", "1")
    lines = text.splitlines()
    assert status == 0 and lines[:6] == ["# station,1,Alpha", "# module,1,Slot 1 ZO4a21", "# product,ZO4a21",
                                         "# channels,0,1", "# units,raw,raw", "# interval,0.001"]
    assert lines[6].startswith("# library,") and lines[7] == "time,min 0,max 0,min 1,max 1"
    assert lines[8:11] == ["0,0,0,80,80", "0.001,70,70,80,80", "0.002,100,100,80,80"]
    assert len(lines) == 8 + 1000


def test_export_svg_is_deterministic() -> None:
    status, text = _export("--svg", "2", "2")
    assert status == 0 and text == _export("--svg", "2", "2")[1]
    assert text.count('fill="#0000ff"') == 1 and text.count('stroke="#00ff00"') == 1
    assert hashlib.sha256(text.encode()).hexdigest() == \
        "63271cf48e65b4048a8fadb7b29b4c2044a3b6cc9da374f994ee4201e6c82ad2"


def test_export_refuses_an_unknown_channel(capsys: pytest.CaptureFixture[str]) -> None:
    assert _export("--csv", "1", "1", "4")[0] == 1
    assert "no such channel 4" in capsys.readouterr().err


def test_help_works_without_the_servers_packages() -> None:
    blocked = "import sys; sys.modules['aiohttp'] = None; import runpy; runpy.run_module('zodavudaz_frontend', " \
              "run_name='__main__')"
    shown = subprocess.run([sys.executable, "-c", blocked, "--help"], capture_output=True, text=True, check=True)
    assert "zdz-frontend" in shown.stdout
    started = subprocess.run([sys.executable, "-c", blocked], capture_output=True, text=True)
    assert (started.returncode, started.stderr) == (1, "zdz-frontend: aiohttp is missing: install Debian's "
                                                       "python3-aiohttp\n")


@pytest.mark.parametrize("listen, warned", [("127.0.0.1", False), ("127.0.0.2", True)])
def test_server_prints_one_url_and_stops_cleanly_on_ctrl_c(tmp_path: Path, listen: str, warned: bool) -> None:
    server = subprocess.Popen([*COMMAND, "--stations", str(DEMO_STATIONS), "--settings", str(DEMO_SETTINGS),
                               "--listen", listen], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                              env={**os.environ, "TMPDIR": str(tmp_path)})
    try:
        printed = [server.stdout.readline()]  # type: ignore[union-attr]
        while printed[-1] and not printed[-1].startswith("http"):
            printed.append(server.stdout.readline())  # type: ignore[union-attr]
        assert printed[0].startswith("settings: ") and any("the token" in line for line in printed) == warned
        assert printed[-1].startswith(f"http://{listen}:") and "/?token=" in printed[-1]
        copy = Path(printed[0].split()[1])
        assert copy.parent == tmp_path
        assert (copy / "Mardel.ini").read_bytes() == (DEMO_SETTINGS / "Mardel.ini").read_bytes()
    finally:
        server.send_signal(signal.SIGINT)
        _, errors = server.communicate(timeout=30)
    assert (server.returncode, errors) == (0, "")
