"""Text between Python and the library: no byte lost under the default encoding, bytes accepted
wherever text is, a chosen encoding used both ways, wrong types refused."""

from __future__ import annotations

from collections.abc import Iterator

import pytest

import zodavudaz

EVERY_BYTE = bytes(range(1, 256))


@pytest.fixture
def encoding() -> Iterator[None]:
    yield
    zodavudaz.set_encoding(zodavudaz.DEFAULT_ENCODING)


def test_every_byte_reads_back_as_it_went(encoding: None) -> None:
    text = zodavudaz.reverse_term(EVERY_BYTE.replace(b";", b""))
    assert text.encode(zodavudaz.get_encoding()) == EVERY_BYTE.replace(b";", b"")
    assert zodavudaz.reverse_term(text) == text


@pytest.mark.parametrize("given", ["a\r\nb", b"a\r\nb"])
def test_bytes_and_text_are_alike(given: str | bytes) -> None:
    assert zodavudaz.convert_term(given) == "a;;b"


def test_a_chosen_encoding_is_used_both_ways(encoding: None) -> None:
    zodavudaz.set_encoding("cp932")
    assert zodavudaz.convert_term("測定\r\n値") == "測定;;値"
    assert zodavudaz.reverse_term(b"\x91\xaa\x92\xe8") == "測定"
    # Bytes that do not decode go back unchanged.
    assert zodavudaz.reverse_term(b"\x81").encode("cp932", "surrogateescape") == b"\x81"


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda: zodavudaz.set_encoding("no-such-codec"), LookupError),
        (lambda: zodavudaz.convert_term(3), TypeError),
        (lambda: zodavudaz.convert_term(bytearray(b"x")), TypeError),
        (lambda: zodavudaz.convert_term("a\0b"), ValueError),
        (lambda: zodavudaz.convert_term("\u20ac"), ValueError),  # not in Latin-1
        (lambda: zodavudaz.unit_text(0x10000), ValueError),
    ],
)
def test_wrong_text_is_refused(call, error) -> None:
    with pytest.raises(error):
        call()
    assert zodavudaz.get_encoding() == zodavudaz.DEFAULT_ENCODING


@pytest.mark.parametrize("code, texts, expected", [(0x1234, (), "?"), (0xFFF1, ("mV/V", "x"), "mV/Vx"),
                                                   (0xFFF0, ("abcdef",), "abcd")])
def test_unit_texts(code: int, texts: tuple[str, ...], expected: str) -> None:
    assert zodavudaz.unit_text(code, *texts) == expected
