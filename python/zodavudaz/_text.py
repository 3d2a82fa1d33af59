"""Text between Python and the library: the library's single-byte text in an encoding the caller
chooses, and file names in the file system's own."""

from __future__ import annotations

import codecs
import os

# Latin-1 maps every byte to one character and back, so that stored bytes survive a read and a
# write whatever they are; "cp932" suits settings written where the Japanese language is selected.
DEFAULT_ENCODING = "latin-1"
_encoding = DEFAULT_ENCODING

Text = str | bytes
Path = str | bytes | os.PathLike[str] | os.PathLike[bytes]


def set_encoding(encoding: str) -> None:
    """Makes encoding the codec of every text the package hands to and takes from the library.
    Bytes that do not decode come out as lone surrogates and go back unchanged."""
    global _encoding
    codecs.lookup(encoding)
    _encoding = encoding


def get_encoding() -> str:
    """The codec set_encoding chose, "latin-1" by default."""
    return _encoding


def encode(text: Text, what: str) -> bytes:
    """text as the library's bytes; TypeError for another type, ValueError for a zero byte, which
    would end the text early."""
    if isinstance(text, str):
        raw = text.encode(_encoding, "surrogateescape")
    elif isinstance(text, bytes):
        raw = text
    else:
        raise TypeError(f"{what} must be str or bytes, not {type(text).__name__}")
    if b"\0" in raw:
        raise ValueError(f"{what} holds a zero byte")
    return raw


def decode(raw: bytes) -> str:
    """The library's bytes as text."""
    return raw.decode(_encoding, "surrogateescape")


def encode_path(path: Path, what: str = "file name") -> bytes:
    """A file name as the operating system takes it."""
    if not isinstance(path, (str, bytes, os.PathLike)):
        raise TypeError(f"{what} must be a path, not {type(path).__name__}")
    raw = os.fsencode(path)
    if b"\0" in raw:
        raise ValueError(f"{what} holds a zero byte")
    return raw
