// The conversion window's handlers on fake controls, a scripted open-file dialog and recording
// surfaces: the button states after each step, rejected files, the results in the editor's
// state, and the picture (frames, measured and fitted curves, texts, clipboard copy).
#include "editor/conversion_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "model/antenna_pattern.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/recording_device.h"
#include "tests/conversion/pattern_columns.h"
#include "tests/pattern_files/msi_text.h"

namespace lobrix {
namespace {

using test::CodeColumn;

// A surface 1618 x 1000 pixels: logical units are pixels.
constexpr int kWidth = 1618, kHeight = 1000;
// ConversionGeometry(1618) worked out by hand: d = round(736.19) = 736, m = round(53.39) = 53,
// horizontal centre 368 + 53, centre height 368 + 180, R = round(294.4), vertical centre
// round(789.58 + 421).
constexpr int kHx = 421, kCy = 548, kR = 294, kVx = 1211;

constexpr GfxColor kMeasuredRed = GfxRgb(255, 0, 0);
constexpr GfxColor kFittedBlue = GfxRgb(0, 0, 200);

constexpr char kFolder[] = "C:\\Antennas\\Kathrein";
constexpr char kGoodPath[] = "C:\\Antennas\\Kathrein\\good.msi";

// A file whose planes are made from known codes, attenuations written with four decimals.
std::string MsiOf(const PatternColumn& horizontal, const PatternColumn& vertical) {
  test::MsiFile file;
  const auto pairs = [](const PatternColumn& e) {
    std::vector<std::string> lines;
    for (int i = 0; i < 360; ++i) {
      char text[64];
      std::snprintf(text, sizeof text, "%d %.4f", i,
                    -20.0 * std::log10(e[static_cast<std::size_t>(i)]));
      lines.push_back(text);
    }
    return lines;
  };
  file.horizontal = pairs(horizontal);
  file.vertical = pairs(vertical);
  return file.Text();
}

struct Window {
  Window() {
    CreateControls(dialog, ConversionWindowRows(), state.language);
    state.kathreinFolder = "C:\\Start";
    ui.dialog = &dialog;
    ui.newSurface = [this] {
      auto device = std::make_unique<RecordingDevice>(kWidth, kHeight);
      recording = device.get();
      surfaces.push_back(std::make_unique<Gfx>(std::move(device)));
      SetUpSurface(*surfaces.back());
      return surfaces.back().get();
    };
    ui.chooseOpenFile = [this](OpenFileRequest& request) {
      requests.push_back(request);
      if (choices.empty() || choices.front().empty()) {
        if (!choices.empty()) choices.pop_front();
        return false;  // cancelled
      }
      request.fileSpec = choices.front();
      choices.pop_front();
      request.flags |= 0x4000;  // what a dialog may add (OFN_EXTENSIONDIFFERENT)
      return true;
    };
    ui.readFile = [this](const std::string& path) -> std::optional<std::string> {
      const auto file = files.find(path);
      if (file == files.end()) return std::nullopt;
      return file->second;
    };
    ui.showError = [this](const std::string& title, const std::string& text) {
      errors.push_back({title, text});
    };
    files[kGoodPath] = MsiOf(CodeColumn("030EA10", 45), CodeColumn("160VE00", 358));
  }

  void Open() { StartConversionWindow(state, pattern, ui); }
  void Event(int id, ControlEventKind kind = ControlEventKind::kClicked) {
    ConversionWindowEvent(state, pattern, ui, {id, kind});
  }
  void TimerFires() { Event(kFileTimer, ControlEventKind::kTimer); }
  // Opened, and the timer's file dialog answered with `path`.
  void OpenWith(const std::string& path) {
    Open();
    choices.push_back(path);
    TimerFires();
  }

  std::vector<int> Enabled() const {
    std::vector<int> ids;
    for (int id = 1; id <= 5; ++id) {
      if (dialog.IsEnabled(id)) ids.push_back(id);
    }
    return ids;
  }

