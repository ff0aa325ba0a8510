// lobrix convert: the three output forms, failures with their reasons, the folder search, the
// order of the results over several threads, the pictures, and wrong arguments.
//
// The generated files hold the attenuation of a known code at a known azimuth (computed with
// ANT93 and written with six decimals): the conversion finds that code and azimuth again, so
// the expected values are the ones the files were made from.
#include "cli/convert_command.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "model/antenna_pattern.h"
#include "render/conversion_views.h"

namespace lobrix::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertRun {
  int status;
  std::string out, err;
};

ConvertRun Convert(const Args& args) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(args, out, err);
  return {status, out.str(), err.str()};
}

ConvertRun Convert(std::initializer_list<std::string> words) {
  const std::vector<std::string> kept(words);
  return Convert(Args(kept.begin(), kept.end()));
}

// One plane of a generated file: a code with its maximum at `angle` degrees of the column;
// an empty code is a flat plane (0 dB everywhere).
struct Plane {
  std::string code;
  float angle = 0;
};

std::string PairLines(const Plane& plane) {
  std::string lines;
  char line[64];
  for (int i = 0; i < 360; ++i) {
    float d = static_cast<float>(i) - plane.angle;
    if (d < -180) d += 360;
    if (d > 180) d -= 360;
    const float db = plane.code.empty() ? 0.0f : ANT93(plane.code, d, kDecibel);
    std::snprintf(line, sizeof line, "%d.0 %.6f\r\n", i, static_cast<double>(db));
    lines += line;
  }
  return lines;
}

std::string MsiText(const std::string& name, const Plane& horizontal, const Plane& vertical) {
  return "NAME " + name + "\r\nFREQUENCY 900\r\nGAIN 15.0 dBd\r\nTILT ELECTRICAL\r\n" +
         "COMMENT generated\r\nHORIZONTAL 360\r\n" + PairLines(horizontal) + "VERTICAL 360\r\n" +
         PairLines(vertical);
}

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A fresh, empty folder for one test.
fs::path TestFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path folder = fs::path(::testing::TempDir()) / "lobrix_convert" /
                          (std::string(info->test_suite_name()) + "." + info->name());
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

const std::string kRealFile = std::string(LOBRIX_TEST_DATA) + "/msi/80010465_0791_x_co.msi";

TEST(ConvertCommand, TableCsvAndJsonOfGeneratedFiles) {
  const fs::path folder = TestFolder();
  // A comma, a quote and a code page 1250 letter (0xE8, c with caron) in the antenna name.
  WriteFile(folder / "a.msi", MsiText("Panel, \"wide\" \xE8", {"030EA10", 45}, {"030EA10", 2}));
  WriteFile(folder / "b.msi", MsiText("Omni", {"", 0}, {"030EA10", 358}));
  const std::string a = (folder / "a.msi").string(), b = (folder / "b.msi").string();

  const ConvertRun csv = Convert({a, b, "--csv"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.err, "");
  EXPECT_EQ(
      csv.out,
      "path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,vertical,elemax,reading,status,"
      "reason\n" +
          a +
          ",\"Panel, \"\"wide\"\" č\",900.0,17.1,030EA10,45.0,030EA10,-2.0,Kathrein,converted,\n" +
          b + ",Omni,900.0,17.1,000ND00,0.0,030EA10,2.0,Kathrein,converted,\n");

  WriteFile(folder / "c.msi", MsiText("Flat", {"", 0}, {"", 0}));
  const ConvertRun json = Convert({"--json", a, b, (folder / "c.msi").string()});
  ASSERT_EQ(json.status, 0) << json.err;
  const nlohmann::json records = nlohmann::json::parse(json.out);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0]["path"], a);
  EXPECT_EQ(records[0]["antenna"], "Panel, \"wide\" č");
  EXPECT_EQ(records[0]["frequency_mhz"], 900.0);
  EXPECT_EQ(records[0]["gain_dbi"], 17.1);
  EXPECT_EQ(records[0]["horizontal"], "030EA10");
  EXPECT_EQ(records[0]["azimax"], 45.0);
  EXPECT_EQ(records[0]["vertical"], "030EA10");
  EXPECT_EQ(records[0]["elemax"], -2.0);
  EXPECT_EQ(records[0]["status"], "converted");
  EXPECT_TRUE(records[0]["reason"].is_null());
  EXPECT_EQ(records[1]["horizontal"], "000ND00");
  EXPECT_EQ(records[1]["elemax"], 2.0);
  // A flat vertical plane's elevation is 0, never printed as -0.
  EXPECT_EQ(records[2]["vertical"], "000ND00");
  EXPECT_EQ(json.out.find("-0.0"), std::string::npos);

  const ConvertRun table = Convert({a, b});
  EXPECT_EQ(table.status, 0);
  std::istringstream lines(table.out);
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_TRUE(header.starts_with("path")) << header;
  for (const char* column : {"antenna", "MHz", "dBi", "horizontal", "AziMax", "vertical"}) {
    EXPECT_NE(header.find(column), std::string::npos) << column;
  }
  EXPECT_TRUE(header.ends_with("EleMax  reading"));
  // Right-aligned numbers end under their headings.
  EXPECT_TRUE(first.ends_with("-2.0  Kathrein")) << first;
  EXPECT_EQ(first.size() - std::string("č").size() + 1, header.size() + 1) << first;
  EXPECT_NE(first.find("030EA10  "), std::string::npos) << first;
  EXPECT_NE(second.find("000ND00"), std::string::npos) << second;
}

