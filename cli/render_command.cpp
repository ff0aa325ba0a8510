// lobrix render: draws one editor page from a state given on the command line into a picture
// file (PNG, SVG or PDF on Linux, PNG on Windows), through the same page drawing the editor
// uses.
#include "cli/render_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/command_line.h"
#include "cli/file_output.h"
#include "cli/picture_writer.h"
#include "model/antenna_pattern.h"
#include "render/drawing_input.h"
#include "render/page_drawing.h"
#include "render/view_memory.h"

namespace lobrix::cli {
namespace {

constexpr std::string_view kRenderUsageStart =
    R"(Usage: lobrix render --page horizontal|vertical|direction|3d [--view graph|table|xy]
                     [--h CODE] [--v CODE] [--azimax DEG] [--elemax DEG]
                     [--test-azimuth DEG] [--test-elevation DEG] [--lin] [--czech]
                     [--size WxH] -o FILE.)";

constexpr std::string_view kRenderUsageOptions = R"(
Draws one page of the editor into a picture file, its format chosen by its extension.
  --page            horizontal, vertical, direction (azimuth and elevation of maximum
                    radiation) or 3d
  --view            graph (default); table on the horizontal page, xy on the vertical page
  --h, --v          horizontal and vertical antenna codes (default 000ND00)
  --azimax          azimuth of maximum radiation, 0 up to 360 (default 0)
  --elemax          elevation of maximum radiation, -90 to 90 (default 0)
  --test-azimuth,   direction shown by the 3d page (default: --azimax and --elemax)
  --test-elevation
  --lin             linear scale instead of decibels
  --czech           Czech texts
  --size            picture size in pixels, 16 to 6000 each (default: twice the page's
                    graphic area on a 96 dpi screen, 594x586 or 978x574); W/H must be at
                    least the page's own ratio (594:586 for horizontal and vertical, 978:574
                    for direction and 3d): a narrower picture would cut the drawing off, so
                    it is refused; a wider one spreads the page sideways
A P vertical code with a downtilt of 90 degrees or more (position 5 from byte 0x9B on) has
no pattern in space and is refused.
)";

std::string RenderUsage() {
  return std::string(kRenderUsageStart) + PictureFormatChoice() + "\n" +
         std::string(kRenderUsageOptions) + std::string(kPictureFormatsNote) + "\n";
}

constexpr int kMinSide = 16;
constexpr int kMaxSide = 6000;

struct RenderRequest {
  DrawingInput input;
  int page = -1;
  std::string view = "graph";
  std::optional<float> testAzimuth, testElevation;
  std::optional<PixelSize> size;
  std::string output;
};

int Fail(std::ostream& err, const std::string& message) {
  err << "lobrix: render: " << message << '\n';
  return kExitFailure;
}

bool Refuse(std::ostream& err, const std::string& message) {
  Fail(err, message);
  return false;
}

std::optional<int> PageNumber(std::string_view name) {
  if (name == "horizontal") return kHorizontalPage;
  if (name == "vertical") return kVerticalPage;
  if (name == "direction") return kDirectionPage;
  if (name == "3d") return kThreeDPage;
  return std::nullopt;
}

// "WxH" with two whole numbers.
std::optional<PixelSize> ParseSize(std::string_view text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> w = ParseInteger(text.substr(0, x));
  const std::optional<int> h = ParseInteger(text.substr(x + 1));
  if (!w || !h) return std::nullopt;
  return PixelSize{*w, *h};
}

