"""Lobrix: the antenna radiation-pattern codes of the HCM agreement.

A code is seven characters such as "030EA10": check it, compute its attenuation in its own
plane (ANT93) or that of a horizontal/vertical code pair in any direction (ANT3D), the gain of
a pair, and draw its diagrams. Angles are degrees; values are single precision, as the C
library computes them. An array of angles is computed in one call, without the interpreter
lock.
"""
from __future__ import annotations

from typing import NamedTuple

import numpy as np
import numpy.typing as npt

from . import _lobrix

__version__: str = _lobrix.__version__

# Directivity of a half-wave dipole over an isotropic radiator, 10 log10(1.64), in dB.
DIPOLE_GAIN_DBI = 2.15

_MODES = {"db": 2, "field": 0}


def check(code: str) -> str | None:
    """None when `code` is a valid antenna code, else the reason it is not (as `lobrix check`
    gives it), e.g. "EA needs a first number from 1 to 65"."""
    return _lobrix.check(code)


def is_valid(code: str) -> bool:
    """True when `code` is a valid antenna code."""
    return _lobrix.is_valid(code)


def _mode(unit: str) -> int:
    try:
        return _MODES[unit]
    except KeyError:
        raise ValueError(f"unit must be 'db' or 'field', not {unit!r}") from None


def _is_scalar(value: object) -> bool:
    return not isinstance(value, np.ndarray) and np.ndim(value) == 0


def attenuation(code: str, angle: float | npt.ArrayLike, *, unit: str = "db"):
    """The attenuation in dB (unit="db", 0 to 40) or the relative field (unit="field", 0.01 to
    1) of `code` at `angle` degrees from the direction of maximum radiation.

    `angle` is a number (a float comes back) or an array of any shape (a float32 array of the
    same shape comes back). An angle that is NaN or infinite gives NaN. Raises ValueError for
    an invalid code, with the reason.
    """
    values = _lobrix.attenuation_array(code, np.asarray(angle, dtype=np.float32), _mode(unit))
    return float(values) if _is_scalar(angle) else values


def attenuation_3d(hcode: str, vcode: str, azimuth: float | npt.ArrayLike,
                   elevation: float | npt.ArrayLike, *, azimax: float = 0.0,
                   elemax: float = 0.0, unit: str = "db"):
    """The attenuation (or relative field) of the antenna with the horizontal code `hcode` and
    the vertical code `vcode` towards (`azimuth`, `elevation`), its beam pointing at
    (`azimax`, `elemax`); degrees, elevation positive upwards. A TA vertical code means
    electrical tilt (elemax is the tilt), a P code built-in downtilt, any other mechanical
    elevation.

    `azimuth` and `elevation` are numbers or arrays, broadcast against each other. Raises
    ValueError for an invalid code and for a P vertical code tilted 90 degrees or more.
    """
    az, el = np.broadcast_arrays(np.asarray(azimuth, dtype=np.float32),
                                 np.asarray(elevation, dtype=np.float32))
    values = _lobrix.attenuation_3d_array(hcode, vcode, az, el, float(azimax), float(elemax),
                                          _mode(unit))
    return float(values) if _is_scalar(azimuth) and _is_scalar(elevation) else values


class Gain(NamedTuple):
    """The gain of a code pair over a half-wave dipole (dBd) and over an isotropic radiator
    (dBi)."""

    dbd: float
    dbi: float


def gain(hcode: str, vcode: str) -> Gain:
    """The gain of the antenna with the horizontal code `hcode` and the vertical code `vcode`
    (ZISKANTVA). Raises ValueError for an invalid code."""
    dbd = float(_lobrix.gain_dbd(hcode, vcode))
    return Gain(dbd, dbd + DIPOLE_GAIN_DBI)


def plot(hcode: str, vcode: str, *, azimax: float = 0.0, elemax: float = 0.0, ax=None):
    """Draws the horizontal and vertical diagrams of the code pair as two matplotlib polar axes
    (the relative field, 1 at the rim) and returns them. `ax` is a pair of polar axes to draw
    into; without it a new figure with two is made. Needs matplotlib."""
    from ._plot import plot_pair

    return plot_pair(hcode, vcode, azimax=azimax, elemax=elemax, ax=ax)


from ._files import (Conversion, PatternFile, Fit, convert, fit, read_pattern_file,  # noqa: E402
                     write_pattern_file)

__all__ = ["DIPOLE_GAIN_DBI", "Conversion", "Gain", "PatternFile", "Fit", "attenuation",
           "attenuation_3d", "check", "convert", "fit", "gain", "is_valid", "plot",
           "read_pattern_file", "write_pattern_file"]
