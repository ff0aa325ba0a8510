"""The C library, liblobrix.so, loaded with ctypes as a C caller would use it: the package's
values are compared with its own. scripts/test names it in LOBRIX_SHARED_LIBRARY (the release
build's); without it those tests are skipped."""
import ctypes
import os

import pytest


@pytest.fixture(scope="session")
def clib():
    path = os.environ.get("LOBRIX_SHARED_LIBRARY")
    if not path:
        pytest.skip("LOBRIX_SHARED_LIBRARY is not set")
    lib = ctypes.CDLL(path)
    text, f32, i32 = ctypes.c_char_p, ctypes.c_float, ctypes.c_int
    lib.VERANT.argtypes, lib.VERANT.restype = [text], i32
    lib.ANT93.argtypes, lib.ANT93.restype = [text, f32, i32], f32
    lib.ANT3D.argtypes = [text, f32, f32, text, f32, f32, i32]
    lib.ANT3D.restype = f32
    lib.ZISKANTVA.argtypes, lib.ZISKANTVA.restype = [text, text], f32
    return lib
