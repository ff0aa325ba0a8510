// The Windows command line's pictures: the PNG encoder on its own, then lobrix-cli.exe run as
// a user runs it. Its pictures are read back with the Windows imaging codecs (and the size from
// the file's own header) and the red curves are compared with where the Linux build's cairo
// pictures of the same pages have theirs (tests/data/pictures). Failures leave nothing behind.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/png_file_wic.h"
#include "tests/win32/caller.h"

namespace lobrix::test {
namespace {

namespace fs = std::filesystem;

struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p != nullptr) p->Release();
  }
  T* operator->() const { return p; }
};

// Any PNG (24-bit, 1-bit grey ...) as 0x00RRGGBB pixels; false when WIC cannot read it.
bool DecodePng(const std::string& bytes, Picture& picture) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))) ||
      FAILED(factory->CreateStream(&stream.p)) ||
      FAILED(stream->InitializeFromMemory(
          reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder.p)) ||
      FAILED(decoder->GetFrame(0, &frame.p)) || FAILED(factory->CreateFormatConverter(&converter.p)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                   nullptr, 0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&w, &h))) {
    return false;
  }
  picture.width = static_cast<int>(w);
  picture.height = static_cast<int>(h);
  picture.pixels.assign(static_cast<std::size_t>(w) * h, 0);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                   reinterpret_cast<BYTE*>(picture.pixels.data())))) {
    return false;
  }
  for (std::uint32_t& p : picture.pixels) p &= 0xFFFFFF;
  return true;
}

// The size the file's IHDR chunk gives, read byte by byte: the signature, then IHDR first.
bool HeaderSize(const std::string& png, int& width, int& height) {
  if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      png.compare(12, 4, "IHDR") != 0) {
    return false;
  }
  const auto u32 = [&png](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
    return static_cast<int>(v);
  };
  width = u32(16);
  height = u32(20);
  return true;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

struct CliRun {
  DWORD status = 99;
  std::string output;  // standard output and error
};

// lobrix-cli.exe (beside the test) with `arguments`, its output caught in a file.
CliRun RunCli(const std::string& arguments) {
  const std::wstring log = ProgramFolder() + L"cli_pictures_output.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  CliRun run;
  if (file == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = startup.hStdError = file;
  std::wstring command = L"\"" + ProgramFolder() + L"lobrix-cli.exe\" " + Wide(arguments);
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &run.status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(file);
  // Text mode writes CR LF; the lines are compared as the program wrote them.
  for (const char c : ReadAll(log)) {
    if (c != '\r') run.output += c;
  }
  return run;
}

// A fresh folder for one test's files, beside the test (kept to be looked at).
fs::path FreshFolder(const char* name) {
  const fs::path folder = fs::path(ProgramFolder()) / "cli_pictures" / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

std::string Quoted(const fs::path& path) {
  std::string quoted(1, '"');
  quoted += path.string();
  quoted += '"';
  return quoted;
}

bool Red(std::uint32_t rgb) {
  const int r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  return r - std::max(g, b) >= 102;  // 40 % of full scale, as the masks were made
}

// The share of the marked pixels of `from` that have a marked pixel of `to` within `reach`
// pixels (across and down); 0 when `from` marks none.
double ShareNear(const std::vector<bool>& from, const std::vector<bool>& to, int width,
                 int height, int reach) {
  int marked = 0, nearby = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!from[static_cast<std::size_t>(y) * width + x]) continue;
      ++marked;
      bool found = false;
      for (int dy = -reach; dy <= reach && !found; ++dy) {
        for (int dx = -reach; dx <= reach && !found; ++dx) {
          const int nx = x + dx, ny = y + dy;
          found = nx >= 0 && ny >= 0 && nx < width && ny < height &&
                  to[static_cast<std::size_t>(ny) * width + nx];
        }
      }
      nearby += found ? 1 : 0;
    }
  }
  return marked == 0 ? 0.0 : static_cast<double>(nearby) / marked;
}

