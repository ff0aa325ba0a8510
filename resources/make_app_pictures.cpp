// Draws the two pictures of the main window that are not code types: "kniha", the 32 x 32 book
// on the help button (kniha.bmp, 24-bit), and "trx4", the program icon, an antenna mast
// sending waves (trx4.ico, 32 x 32 and 16 x 16, 32-bit with a transparency mask).
// Standard C++ only, so it builds anywhere:
//   c++ -std=c++20 -O2 resources/make_app_pictures.cpp -o make_app_pictures
//   ./make_app_pictures resources
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kButtonFace{192, 192, 192, 255};  // the book sits on a grey button
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kPaper{240, 236, 220, 255};
constexpr Rgba kCover{0, 64, 160, 255};
constexpr Rgba kCoverLight{64, 128, 224, 255};
constexpr Rgba kGold{240, 200, 40, 255};
constexpr Rgba kSteel{64, 64, 72, 255};
constexpr Rgba kRed{220, 0, 0, 255};
constexpr Rgba kWave{0, 96, 224, 255};

class Canvas {
 public:
  Canvas(int size, Rgba fill) : size_(size), pixels_(static_cast<std::size_t>(size * size), fill) {}
  int Size() const { return size_; }
  Rgba At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgba c) {
    if (x >= 0 && y >= 0 && x < size_ && y < size_) pixels_[Index(x, y)] = c;
  }
  void Fill(int x0, int y0, int x1, int y1, Rgba c) {  // inclusive corners
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, Rgba c) {
    Line(x0, y0, x1, y0, c);
    Line(x1, y0, x1, y1, c);
    Line(x1, y1, x0, y1, c);
    Line(x0, y1, x0, y0, c);
  }
  void Line(int x0, int y0, int x1, int y1, Rgba c) {  // Bresenham
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      Set(x0, y0, c);
      if (x0 == x1 && y0 == y1) break;
      const int e2 = 2 * err;
      if (e2 >= dy) err += dy, x0 += sx;
      if (e2 <= dx) err += dx, y0 += sy;
    }
  }
  // An arc around (cx, cy) from angle a0 to a1 (degrees clockwise from up).
  void Arc(double cx, double cy, double radius, double a0, double a1, Rgba c) {
    constexpr double kPi = 3.14159265358979323846;
    for (double a = a0; a <= a1; a += 2) {
      const double t = a * kPi / 180;
      Set(static_cast<int>(std::lround(cx + radius * std::sin(t))),
          static_cast<int>(std::lround(cy - radius * std::cos(t))), c);
    }
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * size_ + x); }
  int size_;
  std::vector<Rgba> pixels_;
};

// A closed book lying slightly turned: the page block shows at the bottom and right, the
// cover has a spine and a gold title label. The help button shows about the middle 20 x 18
// pixels of the picture, so the book stays inside them.
Canvas DrawBook() {
  Canvas c(32, kButtonFace);
  c.Fill(9, 9, 24, 25, kPaper);  // the pages behind the cover
  for (int y = 12; y <= 24; y += 2) c.Line(23, y, 24, y, kSteel);
  c.Frame(9, 9, 24, 25, kBlack);
  c.Fill(7, 7, 22, 23, kCover);      // the cover
  c.Fill(7, 7, 9, 23, kCoverLight);  // the spine
  c.Frame(7, 7, 22, 23, kBlack);
  c.Line(10, 7, 10, 23, kBlack);
  c.Fill(12, 10, 20, 14, kGold);  // the title label
  c.Frame(12, 10, 20, 14, kBlack);
  c.Line(14, 12, 18, 12, kBlack);
  c.Line(12, 18, 20, 18, kGold);
  c.Line(12, 20, 18, 20, kGold);
  return c;
}

// A lattice mast on a clear ground with a red lamp on top and waves on both sides.
Canvas DrawMast() {
  Canvas c(32, kClear);
  c.Line(16, 8, 9, 30, kSteel);  // the legs
  c.Line(16, 8, 23, 30, kSteel);
  c.Line(15, 8, 8, 30, kSteel);
  c.Line(17, 8, 24, 30, kSteel);
  for (int y = 12; y <= 28; y += 4) {  // the braces, zigzag
    const int half = (y - 8) * 7 / 22;
    const int next = std::min(y + 4, 30);
    const int nextHalf = (next - 8) * 7 / 22;
    c.Line(16 - half, y, 16 + half, y, kSteel);
    c.Line(16 - half, y, 16 + nextHalf, next, kSteel);
  }
  c.Line(6, 30, 26, 30, kBlack);                  // the ground
  c.Line(16, 3, 16, 8, kBlack);                   // the aerial
  c.Fill(15, 2, 17, 4, kRed);                     // the lamp
  for (const double radius : {5.0, 8.5, 12.0}) {  // waves
    c.Arc(16, 4, radius, 50, 130, kWave);
    c.Arc(16, 4, radius, 230, 310, kWave);
  }
  return c;
}

