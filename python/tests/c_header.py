"""Reads the C headers' declarations: exported functions, records, callback types and constants."""

from __future__ import annotations

import re
from dataclasses import dataclass
from pathlib import Path

HEADERS = ("zodavudaz/zodavudaz_c.h", "zodavudaz/sim/zodavudaz_sim_c.h")


@dataclass(frozen=True)
class Declared:
    """A parameter, or a record's field with its array's count."""

    type: str
    name: str
    count: int | None = None


@dataclass(frozen=True)
class Function:
    name: str
    result: str
    parameters: tuple[Declared, ...]


@dataclass
class Header:
    functions: dict[str, Function]
    records: dict[str, tuple[Declared, ...]]
    opaque: set[str]
    callbacks: dict[str, Function]
    constants: dict[str, int]


def _without_comments(text: str) -> str:
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", " ", text)


def _normal_type(text: str) -> str:
    """"const char *" and "const char*" alike: one blank between words, none before a star."""
    text = re.sub(r"\s+", " ", text).strip()
    return re.sub(r"\s*\*", "*", text)


def _split_top(text: str) -> list[str]:
    parts, depth, current = [], 0, ""
    for character in text:
        depth += {"(": 1, ")": -1}.get(character, 0)
        if character == "," and depth == 0:
            parts.append(current)
            current = ""
        else:
            current += character
    if current.strip():
        parts.append(current)
    return parts


def _parameter(text: str) -> Declared:
    text = text.strip()
    pointer = re.fullmatch(r"(.+?)\(\s*\*\s*(\w+)\s*\)\s*\((.*)\)", text, flags=re.S)
    if pointer:
        inner = tuple(_parameter(each) for each in _split_top(pointer.group(3)))
        signature = ",".join(each.type for each in inner)
        return Declared(f"{_normal_type(pointer.group(1))}(*)({signature})", pointer.group(2))
    if text == "void":
        return Declared("void", "")
    match = re.fullmatch(r"(.+?[\s*])(\w+)", text, flags=re.S)
    assert match, f"cannot read parameter {text!r}"
    return Declared(_normal_type(match.group(1)), match.group(2))


def _function(result: str, name: str, parameters: str) -> Function:
    read = tuple(_parameter(each) for each in _split_top(parameters))
    return Function(name, _normal_type(result), tuple(each for each in read if each.type != "void"))


def _fields(body: str) -> tuple[Declared, ...]:
    fields = []
    for statement in [each.strip() for each in body.split(";") if each.strip()]:
        match = re.fullmatch(r"(.+?)\s+(\w+)(?:\[(\d+)\])?", statement, flags=re.S)
        assert match, f"cannot read field {statement!r}"
        count = int(match.group(3)) if match.group(3) else None
        fields.append(Declared(_normal_type(match.group(1)), match.group(2), count))
    return tuple(fields)


def read_headers(top: Path) -> Header:
    """Every declaration of the C headers under the tree's top folder."""
    header = Header({}, {}, set(), {}, {})
    for path in HEADERS:
        raw = (top / path).read_text(encoding="utf-8")
        for name, value in re.findall(r"^#define\s+(ZDZ_\w+)\s+\(?(-?(?:0x[0-9A-Fa-f]+|\d+))u?\)?\s*$", raw, re.M):
            header.constants[name] = int(value, 0)
        text = _without_comments(raw)
        for result, name, parameters in re.findall(r"ZODAVUDAZ_EXPORT\s+([\w\s*]+?)\s*\b(zdz_\w+)\s*\((.*?)\)\s*;",
                                                   text, flags=re.S):
            header.functions[name] = _function(result, name, parameters)
        for name, body in re.findall(r"typedef\s+struct\s+(zdz_\w+)\s*\{(.*?)\}\s*\1\s*;", text, flags=re.S):
            header.records[name] = _fields(body)
        header.opaque.update(re.findall(r"typedef\s+struct\s+(zdz_\w+)\s+\1\s*;", text))
        for result, name, parameters in re.findall(r"typedef\s+([\w\s*]+?)\s*\(\s*\*\s*(zdz_\w+)\s*\)\s*\((.*?)\)\s*;",
                                                   text, flags=re.S):
            header.callbacks[name] = _function(result, name, parameters)
    return header