  FakeControls dialog;
  EditorState state;
  KathreinPattern pattern;
  ConversionUi ui;
  std::vector<std::unique_ptr<Gfx>> surfaces;
  RecordingDevice* recording = nullptr;
  std::deque<std::string> choices;  // the paths the user picks; "" cancels
  std::vector<OpenFileRequest> requests;
  std::map<std::string, std::string> files;
  std::vector<std::pair<std::string, std::string>> errors;
};

// Points of a polygon drawn with `color`: the start of each of its lines.
std::vector<std::pair<double, double>> Vertices(const RecordingDevice& device, GfxColor color) {
  std::vector<std::pair<double, double>> points;
  for (const DrawRecord& line : device.LinesOfColor(color)) points.push_back({line.x, line.y});
  return points;
}

std::string TextOfColor(const RecordingDevice& device, GfxColor color, std::string_view start) {
  for (const DrawRecord& text : device.TextsOfColor(color)) {
    if (text.text.rfind(start, 0) == 0) return text.text;
  }
  return {};
}

// Dialog units to pixels as the dialog manager maps them: rounded.
int Pixels(int units, int base, int per) {
  return (units * base + per / 2) / per;
}

// The window in pixels for the base units of a dialog font: Windows' own (MS Sans Serif 8 at 96
// dpi), Wine's substitute font, and a narrower and a larger one. Whatever the font, the
// picture keeps its shape, so the results under the frames lie whole inside it, and the button
// row starts below it; under Windows' own font everything is where the dialog units put it.
TEST(ConversionWindow, PictureKeepsItsShapeAndTheButtonsGoBelowItWhateverTheFont) {
  struct Font {
    int x, y;
    int pictureBottom, clientHeight;  // worked out by hand: 549 x 315 scaled to the width
  };
  // Windows: 368 units * 6 / 4 = 552 pixels wide, the buttons at 194 * 13 / 8 = 315.25, the
  // client 229 * 13 / 8 = 372.1 high. Wine (6 x 12): the same width, 35 * 12 / 8 = 52.5 below
  // the buttons. 5 x 11: 460 wide, 457 * 315 / 549 = 262.2, 35 * 11 / 8 = 48.1 below. 7 x 15:
  // 644 wide, 641 * 315 / 549 = 367.8, 35 * 15 / 8 = 65.6 below.
  const Font fonts[] = {{6, 13, 315, 372}, {6, 12, 315, 368}, {5, 11, 262, 310}, {7, 15, 368, 434}};
  for (const Font& font : fonts) {
    SCOPED_TRACE(std::to_string(font.x) + " x " + std::to_string(font.y));
    const int clientWidth = Pixels(kConversionWindowRect.width, font.x, 4);
    const ConversionWindowPixels pixels =
        ConversionWindowLayout(clientWidth, Pixels(ConversionButtonsToBottom(), font.y, 8));
    EXPECT_EQ(pixels.pictureLeft, 2);
    EXPECT_EQ(pixels.pictureRight, clientWidth - 1);
    EXPECT_EQ(pixels.pictureBottom, font.pictureBottom);
    EXPECT_EQ(pixels.buttonTop, pixels.pictureBottom);
    EXPECT_EQ(pixels.clientHeight, font.clientHeight);

    // The picture after a conversion at that size: the codes and angles under the frames whole.
    const int width = pixels.pictureRight - pixels.pictureLeft;
    auto device = std::make_unique<RecordingDevice>(width, pixels.pictureBottom);
    RecordingDevice& recording = *device;
    Gfx gfx(std::move(device));
    SetUpSurface(gfx);
    ConversionPicture picture;
    picture.converted = true;
    picture.hCode = "006KA00";
    picture.vCode = "025EC00";
    DrawConversionPicture(gfx, picture);
    const std::vector<DrawRecord> results = recording.TextsOfColor(kFittedBlue);
    ASSERT_EQ(results.size(), 4u);
    for (const DrawRecord& text : results) {
      EXPECT_LE(text.y2 + text.height, pixels.pictureBottom) << text.text;
      EXPECT_LE(text.x2 + text.width, width) << text.text;
    }
  }
  // Under Windows' own font the rows of the dialog template stand where the buttons go.
  EXPECT_EQ(Pixels(ConversionWindowRows()[0].rect.y, 13, 8), 315);
  EXPECT_EQ(Pixels(kConversionWindowRect.height, 13, 8), 372);
}

TEST(ConversionWindow, OpensWithEmptyFramesAndWaitsForAFile) {
  Window w;
  w.pattern.measured[0].fill(0.5f);     // what an earlier opening left
  w.state.captionPrefix = "Site \x8a";  // code page 1250: Š
  w.Open();
  EXPECT_EQ(w.dialog.caption,
            "Site Š Conversion of antenna diagrams from Kathrein files to VA-99 format");
  EXPECT_EQ(w.Enabled(), (std::vector<int>{2, 5}));
  EXPECT_EQ(w.dialog.timers, (std::map<int, int>{{kFileTimer, 300}}));
  EXPECT_EQ(w.pattern.measured[0][10], 0.0f);
  ASSERT_EQ(w.surfaces.size(), 1u);
  EXPECT_TRUE(w.recording->LinesOfColor(kMeasuredRed).empty());
  EXPECT_NE(w.recording->FindText("Horiz.diag.(Azimuth)"), nullptr);
  EXPECT_NE(w.recording->FindText("Vert.diag.(Tilt)"), nullptr);
  // Two frames, each cleared with a black outline.
  const auto rects = w.recording->OfKind(DrawKind::kRect);
  ASSERT_GE(rects.size(), 2u);
  EXPECT_EQ(rects[0].pen.color, kGfxBlack);
  EXPECT_EQ(rects[0].x, kHx - std::nearbyint(1.28 * kR));
  EXPECT_EQ(rects[1].x, kVx - std::nearbyint(1.28 * kR));
}

TEST(ConversionWindow, TimerOpensTheFileDialogOnceAndALoadedFileIsDrawn) {
  Window w;
  w.OpenWith(kGoodPath);
  ASSERT_EQ(w.requests.size(), 1u);
  const OpenFileRequest& asked = w.requests[0];
  EXPECT_EQ(asked.title, "Selection of antenna file  for Tx antenna");
  EXPECT_EQ(asked.filter, " Kathrein antenna files:  (*.MSI)|*.msi");
  EXPECT_EQ(asked.fileSpec, "*.msi");
  EXPECT_EQ(asked.defaultExtension, "msi");
  EXPECT_EQ(asked.initialFolder, "C:\\Start");
  EXPECT_EQ(asked.flags, 0x0020100Cu);

  EXPECT_TRUE(w.dialog.timers.empty());
  EXPECT_EQ(w.Enabled(), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(w.dialog.FocusedId(), kConversionButton);
  EXPECT_EQ(w.state.kathreinFolder, kFolder);
  EXPECT_EQ(w.pattern.fileName, "good.msi");
  EXPECT_EQ(w.pattern.fileSpec, "good.msi");
  EXPECT_FLOAT_EQ(CurrentGain(), 17.1f);  // GAIN 15.0 dBd
  // The picture is painted anew: both measured curves, 360 sides each.
  ASSERT_EQ(w.surfaces.size(), 2u);
  const auto red = Vertices(*w.recording, kMeasuredRed);
  ASSERT_EQ(red.size(), 720u);
  // Horizontal maximum at 45 degrees, clockwise from the top.
  const double s = std::sin(std::numbers::pi / 4) * kR;
  EXPECT_EQ(red[45], (std::pair<double, double>{std::nearbyint(kHx + s), std::nearbyint(kCy - s)}));
  // Vertical maximum at 358, clockwise from the right: just above the horizontal axis.
  const double a = 358 * std::numbers::pi / 180;
  EXPECT_EQ(red[360 + 358], (std::pair<double, double>{std::nearbyint(kVx + std::cos(a) * kR),
                                                       std::nearbyint(kCy + std::sin(a) * kR)}));
  EXPECT_NE(w.recording->FindText("source file:  good.msi  from directory  C:\\Antennas\\Kathrein"),
            nullptr);
  EXPECT_NE(w.recording->FindText("name of antenna:  Kathrein, 742 215 test panel"), nullptr);
  EXPECT_NE(w.recording->FindText("frequency =  900 MHz     gain = 17.1 dBi"), nullptr);

  // The next choice starts from the file chosen last, in its folder.
  w.choices.push_back("");
  w.Event(kFileButton);
  EXPECT_EQ(w.requests.back().fileSpec, "good.msi");
  EXPECT_EQ(w.requests.back().initialFolder, kFolder);
}

TEST(ConversionWindow, ReceivingAntennaAndCzechTexts) {
  Window w;
  w.state.language = kCzech;
  w.state.antennaRole = 2;
  w.state.captionPrefix = "X";
  w.files["D:\\a\\bad.msi"] = "ANTENNA NAME x\r\n";
  w.choices = {"D:\\a\\bad.msi", ""};
  w.Open();
  w.TimerFires();
  EXPECT_EQ(w.dialog.caption, "X Převod anténních diagramů ze souborů Kathrein na VA-99 formát");
  EXPECT_EQ(w.requests[0].title, "XVýběr anténního souboru  pro anténu příjmače");
  EXPECT_EQ(w.requests[0].filter, " Anténní soubory Kathrein:  (*.MSI)|*.msi");
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0].first, "X Chyba v souboru  bad.msi");
  EXPECT_EQ(w.errors[0].second,
            "v adresáři:  D:\\a\r\n\r\nVybraný soubor  není  anténní soubor Kathrein  !!");
  EXPECT_NE(w.recording->FindText("Horiz.diag.(Azimut)"), nullptr);
}

// The picture's labels are those of the run's language every time, also when an earlier run
// of the process painted them in the other one.
TEST(ConversionWindow, LabelsFollowTheLanguageOfEachRun) {
  Window w;
  w.Open();
  EXPECT_NE(w.recording->FindText("source file:  "), nullptr);
  w.state.language = kCzech;
  w.Open();
  EXPECT_NE(w.recording->FindText("ant.soubor:  "), nullptr);
  EXPECT_NE(w.recording->FindText("kmitočet =  0 MHz     zisk =  0.0 dBi"), nullptr);
  EXPECT_NE(w.recording->FindText("Vert.diag.(Klopení)"), nullptr);
  EXPECT_EQ(w.recording->FindText("source file:"), nullptr);
}

// A rejected file shows its message, the dialog opens again on it, and neither the buttons nor
// the picture nor the editor's codes change.
TEST(ConversionWindow, RejectedFilesAreReportedAndChangeNothingShown) {
  Window w;
  test::MsiFile shortFile;
  shortFile.horizontal.resize(100);
  const std::string shortText = shortFile.Text().substr(0, shortFile.Text().find("VERTICAL"));
  w.files["C:\\x\\short.msi"] = shortText;
  w.files["C:\\x\\other.txt"] = "hello\r\n";
  w.choices = {"C:\\x\\short.msi", "C:\\x\\other.txt", "C:\\x\\missing.msi", ""};
  w.Open();
  w.state.hCode = "030EB00";
  w.TimerFires();

  ASSERT_EQ(w.errors.size(), 3u);
  EXPECT_EQ(w.errors[0].first, " Error in file  short.msi");
  EXPECT_EQ(w.errors[0].second,
            "in directory:  C:\\x\r\n\r\n"
            "Selected file is shorter than Kathrein antenna file  !!");
  EXPECT_EQ(w.errors[1].second,
            "in directory:  C:\\x\r\n\r\nSelected file  isn't  Kathrein antenna file  !!");
  // A file that cannot be read is reported as not being a Kathrein file.
  EXPECT_EQ(w.errors[2].first, " Error in file  missing.msi");
  EXPECT_NE(w.errors[2].second.find("isn't  Kathrein"), std::string::npos);
  // After each rejection the dialog opened again on the rejected file, in its folder.
  ASSERT_EQ(w.requests.size(), 4u);
  EXPECT_EQ(w.requests[1].fileSpec, "short.msi");
  EXPECT_EQ(w.requests[1].defaultExtension, "msi");
  EXPECT_EQ(w.requests[2].defaultExtension, "txt");
  EXPECT_EQ(w.requests[3].initialFolder, "C:\\x");

  EXPECT_EQ(w.Enabled(), (std::vector<int>{2, 5}));
  EXPECT_EQ(w.surfaces.size(), 1u);  // not repainted
  EXPECT_EQ(w.state.hCode, "030EB00");
}

TEST(ConversionWindow, CancelLeavesEverythingAsItWas) {
  Window w;
  w.OpenWith(kGoodPath);
  w.Event(kConversionButton);
  w.dialog.log.clear();
  const std::size_t painted = w.surfaces.size();
  w.choices.push_back("");
  w.Event(kFileButton);
  EXPECT_EQ(w.Enabled(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(w.surfaces.size(), painted);
  EXPECT_EQ(w.pattern.fileSpec, "good.msi");
  EXPECT_EQ(w.state.kathreinFolder, kFolder);
  EXPECT_TRUE(w.errors.empty());
}

TEST(ConversionWindow, ConversionWritesTheStateAndDrawsTheFittedCurves) {
  Window w;
  w.OpenWith(kGoodPath);
  w.dialog.log.clear();
  w.Event(kConversionButton);

  EXPECT_EQ(w.state.hCode, "030EA10");
  EXPECT_EQ(w.state.aziMax, 45.0f);
  EXPECT_EQ(w.state.vCode, "160VE00");
  EXPECT_EQ(w.state.eleMax, 2.0f);  // v = 358: two degrees above the horizon
  // Every button off while it runs, on after; the focus on Results transfer.
  ASSERT_GE(w.dialog.log.size(), 10u);
  for (int id = 1; id <= 5; ++id) {
    EXPECT_EQ(w.dialog.log[static_cast<std::size_t>(id - 1)], "Disable " + std::to_string(id));
  }
  EXPECT_EQ(w.Enabled(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(w.dialog.FocusedId(), kResultsTransferButton);

  EXPECT_EQ(TextOfColor(*w.recording, kFittedBlue, "030"), "030EA10");
  EXPECT_EQ(TextOfColor(*w.recording, kFittedBlue, "160"), "160VE00");
  EXPECT_EQ(TextOfColor(*w.recording, kFittedBlue, "Azi"), "Azi Max =  45.0°");
  EXPECT_EQ(TextOfColor(*w.recording, kFittedBlue, "Ele"), "Ele Max =   2.0°");
  const auto blue = Vertices(*w.recording, kFittedBlue);
  ASSERT_EQ(blue.size(), 720u);
  const double s = std::sin(std::numbers::pi / 4) * kR;
  EXPECT_EQ(blue[45],
            (std::pair<double, double>{std::nearbyint(kHx + s), std::nearbyint(kCy - s)}));
  const DrawRecord* code = w.recording->FindText("030EA10");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->x, std::nearbyint(kHx - 1.21 * kR));
  EXPECT_EQ(code->y, std::nearbyint(kCy + 1.05 * kR));

  // Closing now still leaves the codes in the editor's state.
  w.Event(kConversionCloseButton);
  EXPECT_EQ(w.dialog.endResult, 0);
  EXPECT_EQ(w.state.hCode, "030EA10");
}

TEST(ConversionWindow, ElevationBelowTheHorizonIsNegative) {
  Window w;
  w.files[kGoodPath] = MsiOf(CodeColumn("030EA10", 45), CodeColumn("160VE00", 2));
  w.OpenWith(kGoodPath);
  w.Event(kConversionButton);
  EXPECT_EQ(w.state.eleMax, -2.0f);
  EXPECT_EQ(TextOfColor(*w.recording, kFittedBlue, "Ele"), "Ele Max =  -2.0°");
}

// A fit just left of north is shown as the fit gave it but stored within 0..360: stored
// negative, the editor's load would turn it into 0.
TEST(ConversionWindow, AzimuthLeftOfNorthIsStoredPlus360) {
  Window w;
  w.files[kGoodPath] = MsiOf(CodeColumn("005EA00", -0.45), CodeColumn("160VE00", 0));
  w.OpenWith(kGoodPath);
  w.Event(kConversionButton);
  const std::string shown = TextOfColor(*w.recording, kFittedBlue, "Azi");
  ASSERT_EQ(shown.substr(0, 11), "Azi Max =  ") << shown;
  const float fitted = std::stof(shown.substr(9));
  ASSERT_LT(fitted, 0.0f);
  EXPECT_FLOAT_EQ(w.state.aziMax, fitted + 360.0f);
  EXPECT_GE(w.state.aziMax, 0.0f);
  EXPECT_LT(w.state.aziMax, 360.0f);
}

TEST(ConversionWindow, ResultsTransferOnlyAfterAConversionOfTheFileShown) {
  Window w;
  w.OpenWith(kGoodPath);
  // Enter arrives as command 1: before a conversion it must not end the window with 1.
  w.Event(kResultsTransferButton);
  EXPECT_FALSE(w.dialog.endResult.has_value());
  w.Event(kConversionButton);
  // Another file: Results transfer waits for its conversion.
  w.choices.push_back(kGoodPath);
  w.Event(kFileButton);
  EXPECT_EQ(w.Enabled(), (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(w.dialog.FocusedId(), kConversionButton);
  w.Event(kConversionButton);
  w.Event(kResultsTransferButton);
  EXPECT_EQ(w.dialog.endResult, 1);
}

TEST(ConversionWindow, FileButtonBeforeTheTimerOpensOneDialog) {
  Window w;
  w.Open();
  w.choices.push_back(kGoodPath);
  w.Event(kFileButton);
  EXPECT_TRUE(w.dialog.timers.empty());
  EXPECT_EQ(w.requests.size(), 1u);
}

TEST(ConversionWindow, CopyOutlinesThePictureOnlyWhileItIsCopied) {
  Window w;
  w.OpenWith(kGoodPath);
  w.Event(kConversionButton);
  w.recording->ClearRecords();
  w.Event(kConversionCopyButton);
  const auto rects = w.recording->OfKind(DrawKind::kRect);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].pen.color, kGfxBlack);
  EXPECT_FALSE(rects[0].brush.filled);
  EXPECT_EQ(rects[0].width, kWidth);
  EXPECT_EQ(rects[0].height, kHeight);
  EXPECT_EQ(rects[1].pen.color, kGfxWhite);  // the corner's colour
  ASSERT_EQ(w.recording->Count(DrawKind::kSave), 1);
  EXPECT_EQ(w.recording->OfKind(DrawKind::kSave)[0].text, "CLIPBOARD");
  // The copied picture carries the outline; the window afterwards does not.
  EXPECT_EQ(w.recording->savedPicture[0], kGfxBlack);
  EXPECT_EQ(w.recording->PixelAt(0, 0), kGfxWhite);
}

}  // namespace
}  // namespace lobrix
