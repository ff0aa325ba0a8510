"""lobrix.attenuation over a million angles beside the C array entry point LOBRIX_ANT93_MANY
(liblobrix.so, through ctypes: one call, so the call itself costs nothing) on the same angles,
in the same run. Run with the venv's Python after installing ./python:

    build/python-venv/bin/python bench/python_attenuation_bench.py [build/release/exports/liblobrix.so]

Prints the best of several runs, in ns a value, and the ratio Python / C."""
import ctypes
import sys
import time

import numpy as np

import lobrix

N = 1_000_000
CODES = ["030EA10", "100TA00", "510VE00"]


def best(run, repeats=15):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times) / N * 1e9


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "build/release/exports/liblobrix.so"
    lib = ctypes.CDLL(path)
    floats = ctypes.POINTER(ctypes.c_float)
    lib.LOBRIX_ANT93_MANY.argtypes = [ctypes.c_char_p, floats, ctypes.c_size_t, ctypes.c_int,
                                      floats]
    angles32 = np.linspace(-360, 360, N, dtype=np.float32)
    angles64 = angles32.astype(np.float64)
    out = np.empty(N, dtype=np.float32)
    print(f"{'code':8} {'C ns':>7} {'float32 ns':>11} {'ratio':>6} {'float64 ns':>11} {'ratio':>6}")
    for code in CODES:
        c = best(lambda: lib.LOBRIX_ANT93_MANY(code.encode(), angles32.ctypes.data_as(floats), N,
                                               2, out.ctypes.data_as(floats)))
        p32 = best(lambda: lobrix.attenuation(code, angles32))
        p64 = best(lambda: lobrix.attenuation(code, angles64))
        print(f"{code:8} {c:7.2f} {p32:11.2f} {p32 / c:6.2f} {p64:11.2f} {p64 / c:6.2f}")


if __name__ == "__main__":
    main()