// Half the size, each pixel the mean of four (colours weighted by their opacity).
Canvas Halve(const Canvas& big) {
  Canvas small(big.Size() / 2, kClear);
  for (int y = 0; y < small.Size(); ++y) {
    for (int x = 0; x < small.Size(); ++x) {
      int r = 0, g = 0, b = 0, a = 0;
      for (int k = 0; k < 4; ++k) {
        const Rgba p = big.At(2 * x + k % 2, 2 * y + k / 2);
        r += p.r * p.a, g += p.g * p.a, b += p.b * p.a, a += p.a;
      }
      if (a == 0) continue;
      // A pixel half covered or more stays; thin lines would vanish otherwise.
      const auto mean = [a](int v) { return static_cast<std::uint8_t>(v / a); };
      small.Set(x, y, {mean(r), mean(g), mean(b), static_cast<std::uint8_t>(a >= 255 ? 255 : 0)});
    }
  }
  return small;
}

class Bytes {
 public:
  std::vector<std::uint8_t> data;
  void U8(unsigned v) { data.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) { U8(v & 0xFF), U8(v >> 8 & 0xFF); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
};

void InfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageBytes) {
  out.U32(40);
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(height));
  out.U16(1);
  out.U16(static_cast<unsigned>(bits));
  out.U32(0);  // BI_RGB
  out.U32(imageBytes);
  out.U32(0), out.U32(0), out.U32(0), out.U32(0);
}

Bytes Bmp24(const Canvas& c) {
  const int n = c.Size();
  const std::uint32_t stride = static_cast<std::uint32_t>((n * 3 + 3) & ~3);
  const std::uint32_t image = stride * static_cast<std::uint32_t>(n);
  Bytes out;
  out.U8('B'), out.U8('M');
  out.U32(14 + 40 + image);
  out.U32(0);
  out.U32(14 + 40);
  InfoHeader(out, n, n, 24, image);
  for (int y = n - 1; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < n; ++x) {
      const Rgba p = c.At(x, y);
      out.U8(p.b), out.U8(p.g), out.U8(p.r);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(n * 3); pad < stride; ++pad) out.U8(0);
  }
  return out;
}

// One icon image: BGRA rows bottom up, then the AND mask (1 = transparent), rows padded to 32
// bits; the header's height counts both.
Bytes IconImage(const Canvas& c) {
  const int n = c.Size();
  const std::uint32_t maskStride = static_cast<std::uint32_t>((n + 31) / 32 * 4);
  Bytes out;
  InfoHeader(out, n, 2 * n, 32,
             static_cast<std::uint32_t>(n * n * 4) + maskStride * static_cast<std::uint32_t>(n));
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Rgba p = c.At(x, y);
      out.U8(p.b), out.U8(p.g), out.U8(p.r), out.U8(p.a);
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < n; ++x) {
      if (c.At(x, y).a == 0) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    for (const std::uint8_t b : row) out.U8(b);
  }
  return out;
}

Bytes Ico(const std::vector<Canvas>& images) {
  std::vector<Bytes> bodies;
  for (const Canvas& c : images) bodies.push_back(IconImage(c));
  Bytes out;
  out.U16(0), out.U16(1), out.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto n = static_cast<unsigned>(images[i].Size());
    out.U8(n), out.U8(n), out.U8(0), out.U8(0);
    out.U16(1), out.U16(32);
    out.U32(static_cast<std::uint32_t>(bodies[i].data.size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].data.size());
  }
  for (const Bytes& body : bodies)
    out.data.insert(out.data.end(), body.data.begin(), body.data.end());
  return out;
}

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data.data()),
             static_cast<std::streamsize>(bytes.data.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  const Canvas mast = DrawMast();
  if (!Write(folder + "/kniha.bmp", Bmp24(DrawBook())) ||
      !Write(folder + "/trx4.ico", Ico({mast, Halve(mast)}))) {
    std::fprintf(stderr, "make_app_pictures: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
