// liblobrix.so loaded with dlopen as a foreign caller would: the C functions give the model's
// values, NULL texts are invalid codes, and no other symbol is exported.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "exports/lobrix.h"
#include "model/antenna_pattern.h"
#include "tests/exports/export_cases.h"

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
  decltype(&::LOBRIX_ANT93_MANY) ant93Many =
      Find<decltype(&::LOBRIX_ANT93_MANY)>("LOBRIX_ANT93_MANY");
  decltype(&::LOBRIX_ANT3D_MANY) ant3dMany =
      Find<decltype(&::LOBRIX_ANT3D_MANY)>("LOBRIX_ANT3D_MANY");
  decltype(&::LOBRIX_VERSION_TEXT) version =
      Find<decltype(&::LOBRIX_VERSION_TEXT)>("LOBRIX_VERSION_TEXT");
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
    ASSERT_TRUE(lib.verant && lib.ant93 && lib.ant3d && lib.ziskantva && lib.ant93Many &&
                lib.ant3dMany && lib.version);
  }
  const Library& lib = Shared();
};

TEST_F(SharedLibrary, ExportsTheCalculationFunctionsOnly) {
  const std::set<std::string> expected = {"ANT3D",
                                          "ANT93",
                                          "VERANT",
                                          "ZISKANTVA",
                                          "LOBRIX_ANT93_MANY",
                                          "LOBRIX_ANT3D_MANY",
                                          "LOBRIX_VERSION_TEXT"};
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

// The array forms give the one-value functions' results (the model's own test compares them
// over whole sweeps); a NULL code is invalid, and no array is touched when n is 0.
TEST_F(SharedLibrary, ArrayFormsMatchTheOneValueFunctions) {
  std::vector<float> az(kAzimuths.begin(), kAzimuths.end());
  std::vector<float> el(kElevations.begin(), kElevations.end());
  std::vector<float> angles(kAngles.begin(), kAngles.end()), out(angles.size());
  for (std::string_view code : kCodes) {
    const std::string text(code);
    const int valid = lib.ant93Many(text.c_str(), angles.data(), angles.size(), 2, out.data());
    EXPECT_EQ(valid, lib.ant93(text.c_str(), 0.0f, 2) != -1.0f ? 1 : 0) << code;
    for (std::size_t i = 0; i < angles.size(); ++i) {
      EXPECT_EQ(out[i], lib.ant93(text.c_str(), angles[i], 2)) << code << " at " << angles[i];
    }
  }
  std::vector<float> values(az.size());
  for (std::string_view h : kHorizontalCodes) {
    for (std::string_view v : kVerticalCodes) {
      const std::string ht(h), vt(v);
      lib.ant3dMany(ht.c_str(), az.data(), 300.0f, vt.c_str(), el.data(), -5.0f, az.size(), 0,
                    values.data());
      for (std::size_t i = 0; i < az.size(); ++i) {
        EXPECT_EQ(values[i], lib.ant3d(ht.c_str(), az[i], 300.0f, vt.c_str(), el[i], -5.0f, 0))
            << h << " " << v << " direction " << i;
      }
    }
  }
  EXPECT_EQ(lib.ant93Many(nullptr, angles.data(), angles.size(), 0, out.data()), 0);
  EXPECT_EQ(out[0], -1.0f);
  EXPECT_EQ(lib.ant93Many("030EA10", nullptr, 0, 0, nullptr), 1);
  EXPECT_EQ(lib.ant3dMany("030EA10", nullptr, 0.0f, "066EA00", nullptr, 0.0f, 0, 0, nullptr), 0);
  EXPECT_STREQ(lib.version(), LOBRIX_EXPECTED_VERSION);
}

// Codes the full check refuses still give ordinary values: the calculations check only the
// type and the first number's range, reading the number from its leading digits.
TEST_F(SharedLibrary, CalculationsCheckOnlyWhatTheyRead) {
  EXPECT_EQ(lib.verant("030EA"), 0);
  EXPECT_EQ(lib.ant93("030EA", 30.0f, 2), lib.ant93("030EA00", 30.0f, 2));
  EXPECT_EQ(lib.verant("1X0EA10"), 0);
  EXPECT_EQ(lib.ant93("1X0EA10", 30.0f, 2), lib.ant93("001EA10", 30.0f, 2));
  EXPECT_EQ(lib.verant("135P"), 0);
  EXPECT_NE(lib.ziskantva("135P", "000KA38"), -99.0f);
  // A valid P code with a downtilt of 90 degrees (byte 0x9B) has a vertical pattern but none
  // in space.
  EXPECT_EQ(lib.verant("120P\23305"), 1);
  EXPECT_GE(lib.ant93("120P\23305", 10.0f, 2), 0.0f);
  EXPECT_EQ(lib.ant3d("000ND00", 0.0f, 0.0f, "120P\23305", 0.0f, 0.0f, 2), -1.0f);
  EXPECT_GE(lib.ant3d("000ND00", 0.0f, 0.0f, "120P\23205", 0.0f, 0.0f, 2), 0.0f);
}

// Two pages, the second inaccessible: a text placed at the very end of the first has nothing
// readable after it.
class PageEnd {
 public:
  PageEnd() {
    size_ = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* pages =
        mmap(nullptr, 2 * size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return;
    pages_ = static_cast<char*>(pages);
    if (mprotect(pages_ + size_, size_, PROT_NONE) != 0) {
      munmap(pages_, 2 * size_);
      pages_ = nullptr;
    }
  }
  ~PageEnd() {
    if (pages_) munmap(pages_, 2 * size_);
  }
  PageEnd(const PageEnd&) = delete;
  PageEnd& operator=(const PageEnd&) = delete;

  bool Ready() const { return pages_ != nullptr; }
  // `text` copied so that its last byte is the last byte of the first page; no terminator.
  const char* Place(std::string_view text) {
    char* at = pages_ + size_ - text.size();
    std::memcpy(at, text.data(), text.size());
    return at;
  }

 private:
  char* pages_ = nullptr;
  std::size_t size_ = 0;
};

TEST_F(SharedLibrary, SevenByteCodeNeedsNoTerminator) {
  PageEnd page;
  ASSERT_TRUE(page.Ready());
  // Without the bound the first call reads into the inaccessible page and the test dies.
  const char* h = page.Place("030EA10");
  EXPECT_EQ(lib.verant(h), 1);
  EXPECT_EQ(lib.ant93(h, 30.0f, 2), lobrix::ANT93("030EA10", 30.0f, 2));
  EXPECT_EQ(lib.ant3d(h, 20.0f, 0.0f, h, 5.0f, 0.0f, 2),
            lobrix::ANT3D("030EA10", 20.0f, 0.0f, "030EA10", 5.0f, 0.0f, 2));
  EXPECT_EQ(lib.ziskantva(h, h), lobrix::ZISKANTVA("030EA10", "030EA10"));
  // A shorter code still ends at its terminator.
  EXPECT_EQ(lib.verant(page.Place(std::string_view("030EA1", 7))), 0);
}

}  // namespace