TEST(ConvertCommand, RealFileGivesItsHeaderAndValidCodes) {
  const ConvertRun run = Convert({"--json", kRealFile});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  // The file's header: NAME 80010465, FREQUENCY 791, GAIN 3.10 dBd (+ 2.1 = 5.2 dBi).
  EXPECT_EQ(record["antenna"], "80010465");
  EXPECT_EQ(record["frequency_mhz"], 791.0);
  EXPECT_EQ(record["gain_dbi"], 5.2);
  EXPECT_EQ(VERANT(record["horizontal"].get<std::string>()), 1);
  EXPECT_EQ(VERANT(record["vertical"].get<std::string>()), 1);
  EXPECT_GE(record["azimax"].get<double>(), 0.0);
  EXPECT_LT(record["azimax"].get<double>(), 360.0);
  EXPECT_LE(std::fabs(record["elemax"].get<double>()), 180.0);
}

TEST(ConvertCommand, FailedFilesAreReportedAndTheBatchGoesOn) {
  const fs::path folder = TestFolder();
  const std::string good = (folder / "good.msi").string();
  const std::string foreign = (folder / "foreign.msi").string();
  const std::string cut = (folder / "cut.msi").string();
  const std::string missing = (folder / "missing.msi").string();
  WriteFile(good, MsiText("Good", {"030EA10", 45}, {"030EA10", 2}));
  WriteFile(foreign, "ANTENNA NAME x\r\nFREQUENCY 900\r\n");
  const std::string whole = MsiText("Cut", {"030EA10", 45}, {"030EA10", 2});
  WriteFile(cut, whole.substr(0, whole.find("100.0 ")));  // ends inside the horizontal block

  const ConvertRun run = Convert({foreign, good, cut, missing, "--json", "--strict"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "lobrix: convert: " + foreign +
                ": Selected file  isn't  Kathrein antenna file  !!\n"
                "lobrix: convert: " +
                cut +
                ": Selected file is shorter than Kathrein antenna file  !!\n"
                "lobrix: convert: " +
                missing +
                ": Selected file  isn't  Kathrein antenna file  !! (cannot be read: No such file "
                "or directory)\n");
  const nlohmann::json records = nlohmann::json::parse(run.out);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0]["status"], "failed");
  EXPECT_EQ(records[0]["reason"], "Selected file  isn't  Kathrein antenna file  !!");
  EXPECT_TRUE(records[0]["horizontal"].is_null());
  EXPECT_EQ(records[1]["status"], "converted");
  EXPECT_EQ(records[1]["horizontal"], "030EA10");
  EXPECT_EQ(records[2]["reason"], "Selected file is shorter than Kathrein antenna file  !!");
  EXPECT_EQ(records[3]["path"], missing);

  const ConvertRun czech = Convert({"--czech", "--csv", "--strict", cut});
  EXPECT_EQ(czech.status, 1);
  EXPECT_EQ(czech.err,
            "lobrix: convert: " + cut + ": Vybraný soubor  je kratší,  než by měl být  !!\n");
  EXPECT_NE(czech.out.find(",failed,"), std::string::npos) << czech.out;

  const ConvertRun table = Convert({foreign, "--strict"});
  EXPECT_NE(table.out.find(foreign + "  failed: Selected file  isn't"), std::string::npos)
      << table.out;

  // Read leniently (the default), the rejections name the line and what was expected there.
  const ConvertRun lenient = Convert({foreign, good, cut, missing});
  EXPECT_EQ(lenient.status, 1);
  EXPECT_EQ(lenient.err,
            "lobrix: convert: " + foreign +
                ": line 3: expected FREQUENCY and GAIN in the header before the first block\n"
                "lobrix: convert: " +
                cut + ": line 107: expected the angle 100\n" + "lobrix: convert: " + missing +
                ": cannot be read: No such file or directory\n");
}

