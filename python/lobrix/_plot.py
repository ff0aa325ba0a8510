"""The horizontal and vertical diagrams of a code pair on matplotlib polar axes (imported only
when lobrix.plot is called)."""
from __future__ import annotations

import numpy as np

from . import attenuation, attenuation_3d

# Half-degree steps round the circle.
_STEPS = np.arange(0, 360, 0.5, dtype=np.float32)


def horizontal_field(hcode: str, azimax: float) -> np.ndarray:
    """The horizontal code turned by azimax: the field at each azimuth of _STEPS."""
    offset = (_STEPS - np.float32(azimax) + 180) % 360 - 180
    return attenuation(hcode, offset, unit="field")


def vertical_field(hcode: str, vcode: str, azimax: float, elemax: float) -> np.ndarray:
    """The vertical cut through azimax as the 3-D page draws it: 0 the forward horizon, 90
    straight down, 180 the backward horizon, 270 straight up."""
    forward_down = _STEPS <= 90
    backward = (_STEPS > 90) & (_STEPS < 270)
    elevation = np.where(forward_down, -_STEPS, np.where(backward, _STEPS - 180, 360 - _STEPS))
    azimuth = np.where(backward, np.float32(azimax) - 180, np.float32(azimax))
    return attenuation_3d(hcode, vcode, azimuth, elevation, azimax=azimax, elemax=elemax,
                          unit="field")


def plot_pair(hcode: str, vcode: str, *, azimax: float, elemax: float, ax=None):
    import matplotlib.pyplot as plt

    if ax is None:
        _, ax = plt.subplots(1, 2, subplot_kw={"projection": "polar"}, figsize=(9, 4.5))
    horizontal, vertical = ax
    theta = np.radians(_STEPS)
    horizontal.plot(theta, horizontal_field(hcode, azimax), color="tab:red")
    horizontal.set_theta_zero_location("N")  # azimuth 0 up, growing clockwise
    horizontal.set_theta_direction(-1)
    horizontal.set_title(f"horizontal {hcode}, AziMax {azimax:g}")
    vertical.plot(theta, vertical_field(hcode, vcode, azimax, elemax), color="tab:blue")
    vertical.set_theta_zero_location("E")  # forward to the right, down below
    vertical.set_theta_direction(-1)
    vertical.set_title(f"vertical {vcode}, EleMax {elemax:g}")
    for axes in ax:
        axes.set_ylim(0, 1)
    return horizontal, vertical
