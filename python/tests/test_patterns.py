"""lobrix's calculation functions: values against the C library on a table of codes, arrays of
several shapes, and the errors. The C++ suite checks the numbers themselves."""
import math

import numpy as np
import pytest

import lobrix

# Every family, each with angles across the folds at +-180.
CODES = ["000ND00", "030EA10", "065EA00", "030EB05", "096EC10", "030DE00", "060LA10",
         "050KA10", "050CA00", "050CB05", "050CC00", "001TA00", "300TA00", "120PA05",
         "510VE00", "015WB35"]
ANGLES = [-359.0, -180.0, -45.5, 0.0, 0.25, 30.0, 89.9, 90.0, 179.99, 180.0, 200.0, 359.5]
PAIRS = [("030EA10", "100TA00"), ("510VE00", "120PA05"), ("030EA10", "020EA10"),
         ("000ND00", "510VE00")]


def test_check_and_is_valid():
    assert lobrix.check("030EA10") is None and lobrix.is_valid("030EA10")
    assert lobrix.check("066EA00") == "EA needs a first number from 1 to 65"
    assert lobrix.check("ab") == "a code has 7 characters, this one has 2"
    assert not lobrix.is_valid("030ea10") and not lobrix.is_valid("")


# dB rounded to two decimals, from the formulas of each type (the field is 1/sqrt(2) at the
# half beam width, the envelope radius a floor).
@pytest.mark.parametrize("code, angle, db", [
    ("030EA00", 30, 3.01), ("030EA00", 90, 40.0), ("030EB00", 180, 13.98), ("060LA10", 100, 20.0),
    ("300TA00", 30, 3.01), ("050CB00", 60, 6.02), ("065EA00", 65, 3.01), ("000ND00", 77, 0.0),
])
def test_known_values(code, angle, db):
    assert lobrix.attenuation(code, angle) == pytest.approx(db, abs=0.005)
    field = lobrix.attenuation(code, angle, unit="field")
    assert -20 * math.log10(field) == pytest.approx(db, abs=0.005)


def test_values_are_the_c_librarys(clib):
    angles = np.array(ANGLES, dtype=np.float32)
    for code in CODES:
        for unit, mode in (("db", 2), ("field", 0)):
            expected = [clib.ANT93(code.encode(), a, mode) for a in ANGLES]
            assert lobrix.attenuation(code, angles, unit=unit).tolist() == expected, code
            assert [lobrix.attenuation(code, a, unit=unit) for a in ANGLES] == expected, code
    az, el = np.meshgrid(np.arange(0, 360, 45, dtype=np.float32), [-30.0, 0.0, 7.5])
    for h, v in PAIRS:
        expected = [[clib.ANT3D(h.encode(), a, 300.0, v.encode(), e, -5.0, 2)
                     for a, e in zip(ra, re)] for ra, re in zip(az, el)]
        got = lobrix.attenuation_3d(h, v, az, el, azimax=300, elemax=-5)
        assert got.tolist() == expected, (h, v)
        assert lobrix.gain(h, v).dbd == clib.ZISKANTVA(h.encode(), v.encode())


@pytest.mark.parametrize("shape", [(), (0,), (7,), (2, 3), (2, 3, 4)])
def test_arrays_keep_their_shape(shape):
    angles = np.linspace(-180, 180, int(np.prod(shape))).reshape(shape)
    values = lobrix.attenuation("030EB05", angles)
    assert values.shape == shape and values.dtype == np.float32
    flat = [lobrix.attenuation("030EB05", float(a)) for a in angles.ravel()]
    assert values.ravel().tolist() == flat


def test_other_array_kinds():
    assert isinstance(lobrix.attenuation("030EA10", 30), float)
    assert lobrix.attenuation("030EA10", [0, 30]).shape == (2,)
    strided = np.arange(0.0, 100.0, 0.5)[::3]  # float64, not contiguous
    assert lobrix.attenuation("030EA10", strided).tolist() == [
        lobrix.attenuation("030EA10", a) for a in strided]
    ints = np.array([[0, 90], [180, 270]])
    assert lobrix.attenuation("050CC00", ints, unit="field").shape == (2, 2)


def test_3d_broadcasts_azimuth_and_elevation():
    az = np.arange(0, 360, 90).reshape(4, 1)
    el = np.array([-10.0, 0.0, 10.0])
    values = lobrix.attenuation_3d("030EA10", "020EA10", az, el, azimax=30, elemax=2)
    assert values.shape == (4, 3)
    assert values[2, 0] == lobrix.attenuation_3d("030EA10", "020EA10", 180, -10, azimax=30,
                                                 elemax=2)
    assert isinstance(lobrix.attenuation_3d("030EA10", "100TA00", 10, 5), float)


def test_not_a_number_angles_give_nan():
    values = lobrix.attenuation("030EA10", [math.nan, math.inf, 10.0])
    assert math.isnan(values[0]) and math.isnan(values[1]) and values[2] > 0
    assert math.isnan(lobrix.attenuation_3d("030EA10", "100TA00", math.nan, 0))


@pytest.mark.parametrize("call, message", [
    (lambda: lobrix.attenuation("066EA00", 10), "code 066EA00: EA needs a first number"),
    (lambda: lobrix.attenuation("030EA10", 10, unit="dB"), "unit must be 'db' or 'field'"),
    (lambda: lobrix.attenuation_3d("030EA10", "510VJ00", 0, 0), "vertical code 510VJ00"),
    (lambda: lobrix.attenuation_3d("030EA10", b"120P\x9b05", 0, 0),
     r"120P\x9B05: P downtilt of 90 degrees"),
    (lambda: lobrix.attenuation_3d("030EA10", "100TA00", [1, 2], [1, 2, 3]), "broadcast"),
    (lambda: lobrix.gain("030EA10", "090EB10"), "vertical code 090EB10: EB needs"),
])
def test_errors(call, message):
    with pytest.raises(ValueError) as error:
        call()
    assert message in str(error.value)


def test_gain():
    g = lobrix.gain("000ND00", "000ND00")
    assert g == (pytest.approx(-2.15, abs=0.005), pytest.approx(0.0, abs=0.005))
    assert g.dbi == g.dbd + lobrix.DIPOLE_GAIN_DBI


def test_plot_draws_two_polar_diagrams():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    horizontal, vertical = lobrix.plot("030EA10", "020EA10", azimax=30, elemax=-5)
    assert horizontal.name == vertical.name == "polar"
    theta, field = horizontal.lines[0].get_data()
    assert len(theta) == 720 and field.max() == pytest.approx(1.0)
    # The maximum of the horizontal diagram lies at AziMax.
    assert math.degrees(theta[np.argmax(field)]) == pytest.approx(30)