// The lower-case extension of a file name, without the dot; empty when it has none.
std::string Extension(std::string_view path) {
  const std::size_t dot = path.find_last_of("./\\");
  if (dot == std::string_view::npos || path[dot] != '.') return {};
  std::string end(path.substr(dot + 1));
  std::transform(end.begin(), end.end(), end.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return end;
}

bool InAzimuthRange(float a) {
  return a >= 0 && a < 360;
}
bool InElevationRange(float e) {
  return e >= -90 && e <= 90;
}

// Reads an angle option's value; false (with the message written) when it is no number or
// out of its range.
bool ReadAngle(std::string_view option, std::string_view text, bool azimuth, float& value,
               std::ostream& err) {
  const std::optional<float> number = ParseNumber(text);
  if (!number) {
    return Refuse(err, std::string(option) + " must be a finite number of degrees, not '" +
                           Shown(text) + "'");
  }
  if (azimuth ? !InAzimuthRange(*number) : !InElevationRange(*number)) {
    return Refuse(err, std::string(option) + " " + Shown(text) + " is out of range (" +
                           (azimuth ? "0 up to 360)" : "-90 to 90)"));
  }
  value = *number;
  return true;
}

// Reads a code option's value; false (with the message written) for an invalid code, and for
// a vertical code without a pattern in space, which would draw empty diagrams.
bool ReadCode(std::string_view option, std::string_view code, std::string& target,
              std::ostream& err) {
  std::string fault = Printable(CodeFaultText(code));
  if (fault.empty() && option == "--v") fault = DowntiltFaultText(code);
  if (!fault.empty())
    return Refuse(err, std::string(option) + " " + ShownCode(code) + ": " + fault);
  target = code;
  return true;
}

// The option values as given, before they are checked.
struct RenderWords {
  std::string page, view = "graph", hCode, vCode, aziMax, eleMax, testAzimuth, testElevation, size;
  bool linear = false, czech = false;
};

void DeclareOptions(CLI::App& app, RenderWords& w, RenderRequest& request) {
  app.add_option("--page", w.page, "a value");
  app.add_option("--view", w.view, "a value");
  app.add_option("--h", w.hCode, "a value");
  app.add_option("--v", w.vCode, "a value");
  app.add_option("--azimax", w.aziMax, "a value");
  app.add_option("--elemax", w.eleMax, "a value");
  app.add_option("--test-azimuth", w.testAzimuth, "a value");
  app.add_option("--test-elevation", w.testElevation, "a value");
  app.add_option("--size", w.size, "a value");
  app.add_option("-o", request.output, "a value");
  app.add_flag("--lin", w.linear);
  app.add_flag("--czech", w.czech);
}

// Fills `request` from the option values; false (with the message written) on the first
// fault.
bool ReadRequest(const CLI::App& app, const RenderWords& w, RenderRequest& request,
                 std::ostream& err) {
  DrawingInput& s = request.input;
  if (w.linear) s.scaleMode = kScaleLinear;
  if (w.czech) s.language = kCzech;
  if (app.count("--page") > 0) {
    const std::optional<int> page = PageNumber(w.page);
    if (!page) {
      return Refuse(err,
                    "unknown page '" + Shown(w.page) + "' (horizontal, vertical, direction or 3d)");
    }
    request.page = *page;
  }
  if (w.view != "graph" && w.view != "table" && w.view != "xy") {
    return Refuse(err, "unknown view '" + Shown(w.view) + "' (graph, table or xy)");
  }
  request.view = w.view;
  if (app.count("--h") > 0 && !ReadCode("--h", w.hCode, s.hCode, err)) return false;
  if (app.count("--v") > 0 && !ReadCode("--v", w.vCode, s.vCode, err)) return false;
  if (app.count("--azimax") > 0 && !ReadAngle("--azimax", w.aziMax, true, s.aziMax, err)) {
    return false;
  }
  if (app.count("--elemax") > 0 && !ReadAngle("--elemax", w.eleMax, false, s.eleMax, err)) {
    return false;
  }
  if (app.count("--test-azimuth") > 0 &&
      !ReadAngle("--test-azimuth", w.testAzimuth, true, request.testAzimuth.emplace(), err)) {
    return false;
  }
  if (app.count("--test-elevation") > 0 && !ReadAngle("--test-elevation", w.testElevation, false,
                                                      request.testElevation.emplace(), err)) {
    return false;
  }
  if (app.count("--size") > 0) {
    request.size = ParseSize(w.size);
    if (!request.size || request.size->width < kMinSide || request.size->width > kMaxSide ||
        request.size->height < kMinSide || request.size->height > kMaxSide) {
      return Refuse(err, "--size must be WxH with whole numbers from 16 to 6000, not '" +
                             Shown(w.size) + "'");
    }
  }
  return true;
}

// The checks between options, once all are read.
bool CheckRequest(const RenderRequest& request, std::ostream& err) {
  if (request.page < 0) return Refuse(err, "--page is missing (lobrix render --help)");
  if (request.output.empty()) return Refuse(err, "-o FILE is missing");
  const std::string extension = Extension(request.output);
  if (extension != "png" && extension != "svg" && extension != "pdf") {
    return Refuse(err, "the output file must end in " + PictureFormatWords(".") + ": " +
                           Shown(request.output));
  }
  const std::string fault = PictureFormatFault(extension);
  if (!fault.empty()) return Refuse(err, Shown(request.output) + ": " + fault);
  if (request.view == "table" && request.page != kHorizontalPage) {
    return Refuse(err, "--view table is only for --page horizontal");
  }
  if (request.view == "xy" && request.page != kVerticalPage) {
    return Refuse(err, "--view xy is only for --page vertical");
  }
  // The page is laid out for its own graphic area: the frames' radii follow the height, their
  // places the width. A picture narrower than that ratio would cut the frames off.
  const PixelSize area = GraphicAreaPixels(request.page);
  if (request.size && static_cast<long>(request.size->width) * area.height <
                          static_cast<long>(request.size->height) * area.width) {
    return Refuse(
        err, "--size " + std::to_string(request.size->width) + "x" +
                 std::to_string(request.size->height) +
                 " would cut the page off: the width must be at least " +
                 std::to_string(
                     (static_cast<long>(request.size->height) * area.width + area.height - 1) /
                     area.height) +
                 " for this height (the page's ratio is " + std::to_string(2 * area.width) + ":" +
                 std::to_string(2 * area.height) + ")");
  }
  return true;
}

// Twice the page's graphic area as a 96 dpi screen shows it.
PixelSize DefaultSize(int page) {
  const PixelSize area = GraphicAreaPixels(page);
  return {2 * area.width, 2 * area.height};
}

int Render(RenderRequest& request, std::ostream& err) {
  DrawingInput& s = request.input;
  s.alternateView = request.view == "graph" ? 0 : 1;
  s.gainDbd = ZISKANTVA(s.hCode, s.vCode);
  s.testAzimuth = request.testAzimuth.value_or(s.aziMax);
  s.testElevation = request.testElevation.value_or(s.eleMax);
  const PixelSize size = request.size.value_or(DefaultSize(request.page));
  const PixelSize area = GraphicAreaPixels(request.page);
  // Lines as wide, relative to the picture, as on the screen.
  const double pen_scale = std::max(1.0, std::min(static_cast<double>(size.width) / area.width,
                                                  static_cast<double>(size.height) / area.height));
  // Written whole or not at all, as the other outputs are: a picture that cannot be written
  // leaves the older one as it was.
  std::string bytes, error;
  const auto draw = [&](Gfx& gfx) {
    ViewMemory views;
    DrawPage(gfx, s, views, request.page);
  };
  if (!EncodePicture(size.width, size.height, pen_scale, draw, request.output, bytes, error) ||
      !WriteWholeFile(request.output, bytes, error)) {
    return Fail(err, error);
  }
  return kExitOk;
}

}  // namespace

int RenderCommand(const Args& args, std::ostream& out, std::ostream& err) {
  CLI::App app("", "lobrix render");
  SetUpCommand(app);
  RenderWords optionWords;
  RenderRequest request;
  DeclareOptions(app, optionWords, request);
  Words words;
  if (auto end = ParseCommandWords(app, "render", RenderUsage(), args, words, out, err)) {
    return *end;
  }
  if (!words.empty()) return Fail(err, "unexpected argument '" + Shown(words[0]) + "'");
  if (!ReadRequest(app, optionWords, request, err) || !CheckRequest(request, err)) {
    return kExitFailure;
  }
  return Render(request, err);
}

}  // namespace lobrix::cli

int RunRenderCommand(int argc, char** argv) {
  using namespace lobrix::cli;
  return RenderCommand(ToArgs(argc, argv), std::cout, std::cerr);
}
