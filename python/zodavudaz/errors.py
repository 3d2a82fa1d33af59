"""Exceptions that carry the library's status codes."""

from __future__ import annotations

from . import _c_constants as K
from ._library import C

# The library's own codes (module queries, acquired data, control functions).
UNKNOWN_MODULE_QUERY = 205
UNUSABLE_SLOT = 207
NO_WAVE_INFO = 302
SCRATCH_FAILED = 400
UNKNOWN_MODULE_DATA = 502
CONTROL_FAILED = 0xFFFF


def status_text(status: int) -> str:
    """The library's short text for a status."""
    text: bytes = C.zdz_status_text(status)
    return text.decode("ascii", "replace")


class ZdzError(Exception):
    """A call the library answered with a status other than success: code is the status (the
    library's and the frontend's codes from 1 to 0xFFFF, the C interface's below 0), text what it
    means."""

    def __init__(self, code: int, text: str | None = None) -> None:
        self.code = code
        self.text = status_text(code) if text is None else text
        super().__init__(code, self.text)

    def __str__(self) -> str:
        return f"{self.text} (status {self.code})"


class ZdzUnknown(ZdzError, LookupError):
    """The station or module is not filed (205, 502), or an id or keyword is not known."""


class ZdzNoWaveInfo(ZdzError):
    """The module reported no wave information (302)."""


class ZdzNoMemory(ZdzError, MemoryError):
    """Memory for the request could not be allocated (400)."""


class ZdzRefused(ZdzError):
    """The module, its frontend or the communication library refused the request: their own code,
    207 for a slot that cannot be tested, 0xFFFF for a failed control request."""


class ZdzBusy(ZdzError):
    """The settings file stayed locked by other callers past the 5 s bound."""


class ZdzSettingsFailure(ZdzError):
    """A settings file that cannot be opened, read or written, or a name or value its format
    cannot hold."""


class ZdzNotFound(ZdzError, LookupError):
    """No such file, section, key, entry or stored record."""


class ZdzArgument(ZdzError, ValueError):
    """The library refused a value: a text that does not read, a value out of range."""


class ZdzOrder(ZdzError):
    """A call out of order: a second database, virtual stations outside a database, an
    interpreter fed from its own handler."""


class ZdzTimeout(ZdzError, TimeoutError):
    """Nothing came before the time-out (a wait for an acquisition)."""


class ZdzExists(ZdzError):
    """The station or module id is already filed."""


class ZdzDefaultsWarning(UserWarning):
    """A station's stored state could not be read (the file stayed locked or is unreadable), so it
    took its defaults; the call still succeeded."""


_CLASSES: dict[int, type[ZdzError]] = {
    UNKNOWN_MODULE_QUERY: ZdzUnknown,
    UNKNOWN_MODULE_DATA: ZdzUnknown,
    K.ZDZ_E_UNKNOWN: ZdzUnknown,
    NO_WAVE_INFO: ZdzNoWaveInfo,
    SCRATCH_FAILED: ZdzNoMemory,
    K.ZDZ_E_NO_MEMORY: ZdzNoMemory,
    K.ZDZ_E_BUSY: ZdzBusy,
    K.ZDZ_E_REFUSED_NAME: ZdzSettingsFailure,
    K.ZDZ_E_FILE_SYSTEM: ZdzSettingsFailure,
    K.ZDZ_E_NOT_FOUND: ZdzNotFound,
    K.ZDZ_E_ARGUMENT: ZdzArgument,
    K.ZDZ_E_ORDER: ZdzOrder,
    K.ZDZ_E_EXISTS: ZdzExists,
    K.ZDZ_E_TIMEOUT: ZdzTimeout,
}


def _nothing_pending() -> None:
    pass


# Raises what a callback on the simulation's thread left for the calling thread (set by live).
raise_pending = _nothing_pending


def last_error() -> str:
    """The library's text about the thread's last call where it knows more than the status ("" where
    it does not): the statement, file, section, product or length the call was about."""
    text: bytes = C.zdz_last_error()
    return text.decode("ascii", "replace")


def error_for(status: int, text: str | None = None) -> ZdzError:
    """The exception for a status other than success."""
    default = ZdzRefused if status > 0 else ZdzError
    return _CLASSES.get(status, default)(status, text)


def check(status: int) -> None:
    """Raises the exception for status unless it is success, after any exception that an
    acquisition callback left for this thread, with the library's text about the call where it has
    one."""
    raise_pending()
    if status != K.ZDZ_OK:
        detail = last_error()
        raise error_for(status, f"{status_text(status)}: {detail}" if detail else None)
