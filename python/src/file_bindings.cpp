// Pattern files, the conversion to codes and the best fit for Python: the readers take the
// file's bytes (Python opens the file, so a missing one is Python's own error), the searches
// run without the interpreter lock. Results are plain dicts, with the file's texts as bytes
// (code page 1250); lobrix/_files.py makes them the package's types.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <optional>
#include <string>

#include "best_fit/best_fit.h"
#include "conversion/conversion.h"
#include "model/antenna_pattern.h"
#include "pattern_files/lenient_reader.h"
#include "pattern_files/pattern_file_writer.h"
#include "pattern_files/read_messages.h"
#include "pattern_files/strict_reader.h"
#include "text/language.h"
#include "python/src/bindings.h"

namespace py = pybind11;

namespace lobrix::python {

namespace {

using FloatArray = py::array_t<float, py::array::c_style | py::array::forcecast>;

py::array_t<float> Columns(const std::array<PatternColumn, 2>& measured) {
  py::array_t<float> fields({2, 360});
  auto view = fields.mutable_unchecked<2>();
  for (py::ssize_t p = 0; p < 2; ++p) {
    for (py::ssize_t i = 0; i < 360; ++i) view(p, i) = measured[p][i];
  }
  return fields;
}

py::dict HeaderDict(const PatternFileHeader& h) {
  py::dict header;
  const auto optional = [](const std::optional<float>& v) {
    return v ? py::object(py::float_(*v)) : py::object(py::none());
  };
  header["make"] = py::bytes(h.make);
  header["h_width"] = optional(h.hWidth);
  header["v_width"] = optional(h.vWidth);
  header["front_to_back"] = optional(h.frontToBack);
  header["gain_unit"] = py::bytes(h.gainUnit);
  header["gain_value"] = h.gainValue;
  header["tilt_kind"] = py::bytes(h.tiltKind);
  header["tilt"] = optional(h.tilt);
  header["polarization"] = py::bytes(h.polarization);
  header["comment"] = py::bytes(h.comment);
  py::list other;
  for (const auto& [keyword, rest] : h.otherKeywords) {
    other.append(py::make_tuple(py::bytes(keyword), py::bytes(rest)));
  }
  header["other_keywords"] = other;
  return header;
}

// The lenient reader (or with `strict` the Kathrein reader alone) on a file's bytes; ValueError
// with the line and what was expected there (strict: the conversion window's message).
py::dict ReadPattern(const py::bytes& data, const std::string& fileName, bool strict) {
  const std::string bytes = data;
  py::dict out;
  if (strict) {
    KathreinPattern pattern;
    const int result = ReadKathreinFile(bytes, pattern);
    if (result != kKathreinRead) {
      throw py::value_error(std::string(Pick(ReadFailureMessage(result), kEnglish)));
    }
    out["name"] = py::bytes(pattern.antennaName);
    out["frequency_mhz"] = pattern.frequency;
    out["gain_dbi"] = pattern.gain;
    out["fields"] = Columns(pattern.measured);
    out["header"] = py::none();
    out["notes"] = py::list();
    out["reading"] = "Kathrein";
    return out;
  }
  const PatternFileResult result = ReadPatternFile(bytes, fileName, kEnglish);
  if (!result.read) throw py::value_error(result.error);
  const PatternFile& file = result.file;
  out["name"] = py::bytes(file.pattern.antennaName);
  out["frequency_mhz"] = file.pattern.frequency;
  out["gain_dbi"] = file.pattern.gain;
  out["fields"] = Columns(file.pattern.measured);
  out["header"] = HeaderDict(file.header);
  py::list notes;
  for (const std::string& note : ReadingNotes(file, kEnglish)) notes.append(py::bytes(note));
  out["notes"] = notes;
  out["reading"] = std::string(ReadingName(file.reading));
  return out;
}

std::optional<FitCriterion> CriterionNamed(const std::string& name) {
  for (const FitCriterion c : {FitCriterion::kDb, FitCriterion::kField, FitCriterion::kEnvelope}) {
    if (name == FitCriterionName(c)) return c;
  }
  return std::nullopt;
}

py::dict PlaneDict(const FitResult& fit) {
  py::dict plane;
  if (fit.found) {
    plane["code"] = fit.code;
    plane["direction"] = fit.direction;
  } else {
    plane["code"] = py::none();
    plane["direction"] = py::none();
  }
  plane["error"] = fit.figures.criterionError;
  plane["rms_db"] = fit.figures.rmsDb;
  plane["largest_db"] = fit.figures.largestDeviationDb;
  plane["largest_angle"] = fit.figures.largestDeviationAngle;
  return plane;
}

std::array<PatternColumn, 2> ColumnsOf(const FloatArray& fields) {
  if (fields.ndim() != 2 || fields.shape(0) != 2 || fields.shape(1) != 360) {
    throw py::value_error("the measured fields must be 2 x 360 values");
  }
  std::array<PatternColumn, 2> columns{};
  const auto view = fields.unchecked<2>();
  for (py::ssize_t p = 0; p < 2; ++p) {
    for (py::ssize_t i = 0; i < 360; ++i) columns[p][i] = view(p, i);
  }
  return columns;
}

// Both planes converted: the classic conversion (scored as the command line scores it, by the
// sum of squared field differences it minimises), or a best-fit search on each plane.
py::dict Convert(const FloatArray& fields, const std::string& fit) {
  KathreinPattern pattern;
  pattern.measured = ColumnsOf(fields);
  std::array<FitResult, 2> planes;
  py::dict out;
  if (fit == "classic") {
    KathreinConversion result;
    {
      py::gil_scoped_release unlocked;
      result = ConvertKathreinPattern(pattern);
      const float directions[2] = {result.fittedAzimuth, result.fittedTilt};
      const std::string codes[2] = {result.hCode, result.vCode};
      for (int p = 0; p < 2; ++p) {
        planes[p].found = true;
        planes[p].code = codes[p];
        planes[p].direction = directions[p];
        planes[p].figures =
            ScoreFit(pattern.measured[p], codes[p], directions[p], FitCriterion::kField);
      }
    }
    out["azimax"] = result.aziMax;
    out["elemax"] = result.eleMax;
  } else {
    const std::optional<FitCriterion> criterion = CriterionNamed(fit);
    if (!criterion) {
      throw py::value_error("fit must be 'classic', 'db', 'field' or 'envelope', not '" + fit +
                            "'");
    }
    {
      py::gil_scoped_release unlocked;
      constexpr FitPlane kPlanes[2] = {FitPlane::kHorizontal, FitPlane::kVertical};
      for (int p = 0; p < 2; ++p) {
        planes[p] = FindBestFit(pattern.measured[p], kPlanes[p], *criterion);
      }
    }
    // A fit's direction is already 0 .. 359.9; the vertical one gives EleMax as the classic
    // conversion does: -v below 180, else 360 - v.
    const float v = planes[1].direction;
    out["azimax"] = planes[0].found ? py::object(py::float_(planes[0].direction)) : py::none();
    out["elemax"] =
        planes[1].found ? py::object(py::float_(v < 180 ? -v : 360.0f - v)) : py::none();
  }
  out["horizontal"] = PlaneDict(planes[0]);
  out["vertical"] = PlaneDict(planes[1]);
  return out;
}

// The best code and direction for one plane of 360 attenuations in dB.
py::dict Fit(const FloatArray& attenuations, bool vertical, const std::string& criterionName) {
  if (attenuations.ndim() != 1 || attenuations.shape(0) != 360) {
    throw py::value_error("a plane is 360 attenuations, one a degree from 0");
  }
  const std::optional<FitCriterion> criterion = CriterionNamed(criterionName);
  if (!criterion) {
    throw py::value_error("criterion must be 'db', 'field' or 'envelope', not '" + criterionName +
                          "'");
  }
  std::array<float, 360> decibels{};
  for (py::ssize_t i = 0; i < 360; ++i) decibels[i] = attenuations.at(i);
  FitResult fit;
  {
    py::gil_scoped_release unlocked;
    fit = FindBestFit(FieldsFromAttenuations(decibels),
                      vertical ? FitPlane::kVertical : FitPlane::kHorizontal, *criterion);
  }
  return PlaneDict(fit);
}

// The file's bytes for a code pair; ValueError with what is wrong with the input.
py::bytes WritePattern(const std::string& hcode, const std::string& vcode, float azimax,
                       float elemax, std::optional<float> gainDbd, float frequency,
                       const std::string& name) {
  PatternFileCodes codes;
  codes.hCode = hcode;
  codes.vCode = vcode;
  codes.azimuth = azimax;
  codes.elevation = elemax;
  codes.gainDbd = gainDbd;
  codes.frequency = frequency;
  codes.name = name;
  const WrittenPatternFile written = WritePatternFile(codes);
  if (!written.written) throw py::value_error(written.error);
  return py::bytes(written.bytes);
}

}  // namespace

void AddFileFunctions(py::module_& m) {
  m.def("read_pattern", &ReadPattern, py::arg("data"), py::arg("file_name"), py::arg("strict"),
        "The fields and header of a pattern file's bytes.");
  m.def("convert_fields", &Convert, py::arg("fields"), py::arg("fit"),
        "Codes and directions of a 2 x 360 table of measured relative fields.");
  m.def("fit_attenuations", &Fit, py::arg("attenuations"), py::arg("vertical"),
        py::arg("criterion"), "The best code and direction for 360 attenuations in dB.");
  m.def("pattern_file_bytes", &WritePattern, py::arg("hcode"), py::arg("vcode"), py::arg("azimax"),
        py::arg("elemax"), py::arg("gain_dbd"), py::arg("frequency"), py::arg("name"),
        "A code pair as the bytes of a pattern file.");
}

}  // namespace lobrix::python