TEST(ConvertCommand, FoldersAreSearchedForMsiInAnyLetterCaseInSortedOrder) {
  const fs::path folder = TestFolder();
  const std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  for (const char* name : {"c.MSI", "a.msi", "sub/b.Msi", "sub/deeper/d.mSi", "e.msi.bak", "f.txt",
                           "msi", "sub/g.ms"}) {
    WriteFile(folder / name, text);
  }
  fs::create_directories(folder / "empty");
  const ConvertRun run = Convert({folder.string(), "--csv"});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<std::string> paths;
  std::istringstream lines(run.out);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) paths.push_back(line.substr(0, line.find(',')));
  const std::vector<std::string> expected = {
      (folder / "a.msi").string(), (folder / "c.MSI").string(), (folder / "sub/b.Msi").string(),
      (folder / "sub/deeper/d.mSi").string()};
  EXPECT_EQ(paths, expected);

  const ConvertRun empty = Convert({(folder / "empty").string()});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err,
            "lobrix: convert: " + (folder / "empty").string() + ": no *.msi files in the folder\n");
}

TEST(ConvertCommand, SeveralThreadsKeepTheInputOrder) {
  const fs::path folder = TestFolder();
  std::vector<std::string> files;
  std::string expected;
  // Every file a different azimuth, named so that the input order is not the sorted one. Every
  // third file also has a two-lobe vertical plane, which takes far longer to fit than the flat
  // one of the others: the files finish out of their order.
  for (int i = 0; i < 24; ++i) {
    const int azimuth = 15 * i;
    const bool slow = i % 3 == 0;
    const fs::path path = folder / ("f" + std::to_string(100 - i) + ".msi");
    WriteFile(path, MsiText("n", {"030EA10", static_cast<float>(azimuth)},
                            slow ? Plane{"160VE00", 45} : Plane{"", 0}));
    files.push_back(path.string());
    expected += path.string() + ",n,900.0,17.1,030EA10," + std::to_string(azimuth) + ".0," +
                (slow ? "160VE00,-45.0" : "000ND00,0.0") + ",Kathrein,converted,\n";
  }
  for (const char* threads : {"1", "4", "7"}) {
    std::vector<std::string> words = files;
    words.insert(words.end(), {"--csv", "--threads", threads});
    const ConvertRun run = Convert(Args(words.begin(), words.end()));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), expected) << threads << " threads";
  }
}

