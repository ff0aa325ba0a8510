// Writes 24-bit pictures as PNG files without a library: the image data goes into stored
// (uncompressed) deflate blocks, which every PNG reader takes. For the test's screenshots.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace lobrix::test {

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

// `rgb`: rows top first, 3 bytes a pixel, no padding.
inline bool WritePng(const std::string& path, int width, int height,
                     const std::vector<std::uint8_t>& rgb) {
  std::vector<std::uint8_t> raw;  // each row behind a filter byte 0
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + static_cast<std::ptrdiff_t>(stride * y),
               rgb.begin() + static_cast<std::ptrdiff_t>(stride * (y + 1)));
  }
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::uint32_t a = 1, b = 0;  // Adler-32
  for (std::size_t at = 0; at < raw.size() || at == 0;) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(n & 0xFF), z.push_back(n >> 8 & 0xFF);
    z.push_back(~n & 0xFF), z.push_back(~n >> 8 & 0xFF);
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t v = raw[at + i];
      z.push_back(v);
      a = (a + v) % 65521;
      b = (b + a) % 65521;
    }
    at += n;
    if (last) break;
  }
  const std::uint32_t adler = b << 16 | a;
  for (int s = 24; s >= 0; s -= 8) z.push_back(static_cast<std::uint8_t>(adler >> s));

  std::ofstream file(path, std::ios::binary);
  auto u32 = [&file](std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) file.put(static_cast<char>(v >> s & 0xFF));
  };
  auto chunk = [&](const char* type, const std::vector<std::uint8_t>& data) {
    u32(static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    file.write(reinterpret_cast<const char*>(body.data()),
               static_cast<std::streamsize>(body.size()));
    u32(Crc32(body.data(), body.size()));
  };
  file.write("\x89PNG\r\n\x1a\n", 8);
  std::vector<std::uint8_t> header;
  for (const std::uint32_t v :
       {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
    for (int s = 24; s >= 0; s -= 8) header.push_back(static_cast<std::uint8_t>(v >> s));
  }
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  chunk("IHDR", header);
  chunk("IDAT", z);
  chunk("IEND", {});
  return static_cast<bool>(file);
}

}  // namespace lobrix::test
