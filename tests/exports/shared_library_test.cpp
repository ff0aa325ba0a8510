// liblobrix.so loaded with dlopen as a foreign caller would: the four C functions give the
// model's values, NULL texts are invalid codes, and no other symbol is exported.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>
#include <link.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "antenna_pattern.h"
#include "export_cases.h"
#include "lobrix.h"

namespace {

using namespace lobrix::test;

struct Library {
  void* handle = dlopen(LOBRIX_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  template <class Fn>
  Fn Find(const char* name) const {
    return handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
  }
  // Typed by the header's declarations, so a header that disagrees does not compile.
  decltype(&::VERANT) verant = Find<decltype(&::VERANT)>("VERANT");
  decltype(&::ANT93) ant93 = Find<decltype(&::ANT93)>("ANT93");
  decltype(&::ANT3D) ant3d = Find<decltype(&::ANT3D)>("ANT3D");
  decltype(&::ZISKANTVA) ziskantva = Find<decltype(&::ZISKANTVA)>("ZISKANTVA");
};

const Library& Shared() {
  static const Library library;
  return library;
}

// Names of the symbols the library defines in its dynamic symbol table, read from the file.
std::set<std::string> ExportedNames(const char* path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  std::set<std::string> names;
  if (bytes.size() < sizeof(ElfW(Ehdr))) return names;
  ElfW(Ehdr) header;
  std::memcpy(&header, bytes.data(), sizeof header);
  auto section = [&](std::size_t i) {
    ElfW(Shdr) s{};
    const std::size_t at = header.e_shoff + i * sizeof s;
    if (at + sizeof s <= bytes.size()) std::memcpy(&s, bytes.data() + at, sizeof s);
    return s;
  };
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const ElfW(Shdr) symbols = section(i);
    if (symbols.sh_type != SHT_DYNSYM) continue;
    const ElfW(Shdr) strings = section(symbols.sh_link);
    for (std::size_t k = 0; k < symbols.sh_size / sizeof(ElfW(Sym)); ++k) {
      ElfW(Sym) sym;
      const std::size_t at = symbols.sh_offset + k * sizeof sym;
      if (at + sizeof sym > bytes.size()) break;
      std::memcpy(&sym, bytes.data() + at, sizeof sym);
      const int bind = ELF64_ST_BIND(sym.st_info);  // the same for 32-bit files
      if (sym.st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK)) continue;
      if (strings.sh_offset + sym.st_name >= bytes.size()) continue;
      names.insert(bytes.data() + strings.sh_offset + sym.st_name);  // NUL-terminated in file
    }
  }
  return names;
}

class SharedLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    ASSERT_TRUE(lib.verant && lib.ant93 && lib.ant3d && lib.ziskantva);
  }
  const Library& lib = Shared();
};

TEST_F(SharedLibrary, ExportsTheFourFunctionsOnly) {
  const std::set<std::string> expected = {"ANT3D", "ANT93", "VERANT", "ZISKANTVA"};
  EXPECT_EQ(ExportedNames(LOBRIX_SHARED_LIBRARY), expected);
  EXPECT_EQ(dlsym(lib.handle, "CheckCode"), nullptr);
  EXPECT_EQ(dlsym(lib.handle, "_ZN6lobrix9CheckCodeESt17basic_string_viewIcSt11char_traitsIcEE"),
            nullptr);
}

TEST_F(SharedLibrary, MatchesModel) {
  for (std::string_view code : kCodes) {
    const std::string text(code);
    EXPECT_EQ(lib.verant(text.c_str()), lobrix::VERANT(code)) << code;
    for (float angle : kAngles) {
      for (int mode : kModes) {
        EXPECT_EQ(lib.ant93(text.c_str(), angle, mode), lobrix::ANT93(code, angle, mode))
            << code << " at " << angle << " mode " << mode;
      }
    }
  }
  for (std::string_view h : kHorizontalCodes) {
    for (std::string_view v : kVerticalCodes) {
      const std::string ht(h), vt(v);
      EXPECT_EQ(lib.ziskantva(ht.c_str(), vt.c_str()), lobrix::ZISKANTVA(h, v)) << h << " " << v;
      for (float az : kAzimuths) {
        for (float el : kElevations) {
          for (int mode : kModes) {
            EXPECT_EQ(lib.ant3d(ht.c_str(), az, 300.0f, vt.c_str(), el, -5.0f, mode),
                      lobrix::ANT3D(h, az, 300.0f, v, el, -5.0f, mode))
                << h << " " << v << " az " << az << " el " << el << " mode " << mode;
          }
        }
      }
    }
  }
}

TEST_F(SharedLibrary, NullTextIsAnInvalidCode) {
  EXPECT_EQ(lib.verant(nullptr), 0);
  for (int mode : kModes) {
    EXPECT_EQ(lib.ant93(nullptr, 0.0f, mode), -1.0f);
    EXPECT_EQ(lib.ant3d(nullptr, 0.0f, 0.0f, "000ND00", 0.0f, 0.0f, mode), -1.0f);
    EXPECT_EQ(lib.ant3d("000ND00", 0.0f, 0.0f, nullptr, 0.0f, 0.0f, mode), -1.0f);
  }
  EXPECT_EQ(lib.ziskantva(nullptr, "000ND00"), -99.0f);
  EXPECT_EQ(lib.ziskantva("000ND00", nullptr), -99.0f);
}

TEST_F(SharedLibrary, KnownValuesAndNonFiniteAngles) {
  EXPECT_NEAR(lib.ant93("030EA00", 30.0f, 2), 3.01, 0.005);
  EXPECT_NEAR(lib.ziskantva("000ND00", "000ND00"), -2.15, 0.005);
  EXPECT_NEAR(lib.ziskantva("030EA00", "100TA00"), 12.63, 0.01);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(lib.ant93("030EA10", nan, 2), -1.0f);
  EXPECT_EQ(lib.ant93("030EA10", -inf, 0), -1.0f);
  EXPECT_EQ(lib.ant3d("030EA10", inf, 0.0f, "100TA00", 0.0f, 0.0f, 2), -1.0f);
  EXPECT_EQ(lib.ant3d("030EA10", 0.0f, 0.0f, "030EA10", nan, 0.0f, 2), -1.0f);
}

}  // namespace