// On a terminal the progress line counts the files and is wiped before the failures follow.
TEST(ConvertCommand, ProgressLineIsRewrittenInPlaceAndWipedAtTheEnd) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "a.msi", MsiText("a", {"030EA10", 45}, {"", 0}));
  WriteFile(folder / "b.msi", MsiText("b", {"030EA10", 90}, {"", 0}));
  WriteFile(folder / "c.msi", "not a pattern");
  std::ostringstream out, err;
  const int status = RunConvertCommand({folder.string()}, out, err, true);
  EXPECT_EQ(status, 1);
  const std::string text = err.str();
  const std::string last = "\rlobrix: convert: 3 of 3 files, ";
  const std::size_t at = text.rfind(last);
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_NE(text.find(" files/s", at), std::string::npos);
  // Wiped with blanks, then the one failure line from the start of the line.
  const std::size_t lastReturn = text.rfind('\r');
  const std::size_t wipe = text.rfind('\r', lastReturn - 1);
  EXPECT_GT(wipe, at);
  EXPECT_EQ(text.find_first_not_of(' ', wipe + 1), lastReturn) << text;
  EXPECT_EQ(text.substr(lastReturn + 1),
            "lobrix: convert: " + (folder / "c.msi").string() +
                ": line 2: expected FREQUENCY and GAIN in the header before the first block\n");
  // Standard output holds only the table.
  EXPECT_EQ(out.str().find('\r'), std::string::npos);
}

// The colour of the pixel (x, y) of an ARGB/RGB24 cairo image as 0xRRGGBB.
unsigned PixelOf(cairo_surface_t* image, int x, int y) {
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, sizeof pixel);
  return pixel & 0xFFFFFF;
}

bool IsBlue(unsigned rgb) {
  return (rgb & 0xFF) > 150 && (rgb >> 8 & 0xFF) < 90 && (rgb >> 16 & 0xFF) < 90;
}
bool IsRed(unsigned rgb) {
  return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) < 90 && (rgb & 0xFF) < 90;
}

// Whether a pixel of `colour` lies within 2 pixels of (x, y).
template <typename Test>
bool ColourNear(cairo_surface_t* image, double x, double y, Test colour) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (colour(PixelOf(image, static_cast<int>(x) + dx, static_cast<int>(y) + dy))) return true;
    }
  }
  return false;
}

TEST(ConvertCommand, RenderWritesTheConversionPicture) {
  const fs::path folder = TestFolder();
  // Horizontal maximum at azimuth 90 (right of the left frame), vertical at tilt 0 (right of
  // the right frame).
  WriteFile(folder / "in/east.msi", MsiText("East", {"030EA10", 90}, {"030EA10", 0}));
  const ConvertRun run = Convert({(folder / "in").string(), kRealFile, "--render",
                                  (folder / "pictures").string(), "--threads", "2"});
  ASSERT_EQ(run.status, 0) << run.err;

  cairo_surface_t* image =
      cairo_image_surface_create_from_png((folder / "pictures/east.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  const PixelSize area = ConversionAreaPixels();
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  EXPECT_EQ(width, 2 * area.width);
  EXPECT_EQ(height, 2 * area.height);
  EXPECT_EQ(PixelOf(image, 1, height - 2), 0xFFFFFFu);  // below the frames
  // Logical units: 1000 on the shorter side (the height).
  const double scale = height / 1000.0;
  const ConversionFrames f =
      ConversionGeometry(static_cast<int>(std::lround(1000.0 * width / height)));
  const double r = f.r * scale, cy = f.centreY * scale;
  const double hx = f.horizontalX * scale, vx = f.verticalX * scale;
  auto blue = [](unsigned rgb) { return IsBlue(rgb); };
  EXPECT_TRUE(ColourNear(image, hx + r, cy, blue));   // azimuth 90 at full field
  EXPECT_FALSE(ColourNear(image, hx, cy - r, blue));  // not at the top
  EXPECT_TRUE(ColourNear(image, vx + r, cy, blue));   // tilt 0 at full field
  EXPECT_FALSE(ColourNear(image, vx, cy + r, blue));  // not at the bottom
  cairo_surface_destroy(image);

  // The real file's fit differs from its measurement: both colours show.
  image = cairo_image_surface_create_from_png((folder / "pictures/80010465_0791_x_co.png").c_str());
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  int red = 0, blueCount = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      red += IsRed(PixelOf(image, x, y)) ? 1 : 0;
      blueCount += IsBlue(PixelOf(image, x, y)) ? 1 : 0;
    }
  }
  EXPECT_GT(red, 500);
  EXPECT_GT(blueCount, 500);
  cairo_surface_destroy(image);
}

