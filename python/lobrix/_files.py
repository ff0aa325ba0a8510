"""Pattern files, their conversion to codes and the best fit of one plane."""
from __future__ import annotations

import os
import tempfile
from dataclasses import dataclass, field
from pathlib import Path
from typing import Union

import numpy as np
import numpy.typing as npt

from . import _lobrix

# Texts of pattern files are single-byte, code page 1250 (Central European).
_ENCODING = "cp1250"


def _text(raw: bytes) -> str:
    return raw.decode(_ENCODING, errors="replace")


def _decibels(fields: np.ndarray) -> np.ndarray:
    """Attenuations from relative fields (+ 0.0: the maximum is 0 dB, not -0)."""
    with np.errstate(divide="ignore"):
        return (-20 * np.log10(fields) + 0.0).astype(np.float32)


def _single(value: float | None) -> float | None:
    """A single-precision number as the shortest decimal that is that float (791.0, not
    790.9999...)."""
    return None if value is None else float(str(np.float32(value)))


@dataclass
class PatternFile:
    """A measured antenna pattern as read from a pattern file.

    `horizontal` and `vertical` are the attenuations in dB at 0, 1, ... 359 degrees (0 at the
    maximum); `fields` the same as relative fields, 2 x 360 (horizontal, vertical), as the
    conversion reads them. `notes` says what the reading normalised, `header` holds the rest of
    the header (None for a strict reading), `reading` is "Kathrein" when the Kathrein reader
    alone gives the same table and "lenient" when the file needed more.
    """

    name: str
    make: str
    frequency_mhz: float
    gain_dbi: float
    horizontal: np.ndarray
    vertical: np.ndarray
    notes: list[str] = field(default_factory=list)
    header: dict | None = None
    reading: str = "Kathrein"
    fields: np.ndarray | None = None


def _header(raw: dict | None) -> dict | None:
    if raw is None:
        return None
    header = {key: _text(value) if isinstance(value, bytes) else _single(value)
              for key, value in raw.items() if key != "other_keywords"}
    header["other_keywords"] = [(_text(k), _text(v)) for k, v in raw["other_keywords"]]
    return header


def read_pattern_file(path: Union[str, os.PathLike], *, strict: bool = False) -> PatternFile:
    """Reads a pattern file (*.MSI and the layouts makers' tools write), leniently, or with
    `strict` in the Kathrein layout only, as the editor's conversion window reads it.

    Raises ValueError with the line and what was expected there for a file it cannot read
    (strict: the window's message), and OSError when the file cannot be opened.
    """
    path = Path(path)
    raw = _lobrix.read_pattern(path.read_bytes(), os.fsencode(path.name), strict)
    header = _header(raw["header"])
    fields = raw["fields"]
    return PatternFile(
        name=_text(raw["name"]),
        make=header["make"] if header else "",
        frequency_mhz=_single(raw["frequency_mhz"]),
        gain_dbi=_single(raw["gain_dbi"]),
        horizontal=_decibels(fields[0]),
        vertical=_decibels(fields[1]),
        notes=[_text(note) for note in raw["notes"]],
        header=header,
        reading=raw["reading"],
        fields=fields,
    )


@dataclass
class Fit:
    """One plane's code and direction (degrees; None when no code qualifies), with the fit's
    error (RMS dB, or for the field criterion and the classic conversion the sum of squared
    field differences), the RMS difference of the attenuations in dB, and the largest deviation
    (code minus measured, dB) with its angle."""

    code: str | None
    direction: float | None
    error: float
    rms_db: float
    largest_db: float
    largest_angle: int


def _plane_fit(raw: dict) -> Fit:
    return Fit(raw["code"], _single(raw["direction"]), raw["error"], raw["rms_db"],
                    _single(raw["largest_db"]), raw["largest_angle"])


