"""The package's declarations against the C headers: every function and callback type bound with
its result and argument types, every record laid out field by field, every constant of the same value."""

from __future__ import annotations

import ctypes

import pytest
from c_header import Function, read_headers
from conftest import TOP

from zodavudaz import _c_constants, _c_records, _library
from zodavudaz._c_functions import SIGNATURES, SIMULATION_SIGNATURES

HEADER = read_headers(TOP)
SIMULATION_NAMES = {name for name in HEADER.functions if name.startswith("zdz_sim_")}

SCALARS = {f"{name}_t": getattr(ctypes, f"c_{name}") for name in ("int16", "int32", "uint8", "uint16", "uint32")}
SCALARS |= {"uintptr_t": ctypes.c_size_t, "double": ctypes.c_double, "char": ctypes.c_char}


def expected_type(declared: str) -> object:
    """The ctypes type a C type is passed as: text as c_char_p, untyped and opaque pointers as
    c_void_p, records and callbacks as the package's own."""
    bare = declared.removeprefix("const ")
    if bare == "void":
        return None
    if bare in SCALARS:
        return SCALARS[bare]
    if bare in ("char*", "void*") or bare.removesuffix("*") in HEADER.opaque:
        return ctypes.c_char_p if bare == "char*" else ctypes.c_void_p
    if bare in HEADER.callbacks:
        return _c_records.CALLBACKS[bare]
    if bare.endswith("*)(void*)"):
        return "locked call"
    assert bare.endswith("*"), f"no ctypes type for {declared!r}"
    pointee = bare[:-1]
    if pointee in HEADER.records:
        return ctypes.POINTER(_c_records.RECORDS[pointee])
    return ctypes.POINTER(expected_type(pointee))  # type: ignore[arg-type]


def same_type(bound: object, expected: object) -> bool:
    if expected == "locked call":
        return getattr(bound, "_restype_", None) is ctypes.c_int32 and getattr(bound, "_argtypes_", None) == (
            ctypes.c_void_p,)
    return bound is expected


def bound_types(name: str) -> tuple[object, tuple[object, ...]]:
    """The result and argument types the package gives a function or a callback type."""
    if name in _c_records.CALLBACKS:
        callback = _c_records.CALLBACKS[name]
        return callback._restype_, callback._argtypes_
    bound = getattr(_library.SIMULATION if name in SIMULATION_NAMES else _library.C, name)
    return bound.restype, tuple(bound.argtypes)


def test_the_package_declares_every_function_and_no_other() -> None:
    assert len(HEADER.functions) >= 150 and len(HEADER.records) == 7 and SIMULATION_NAMES
    assert set(SIGNATURES) == set(HEADER.functions) - SIMULATION_NAMES
    assert set(SIMULATION_SIGNATURES) == SIMULATION_NAMES


@pytest.mark.parametrize("function", [*HEADER.functions.values(), *HEADER.callbacks.values()],
                         ids=lambda function: function.name)
def test_every_function_and_callback_is_bound_with_its_types(function: Function) -> None:
    result, arguments = bound_types(function.name)
    assert result is (ctypes.c_char_p if function.result == "const char*" else expected_type(function.result))
    assert len(arguments) == len(function.parameters)
    for parameter, argument in zip(function.parameters, arguments):
        assert same_type(argument, expected_type(parameter.type)), parameter


@pytest.mark.parametrize("name", sorted(HEADER.records))
def test_every_record_has_the_headers_fields(name: str) -> None:
    record = _c_records.RECORDS[name]
    declared = [(field.name, field.type, field.count) for field in HEADER.records[name]]
    assert [field[0] for field in record._fields_] == [field[0] for field in declared]
    for (_, kind), (field, declared_type, count) in zip(record._fields_, declared):
        base = _c_records.RECORDS[declared_type] if declared_type in _c_records.RECORDS else SCALARS[declared_type]
        assert kind is base if count is None else (kind._type_ is base and kind._length_ == count), field


def test_constants_have_the_headers_values() -> None:
    ours = {name: value for name, value in vars(_c_constants).items() if name.startswith("ZDZ_")}
    assert ours and {name: HEADER.constants.get(name) for name in ours} == ours