TEST(ConvertCommand, RenderFormatsAndNameClashes) {
  const fs::path folder = TestFolder();
  const std::string text = MsiText("x", {"030EA10", 45}, {"030EA10", 2});
  WriteFile(folder / "one/x.msi", text);
  WriteFile(folder / "two/X.MSI", text);
  for (const char* format : {"svg", "pdf"}) {
    const ConvertRun run = Convert({(folder / "one").string(), (folder / "two").string(),
                                    "--render", (folder / format).string(), "--format", format});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"x.", "X-2."}) {
      std::ifstream picture(folder / format / (name + std::string(format)), std::ios::binary);
      std::string start(5, '\0');
      picture.read(start.data(), 5);
      EXPECT_EQ(start, std::string(format) == "pdf" ? "%PDF-" : "<?xml") << name << format;
    }
  }
}

// A picture that cannot be written fails its file, but the file's codes are still given. The
// message says the system's reason, and shows the folder's ESC escaped.
TEST(ConvertCommand, UnwritablePictureFailsTheFileAndKeepsItsCodes) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "in/x.msi", MsiText("x", {"030EA10", 45}, {"030EA10", 2}));
  fs::create_directories(folder / "p\x1b/x.png");  // a folder where the picture would go
  const ConvertRun run =
      Convert({(folder / "in/x.msi").string(), "--json", "--render", (folder / "p\x1b").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "lobrix: convert: " + (folder / "in/x.msi").string() + ": cannot write " +
                         (folder / "p\\x1B/x.png").string() + ": Is a directory\n");
  const nlohmann::json record = nlohmann::json::parse(run.out).at(0);
  EXPECT_EQ(record["status"], "failed");
  EXPECT_EQ(record["horizontal"], "030EA10");
  EXPECT_TRUE(record["reason"].get<std::string>().starts_with("cannot write")) << record;
}

TEST(ConvertCommand, WrongArgumentsExitWithTwo) {
  const fs::path folder = TestFolder();
  WriteFile(folder / "file", "x");
  const struct {
    std::vector<std::string> words;
    const char* message;
  } cases[] = {
      {{}, "lobrix: convert: missing PATH (lobrix convert --help shows the usage)\n"},
      {{"a.msi", "--format", "gif", "--render", "x"},
       "lobrix: convert: unknown format 'gif' (png, svg or pdf)\n"},
      {{"a.msi", "--format", "svg"},
       "lobrix: convert: --format is for the pictures of --render DIR\n"},
      {{"a.msi", "--threads", "0"},
       "lobrix: convert: --threads must be a whole number from 1 to 256, not '0'\n"},
      {{"a.msi", "--threads"}, "lobrix: convert: --threads needs a number of threads\n"},
      {{"a.msi", "--render"}, "lobrix: convert: --render needs a folder for the pictures\n"},
      {{"a.msi", "--xml"}, "lobrix: convert: unknown option --xml\n"},
      {{"a.msi", "--render", (folder / "file").string()}, nullptr},
  };
  for (const auto& c : cases) {
    const ConvertRun run = Convert(Args(c.words.begin(), c.words.end()));
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.out, "");
    if (c.message != nullptr) {
      EXPECT_EQ(run.err, c.message);
    }
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  const ConvertRun help = Convert({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lobrix convert PATH...")) << help.out;
}

}  // namespace
}  // namespace lobrix::cli