// Checks a picture file written by lobrix-cli.exe: a PNG of the size asked for whose red
// curves lie where the Linux picture's do (tests/data/pictures/MASK.png). The top `textRows`
// rows are left out: a red heading text, set by another font engine, takes other pixels.
void ExpectCurvesOfLinux(const std::string& png, int width, int height, const char* mask,
                         int textRows = 0) {
  int headerWidth = 0, headerHeight = 0;
  ASSERT_TRUE(HeaderSize(png, headerWidth, headerHeight)) << "no PNG";
  EXPECT_EQ(headerWidth, width);
  EXPECT_EQ(headerHeight, height);
  Picture drawn, reference;
  ASSERT_TRUE(DecodePng(png, drawn));
  ASSERT_TRUE(DecodePng(ReadAll(fs::path(LOBRIX_TEST_DATA) / "pictures" / mask), reference));
  ASSERT_EQ(drawn.width, reference.width);
  ASSERT_EQ(drawn.height, reference.height);
  std::vector<bool> drawnRed, linuxRed;
  for (std::size_t i = 0; i < drawn.pixels.size(); ++i) {
    const bool curves = i >= static_cast<std::size_t>(textRows) * width;
    drawnRed.push_back(curves && Red(drawn.pixels[i]));
    linuxRed.push_back(curves && reference.pixels[i] == 0);
  }
  // Both ways: every Linux curve pixel drawn here too, and nothing red drawn elsewhere. GDI
  // and cairo round lines differently, by a pixel or so.
  const double found = ShareNear(linuxRed, drawnRed, width, height, 2);
  const double placed = ShareNear(drawnRed, linuxRed, width, height, 2);
  EXPECT_GE(found, 0.97) << mask << ": Linux curve pixels with one drawn within 2 pixels";
  EXPECT_GE(placed, 0.97) << mask << ": red pixels drawn within 2 pixels of a Linux one";
  // As much red as there: lines as wide as the Linux picture's, relative to its size.
  const double ink = static_cast<double>(std::count(drawnRed.begin(), drawnRed.end(), true)) /
                     static_cast<double>(std::count(linuxRed.begin(), linuxRed.end(), true));
  EXPECT_GT(ink, 0.8) << mask << ": red pixels drawn for each red pixel there";
  EXPECT_LT(ink, 1.25) << mask << ": red pixels drawn for each red pixel there";
  std::printf("%s: %.4f of the Linux curve found, %.4f of the red drawn placed, %.2f as many\n",
              mask, found, placed, ink);
}

TEST(PngWic, EncodesEveryPixelInPlace) {
  // Sizes around the encoder's bands of 64 rows and 4-byte row padding.
  const int sizes[][2] = {{1, 1}, {3, 70}, {129, 2}, {64, 65}, {5, 128}};
  for (const auto& [width, height] : sizes) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        pixels.push_back(static_cast<std::uint32_t>((x * 7 + y) & 0xFF) << 16 |
                         static_cast<std::uint32_t>(y * 3 & 0xFF) << 8 |
                         static_cast<std::uint32_t>((x ^ y) & 0xFF));
      }
    }
    std::string png, error;
    ASSERT_TRUE(EncodePngWic(pixels.data(), width, height, png, error)) << error;
    int w = 0, h = 0;
    ASSERT_TRUE(HeaderSize(png, w, h));
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    Picture decoded;
    ASSERT_TRUE(DecodePng(png, decoded));
    EXPECT_EQ(decoded.pixels, pixels) << width << "x" << height;
  }
}

// Each case starts lobrix-cli.exe.
class CliPictures : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef LOBRIX_NO_CLI_PROCESSES
    GTEST_SKIP() << "every process takes a minute or more to start under the 32-bit emulator";
#endif
  }
};