@dataclass
class Conversion:
    """The codes of a measured pattern: the horizontal code with AziMax, the vertical code with
    EleMax (degrees), each plane's figures, and warnings (what the reading normalised, a plane
    for which no code qualifies)."""

    horizontal: str | None
    azimax: float | None
    vertical: str | None
    elemax: float | None
    horizontal_fit: Fit
    vertical_fit: Fit
    warnings: list[str] = field(default_factory=list)

    @property
    def rms_db(self) -> tuple[float, float]:
        """The RMS dB errors of the horizontal and vertical planes."""
        return self.horizontal_fit.rms_db, self.vertical_fit.rms_db


def convert(pattern_or_path: Union[PatternFile, str, os.PathLike], *,
            fit: str = "classic") -> Conversion:
    """The antenna codes of a measured pattern (a PatternFile, or the path of a file read
    leniently): fit="classic" as the conversion window finds them, or the best fit under the
    criterion "db", "field" or "envelope" (searched over every code the conversion may
    return, a second or two on two cores)."""
    pattern = pattern_or_path
    if not isinstance(pattern, PatternFile):
        pattern = read_pattern_file(pattern)
    fields = pattern.fields
    if fields is None:
        fields = 10.0 ** (-np.stack([pattern.horizontal, pattern.vertical]) / 20.0)
    raw = _lobrix.convert_fields(np.asarray(fields, dtype=np.float32), fit)
    h, v = _plane_fit(raw["horizontal"]), _plane_fit(raw["vertical"])
    warnings = list(pattern.notes)
    for name, plane in (("horizontal", h), ("vertical", v)):
        if plane.code is None:
            warnings.append(f"{name}: no code keeps within 1 dB of the measured envelope")
    return Conversion(h.code, _single(raw["azimax"]), v.code, _single(raw["elemax"]), h, v,
                      warnings)


def fit(attenuations: npt.ArrayLike, *, plane: str = "horizontal",
        criterion: str = "db") -> Fit:
    """The code and direction that fit one measured plane best: `attenuations` are 360 values
    in dB at 0, 1, ... 359 degrees, shifted so that the smallest is 0. `plane` is "horizontal"
    or "vertical", `criterion` "db", "field" or "envelope"."""
    if plane not in ("horizontal", "vertical"):
        raise ValueError(f"plane must be 'horizontal' or 'vertical', not {plane!r}")
    values = np.asarray(attenuations, dtype=np.float32)
    if values.shape != (360,):
        raise ValueError("a plane is 360 attenuations, one a degree from 0")
    values = values - values.min()
    return _plane_fit(_lobrix.fit_attenuations(values, plane == "vertical", criterion))


def write_pattern_file(path: Union[str, os.PathLike], hcode: str, vcode: str, *,
                       azimax: float = 0, elemax: float = 0, gain_dbd: float | None = None,
                       frequency_mhz: float | None = None, name: str | None = None) -> None:
    """Writes the code pair as a pattern file in the Kathrein layout (as `lobrix export`):
    NAME (default "HCODE VCODE"), FREQUENCY, GAIN in dBd (default: the pair's gain), TILT, then
    the horizontal code turned by azimax and the vertical cut through azimax at elemax. The
    file is written whole or not at all; ValueError says what is wrong with the input."""
    data = _lobrix.pattern_file_bytes(
        hcode, vcode, float(azimax), float(elemax),
        None if gain_dbd is None else float(gain_dbd),
        0.0 if frequency_mhz is None else float(frequency_mhz),
        (name or "").encode(_ENCODING))
    _write_whole(Path(path), data)


def _write_whole(path: Path, data: bytes) -> None:
    """Writes a file whole or not at all: into a new file beside it, renamed over it."""
    umask = os.umask(0)
    os.umask(umask)
    with tempfile.NamedTemporaryFile(dir=path.parent, prefix=f".{path.name}.",
                                     delete=False) as temporary:
        try:
            temporary.write(data)
            temporary.flush()
            os.chmod(temporary.name, 0o666 & ~umask)
        except BaseException:
            os.unlink(temporary.name)
            raise
    try:
        os.replace(temporary.name, path)
    except BaseException:
        os.unlink(temporary.name)
        raise
