"""Pattern files, conversion and best fit from Python: a real file read and converted as the
command line does it, a written file read back to the same codes, and the errors."""
from pathlib import Path

import numpy as np
import pytest

import lobrix

DATA = Path(__file__).resolve().parents[2] / "tests" / "data" / "msi"
REAL = DATA / "80010465_0791_x_co.msi"


def test_reads_a_real_file():
    pattern = lobrix.read_pattern_file(REAL)
    assert (pattern.name, pattern.frequency_mhz, pattern.gain_dbi) == ("80010465", 791.0, 5.2)
    assert pattern.reading == "Kathrein" and pattern.notes == []
    assert pattern.header["tilt_kind"] == "MECHANICAL"
    for plane in (pattern.horizontal, pattern.vertical):
        assert plane.shape == (360,) and plane.min() == 0.0
    strict = lobrix.read_pattern_file(REAL, strict=True)
    assert strict.header is None
    assert np.array_equal(strict.fields, pattern.fields)


def test_classic_conversion_as_the_command_line_gives_it():
    # lobrix convert tests/data/msi/80010465_0791_x_co.msi (the README's example).
    c = lobrix.convert(REAL)
    assert (c.horizontal, c.azimax, c.vertical, c.elemax) == ("006KA00", 4.2, "025EC00", -2.6)
    assert c.rms_db == pytest.approx((5.12, 6.55), abs=0.005)


def test_written_file_converts_back_to_its_codes(tmp_path):
    path = tmp_path / "pair.msi"
    lobrix.write_pattern_file(path, "030EA10", "100TA00", azimax=45, name="Panel")
    pattern = lobrix.read_pattern_file(path)
    # GAIN is written in dBd; the Kathrein layout's reader adds 2.1 for dBi.
    assert pattern.name == "Panel" and pattern.gain_dbi == pytest.approx(
        lobrix.gain("030EA10", "100TA00").dbd + 2.1, abs=0.01)
    classic = lobrix.convert(pattern)
    assert (classic.horizontal, classic.azimax) == ("030EA10", 45.0)
    best = lobrix.convert(path, fit="db")
    assert (best.horizontal, best.azimax) == ("030EA10", 45.0)
    assert best.horizontal_fit.rms_db == pytest.approx(0, abs=0.01)
    assert [p.name for p in tmp_path.iterdir()] == ["pair.msi"]


def test_fit_finds_the_code_of_a_plane():
    plane = lobrix.attenuation("060LA10", np.arange(360) - 100.0)
    fit = lobrix.fit(plane + 3.0)  # shifted: the smallest becomes 0 dB
    assert (fit.code, fit.direction) == ("060LA10", 100.0)
    assert fit.rms_db == pytest.approx(0, abs=0.01)


@pytest.mark.parametrize("text, message", [
    ("NAME x\r\nFREQUENCY 900\r\nGAIN 10 dBd\r\nHORIZONTAL 360\r\n0 0\r\n", "line 6: expected"),
    ("", "line 1"),
])
def test_unreadable_files(tmp_path, text, message):
    path = tmp_path / "bad.msi"
    path.write_text(text)
    with pytest.raises(ValueError, match=message):
        lobrix.read_pattern_file(path)
    with pytest.raises(ValueError, match="Kathrein antenna file"):
        lobrix.read_pattern_file(path, strict=True)
    with pytest.raises(FileNotFoundError):
        lobrix.read_pattern_file(tmp_path / "missing.msi")


def test_wrong_arguments(tmp_path):
    with pytest.raises(ValueError, match="horizontal code 066EA00"):
        lobrix.write_pattern_file(tmp_path / "x.msi", "066EA00", "100TA00")
    with pytest.raises(ValueError, match="azimuth"):
        lobrix.write_pattern_file(tmp_path / "x.msi", "030EA10", "100TA00", azimax=360)
    assert list(tmp_path.iterdir()) == []
    with pytest.raises(ValueError, match="360 attenuations"):
        lobrix.fit(np.zeros(359))
    with pytest.raises(ValueError, match="criterion"):
        lobrix.fit(np.zeros(360), criterion="rms")
    with pytest.raises(ValueError, match="fit must be"):
        lobrix.convert(REAL, fit="best")
