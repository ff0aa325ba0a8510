// The calculation functions for Python: the code check, ANT93 and ANT3D over numpy arrays
// (through the array forms, without the interpreter lock) and the gain. Argument handling that
// is plain Python (units, scalars, broadcasting) lives in lobrix/__init__.py.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "model/antenna_pattern.h"
#include "model/pattern_arrays.h"
#include "python/src/bindings.h"

namespace py = pybind11;

namespace lobrix::python {

namespace {

using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

// A text for a message: bytes outside printable ASCII as \xNN (the reason of a check quotes
// the code's type letters).
std::string Printable(const std::string& raw) {
  std::string text;
  for (const char c : raw) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127) {
      text += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
    }
  }
  return text;
}

// A code as a message names it: "" for none.
std::string Shown(const std::string& code) {
  return code.empty() ? "\"\"" : Printable(code);
}

// Why a code is not valid, or nothing: the reason `lobrix check` gives.
std::optional<std::string> Check(const std::string& code) {
  if (VERANT(code) == 1) return std::nullopt;
  return Printable(CodeFaultText(code));
}

void RequireValid(const std::string& code, const char* role) {
  if (VERANT(code) == 1) return;
  throw py::value_error(std::string(role) + " " + Shown(code) + ": " +
                        Printable(CodeFaultText(code)));
}

// -1 from a valid code stands for an angle that is not a number or infinite: NaN in Python.
// The attenuation 0 comes back as 0, not as the -0 of -20 log10(1).
void FailureToNan(float* values, py::ssize_t n) {
  for (py::ssize_t i = 0; i < n; ++i) {
    values[i] = values[i] < 0 ? std::nanf("") : values[i] + 0.0f;
  }
}

py::array_t<float> Attenuation(const std::string& code, const FloatArray& angles, int mode) {
  RequireValid(code, "code");
  py::array_t<float> out(std::vector<py::ssize_t>(angles.shape(), angles.shape() + angles.ndim()));
  const auto n = static_cast<std::size_t>(angles.size());
  const float* in = angles.data();
  float* values = out.mutable_data();
  {
    py::gil_scoped_release unlocked;
    Ant93Many(code, {in, n}, mode, {values, n});
    FailureToNan(values, angles.size());
  }
  return out;
}

py::array_t<float> Attenuation3d(const std::string& hcode, const std::string& vcode,
                                 const FloatArray& azimuth, const FloatArray& elevation,
                                 float azimax, float elemax, int mode) {
  RequireValid(hcode, "horizontal code");
  RequireValid(vcode, "vertical code");
  if (ANT3D(hcode, 0, 0, vcode, 0, 0, mode) == kInvalidPattern) {
    throw py::value_error("vertical code " + Shown(vcode) + ": P downtilt of " +
                          std::to_string(static_cast<unsigned char>(vcode[4]) - 'A') +
                          " degrees (position 5): a pattern in space needs less than 90");
  }
  if (azimuth.size() != elevation.size()) {
    throw py::value_error("azimuth and elevation must have one size");
  }
  py::array_t<float> out(
      std::vector<py::ssize_t>(azimuth.shape(), azimuth.shape() + azimuth.ndim()));
  const auto n = static_cast<std::size_t>(azimuth.size());
  const float* az = azimuth.data();
  const float* el = elevation.data();
  float* values = out.mutable_data();
  {
    py::gil_scoped_release unlocked;
    Ant3dMany(hcode, {az, n}, azimax, vcode, {el, n}, elemax, mode, {values, n});
    FailureToNan(values, azimuth.size());
  }
  return out;
}

float GainDbd(const std::string& hcode, const std::string& vcode) {
  RequireValid(hcode, "horizontal code");
  RequireValid(vcode, "vertical code");
  return ZISKANTVA(hcode, vcode);
}

}  // namespace

void AddPatternFunctions(py::module_& m) {
  m.def("check", &Check, py::arg("code"),
        "None when the code is valid, else the reason it is not.");
  m.def(
      "is_valid", [](const std::string& code) { return VERANT(code) == 1; }, py::arg("code"),
      "True when the code is valid.");
  m.def("attenuation_array", &Attenuation, py::arg("code"), py::arg("angles"), py::arg("mode"),
        "ANT93 at every angle (float32, any shape); NaN for an angle that is not finite.");
  m.def("attenuation_3d_array", &Attenuation3d, py::arg("hcode"), py::arg("vcode"),
        py::arg("azimuth"), py::arg("elevation"), py::arg("azimax"), py::arg("elemax"),
        py::arg("mode"), "ANT3D towards every direction (azimuth and elevation of one shape).");
  m.def("gain_dbd", &GainDbd, py::arg("hcode"), py::arg("vcode"), "ZISKANTVA: the gain in dBd.");
}

}  // namespace lobrix::python