TEST_F(CliPictures, PagesMatchTheLinuxCurves) {
  struct Case {
    const char* arguments;
    int width, height;
    const char* mask;
    int textRows;
  };
  const Case cases[] = {
      {"render --page horizontal --h 030EA10", 594, 586, "horizontal.png", 0},
      // "Matched" in red beside the heading.
      {"render --page vertical --v 120PE05 --elemax -3 --size 400x300", 400, 300,
       "vertical.png", 25},
      {"render --page 3d --h 065EA00 --v 100TA00 --azimax 40 --size 489x287", 489, 287,
       "3d.png", 0},
  };
  const fs::path folder = FreshFolder("pages");
  for (const Case& c : cases) {
    const fs::path target = folder / c.mask;
    const CliRun run = RunCli(std::string(c.arguments) + " -o " + Quoted(target));
    ASSERT_EQ(run.status, 0u) << c.arguments << ": " << run.output;
    ExpectCurvesOfLinux(ReadAll(target), c.width, c.height, c.mask, c.textRows);
  }
  // Nothing but the pictures: no temporary file stays.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}

// convert --render writes the conversion window's picture; --report holds the same picture.
TEST_F(CliPictures, ConvertRendersAndReportsPng) {
  const fs::path folder = FreshFolder("convert");
  const fs::path input = fs::path(LOBRIX_TEST_DATA) / "msi" / "80010465_0791_x_co.msi";
  const CliRun run = RunCli("convert " + Quoted(input) + " --render " + Quoted(folder) +
                            " --report " + Quoted(folder / "report.html"));
  ASSERT_EQ(run.status, 0u) << run.output;
  const std::string png = ReadAll(folder / "80010465_0791_x_co.png");
  ExpectCurvesOfLinux(png, 1098, 680, "conversion.png");

  const std::string page = ReadAll(folder / "report.html");
  const std::string mark = "<img src=\"data:image/png;base64,";
  const std::size_t start = page.find(mark);
  ASSERT_NE(start, std::string::npos) << "no PNG picture in the report";
  EXPECT_EQ(page.find("<svg"), std::string::npos);
  const std::size_t end = page.find('"', start + mark.size());
  const std::string digits = page.substr(start + mark.size(), end - start - mark.size());
  // The picture's own bytes, decoded from base 64 here.
  std::string bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : digits) {
    const std::size_t v = std::string_view(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/").find(c);
    if (v == std::string_view::npos) break;
    bits = bits << 6 | static_cast<std::uint32_t>(v);
    if ((count += 6) >= 8) bytes += static_cast<char>(bits >> (count -= 8) & 0xFF);
  }
  EXPECT_NE(page.find("width=\"549\" height=\"340\""), std::string::npos);
  EXPECT_EQ(bytes, png) << "the report's picture is the --render picture";
}

TEST_F(CliPictures, RefusedAndFailedPicturesLeaveNothingBehind) {
  const fs::path folder = FreshFolder("failures");
  fs::create_directory(folder / "taken.png");  // a folder where the picture would go
  const std::string input = Quoted(fs::path(LOBRIX_TEST_DATA) / "msi" / "80010465_0791_x_co.msi");
  const std::string svgOnlyOnLinux =
      "this build writes PNG pictures only (SVG and PDF: lobrix on Linux)";
  struct Case {
    std::string arguments;
    std::string message;
  };
  const Case cases[] = {
      {"render --page horizontal -o " + Quoted(folder / "missing" / "x.png"),
       "cannot write " + (folder / "missing" / "x.png").string() + ": No such file or directory"},
      {"render --page horizontal -o " + Quoted(folder / "taken.png"),
       "cannot write " + (folder / "taken.png").string() + ": "},
      {"render --page horizontal -o " + Quoted(folder / "x.svg"), svgOnlyOnLinux},
      {"render --page 3d -o " + Quoted(folder / "x.PDF"), svgOnlyOnLinux},
      {"convert " + input + " --render " + Quoted(folder / "svg") + " --format svg",
       "--format svg: " + svgOnlyOnLinux},
  };
  for (const Case& c : cases) {
    const CliRun run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2u) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos)
        << c.arguments << "\ngave: " << run.output;
  }
  // Only the folder in the way is left: no picture, no temporary file, no folder for --render.
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"taken.png"});
  EXPECT_TRUE(fs::is_empty(folder / "taken.png"));
}

TEST_F(CliPictures, HelpNamesTheFormatsOfEachBuild) {
  const CliRun render = RunCli("render --help");
  EXPECT_NE(render.output.find("-o FILE.png\n"), std::string::npos) << render.output;
  const CliRun convert = RunCli("convert --help");
  EXPECT_NE(convert.output.find("[--format png]"), std::string::npos) << convert.output;
  for (const CliRun* run : {&render, &convert}) {
    EXPECT_NE(run->output.find("lobrix on Linux writes PNG, SVG and PDF pictures; lobrix-cli.exe "
                               "on Windows writes PNG."),
              std::string::npos);
  }
}

}  // namespace
}  // namespace lobrix::test
