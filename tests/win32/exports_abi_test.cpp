// lobrix.dll called exactly as a foreign caller calls it: loaded by path, exports found by their
// plain names, stdcall function pointers, BSTR texts that the DLL takes over. Results are
// compared with the model linked into this program.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "exports/lobrix.h"
#include "model/antenna_pattern.h"
#include "tests/exports/export_cases.h"

namespace {

using namespace lobrix::test;

// The calling form a caller declares; it must say __stdcall (the DLL removes the arguments).
using VerantFn = int(__stdcall*)(BSTR);
using Ant93Fn = float(__stdcall*)(BSTR, float, int);
using Ant3dFn = float(__stdcall*)(BSTR, float, float, BSTR, float, float, int);
using ZiskantvaFn = float(__stdcall*)(BSTR, BSTR);
using CprintFn = void(__stdcall*)(BSTR);

// The header offers the same calling form to callers that include it.
static_assert(std::is_same_v<decltype(&::VERANT), VerantFn>);
static_assert(std::is_same_v<decltype(&::ANT93), Ant93Fn>);
static_assert(std::is_same_v<decltype(&::ANT3D), Ant3dFn>);
static_assert(std::is_same_v<decltype(&::ZISKANTVA), ZiskantvaFn>);
static_assert(std::is_same_v<decltype(&::CPRINT), CprintFn>);

constexpr const char* kExportNames[] = {"VERANT", "ANT93", "ANT3D", "ZISKANTVA", "CPRINT"};

// lobrix.dll is copied next to this program by the build.
std::wstring DllPath() {
  wchar_t self[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"lobrix.dll";
}

struct Dll {
  HMODULE module = LoadLibraryW(DllPath().c_str());
  template <class Fn>
  Fn Find(const char* name) const {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  }
  VerantFn verant = Find<VerantFn>("VERANT");
  Ant93Fn ant93 = Find<Ant93Fn>("ANT93");
  Ant3dFn ant3d = Find<Ant3dFn>("ANT3D");
  ZiskantvaFn ziskantva = Find<ZiskantvaFn>("ZISKANTVA");
  CprintFn cprint = Find<CprintFn>("CPRINT");
};

const Dll& Exports() {
  static const Dll dll;
  return dll;
}

// A new BSTR holding exactly the bytes of `text`; the called export frees it.
BSTR Text(std::string_view text) {
  return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

// A BSTR whose length prefix counts only the first `length` bytes of `text`, the rest still
// in memory behind it: an export that reads past the counted bytes would see them.
BSTR Truncated(std::string_view text, UINT length) {
  BSTR b = Text(text);
  reinterpret_cast<UINT*>(b)[-1] = length;
  return b;
}

class Exported : public ::testing::Test {
 protected:
  void SetUp() override {
    const Dll& dll = Exports();
    ASSERT_NE(dll.module, nullptr) << "LoadLibraryW failed, error " << GetLastError();
    ASSERT_TRUE(dll.verant && dll.ant93 && dll.ant3d && dll.ziskantva && dll.cprint);
  }
  const Dll& dll = Exports();
};

TEST_F(Exported, FoundByPlainNameOnly) {
  for (const char* name : kExportNames) {
    const std::string plain = name;
    EXPECT_NE(GetProcAddress(dll.module, name), nullptr) << name;
    for (int bytes : {4, 8, 12, 28}) {
      const std::string decorated = plain + "@" + std::to_string(bytes);
      EXPECT_EQ(GetProcAddress(dll.module, decorated.c_str()), nullptr) << decorated;
      EXPECT_EQ(GetProcAddress(dll.module, ("_" + decorated).c_str()), nullptr) << decorated;
    }
  }
}

TEST_F(Exported, VerantMatchesModel) {
  for (std::string_view code : kCodes) {
    EXPECT_EQ(dll.verant(Text(code)), lobrix::VERANT(code)) << code;
  }
  EXPECT_EQ(dll.verant(Text("030EA10")), 1);
  EXPECT_EQ(dll.verant(Text("030EA100")), 1);  // bytes after the seventh are ignored
}

TEST_F(Exported, Ant93MatchesModel) {
  for (std::string_view code : kCodes) {
    for (float angle : kAngles) {
      for (int mode : kModes) {
        EXPECT_EQ(dll.ant93(Text(code), angle, mode), lobrix::ANT93(code, angle, mode))
            << code << " at " << angle << " mode " << mode;
      }
    }
  }
}

TEST_F(Exported, Ant3dMatchesModel) {
  for (std::string_view h : kHorizontalCodes) {
    for (std::string_view v : kVerticalCodes) {
      for (float azMax : kAzimuthMaxima) {
        for (float elMax : kElevationMaxima) {
          for (float az : kAzimuths) {
            for (float el : kElevations) {
              for (int mode : kModes) {
                EXPECT_EQ(dll.ant3d(Text(h), az, azMax, Text(v), el, elMax, mode),
                          lobrix::ANT3D(h, az, azMax, v, el, elMax, mode))
                    << h << " " << v << " az " << az << "/" << azMax << " el " << el << "/" << elMax
                    << " mode " << mode;
              }
            }
          }
        }
      }
    }
  }
}

TEST_F(Exported, ZiskantvaMatchesModel) {
  for (std::string_view h : kHorizontalCodes) {
    for (std::string_view v : kVerticalCodes) {
      EXPECT_EQ(dll.ziskantva(Text(h), Text(v)), lobrix::ZISKANTVA(h, v)) << h << " " << v;
    }
  }
}

// Absolute values worked out by hand from the pattern and gain formulas.
TEST_F(Exported, KnownValues) {
  EXPECT_NEAR(dll.ant93(Text("030EA00"), 30.0f, 2), 3.01, 0.005);  // 1/sqrt(2) at the half width
  EXPECT_NEAR(dll.ant93(Text("030EA00"), 30.0f, 0), 0.7071, 0.0001);
  EXPECT_NEAR(dll.ziskantva(Text("000ND00"), Text("000ND00")), -2.15, 0.005);  // dipole: 1/1.64
  EXPECT_NEAR(dll.ziskantva(Text("030EA00"), Text("100TA00")), 12.63, 0.01);
  // Electrical tilt: on the tilted beam the attenuation is 0 dB.
  EXPECT_NEAR(dll.ant3d(Text("030EB10"), 40.0f, 40.0f, Text("100TA00"), -5.0f, -5.0f, 2), 0.0,
              0.005);
  // Omnidirectional horizontal code: the back lobe of 510VE00 is raised towards the front.
  EXPECT_NEAR(dll.ant3d(Text("000ND00"), 180.0f, 0.0f, Text("510VE00"), 10.0f, 0.0f, 2), 0.23,
              0.01);
}

// A NULL BSTR is a valid empty text for OLE callers: here an invalid code, never a crash.
TEST_F(Exported, NullTextIsAnInvalidCode) {
  EXPECT_EQ(dll.verant(nullptr), 0);
  for (int mode : kModes) {
    EXPECT_EQ(dll.ant93(nullptr, 0.0f, mode), -1.0f);
    EXPECT_EQ(dll.ant3d(nullptr, 0.0f, 0.0f, Text("000ND00"), 0.0f, 0.0f, mode), -1.0f);
    EXPECT_EQ(dll.ant3d(Text("000ND00"), 0.0f, 0.0f, nullptr, 0.0f, 0.0f, mode), -1.0f);
    EXPECT_EQ(dll.ant3d(nullptr, 0.0f, 0.0f, nullptr, 0.0f, 0.0f, mode), -1.0f);
  }
  EXPECT_EQ(dll.ziskantva(nullptr, Text("000ND00")), -99.0f);
  EXPECT_EQ(dll.ziskantva(Text("000ND00"), nullptr), -99.0f);
  EXPECT_EQ(dll.ziskantva(nullptr, nullptr), -99.0f);
}

TEST_F(Exported, ShortTextIsReadOnlyAsFarAsItsLength) {
  // Exactly three bytes allocated.
  EXPECT_EQ(dll.verant(Text("030")), 0);
  EXPECT_EQ(dll.ant93(Text("030"), 0.0f, 0), -1.0f);
  EXPECT_EQ(dll.ant3d(Text("030"), 0.0f, 0.0f, Text("000ND00"), 0.0f, 0.0f, 0), -1.0f);
  EXPECT_EQ(dll.ziskantva(Text("000ND00"), Text("030")), -99.0f);
  // A valid code behind a shorter length prefix stays unseen. ("000N" is no type; "000ND"
  // would already be the omnidirectional code, whose digits the pattern never reads.)
  EXPECT_EQ(dll.verant(Truncated("030EA10", 3)), 0);
  EXPECT_EQ(dll.verant(Truncated("030EA10", 6)), 0);
  EXPECT_EQ(dll.ant93(Truncated("000ND00", 4), 0.0f, 0), -1.0f);
  EXPECT_EQ(dll.ant3d(Text("000ND00"), 0.0f, 0.0f, Truncated("000ND00", 4), 0.0f, 0.0f, 0), -1.0f);
  EXPECT_EQ(dll.ziskantva(Truncated("000ND00", 4), Text("000ND00")), -99.0f);
}

TEST_F(Exported, NonFiniteAngleGivesMinusOne) {
  const float kNonFinite[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity()};
  for (float x : kNonFinite) {
    for (int mode : kModes) {
      EXPECT_EQ(dll.ant93(Text("030EA10"), x, mode), -1.0f) << x;
      EXPECT_EQ(dll.ant93(Text("000ND00"), x, mode), -1.0f) << x;
      for (std::string_view v : {"100TA00", "120PA05", "030EA10", "000ND00"}) {
        const float angles[4][4] = {{x, 0, 0, 0}, {0, x, 0, 0}, {0, 0, x, 0}, {0, 0, 0, x}};
        for (const auto& a : angles) {
          const float r = dll.ant3d(Text("030EA10"), a[0], a[1], Text(v), a[2], a[3], mode);
          EXPECT_EQ(r, -1.0f) << v << " " << a[0] << " " << a[1] << " " << a[2] << " " << a[3];
        }
      }
    }
  }
}

// A caller may pass one BSTR for both codes; it is freed once (twice would corrupt the heap).
TEST_F(Exported, SameTextForBothCodes) {
  for (int round = 0; round < 100; ++round) {
    BSTR omni = Text("000ND00");
    EXPECT_NEAR(dll.ziskantva(omni, omni), -2.15, 0.005);
    BSTR ea = Text("030EA10");
    EXPECT_EQ(dll.ant3d(ea, 10.0f, 0.0f, ea, 5.0f, 0.0f, 2),
              lobrix::ANT3D("030EA10", 10.0f, 0.0f, "030EA10", 5.0f, 0.0f, 2));
  }
  EXPECT_EQ(dll.verant(Text("030EA10")), 1);  // the heap still serves new BSTRs
}

// Under Wine AllocConsole may work or fail quietly; either way CPRINT returns.
TEST_F(Exported, CprintTwiceWithAndWithoutText) {
  dll.cprint(Text("Lobrix trace line 1"));
  dll.cprint(Text("Lobrix trace line 2"));
  dll.cprint(Text(""));
  dll.cprint(nullptr);
  EXPECT_EQ(dll.verant(Text("000ND00")), 1);
}

}  // namespace
