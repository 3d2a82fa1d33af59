"""The front end's own copy of a settings folder, so that it never writes the one it was given."""

from __future__ import annotations

import os
import stat
import tempfile


def _copy_regular(source: str, target: str) -> None:
    """Copies a regular file's bytes; a link (not followed) raises OSError, and anything else that
    took the file's place between the listing and the opening is left out."""
    descriptor = os.open(source, os.O_RDONLY | os.O_NOFOLLOW | os.O_NONBLOCK)
    with os.fdopen(descriptor, "rb") as reading:
        if not stat.S_ISREG(os.fstat(descriptor).st_mode):
            return
        with open(os.open(target, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600), "wb") as writing:
            writing.write(reading.read())


def private_copy(folder: str) -> str:
    """A new folder only this user may enter (0700) holding copies of folder's regular files; links,
    subfolders and other entries are left out. The copy is kept after the run."""
    copy = tempfile.mkdtemp(prefix="zdz-frontend-settings-")
    with os.scandir(folder) as entries:
        for entry in entries:
            if entry.is_file(follow_symlinks=False):
                _copy_regular(entry.path, os.path.join(copy, entry.name))
    return copy
