// The texts of the caption and the status bar, and which parts each refresh touches.
#include <gtest/gtest.h>

#include <string>

#include "editor/caption.h"
#include "editor/status_bar.h"
#include "platform/fake/fake_controls.h"

namespace lobrix {
namespace {

EditorState WithRole(int role, int language, std::string prefix = "") {
  EditorState state;
  state.antennaRole = role;
  state.language = language;
  state.captionPrefix = std::move(prefix);
  return state;
}

TEST(MainCaption, EveryRoleInBothLanguages) {
  struct Case {
    int role;
    const char* english;
    const char* czech;
  };
  for (const Case c : {
           Case{1, "  HCM Lobrix,  ver.  2010-02-15,  for Tx antenna",
                "  HCM Lobrix,  ver.  2010-02-15,  pro Tx anténu"},
           Case{2, "  HCM Lobrix,  ver.  2010-02-15,  for Rx antenna",
                "  HCM Lobrix,  ver.  2010-02-15,  pro Rx anténu"},
           Case{3, "  HCM Lobrix,  ver.  2010-02-15,  for Station antenna",
                "  HCM Lobrix,  ver.  2010-02-15,  pro Anténu stanice"},
           Case{0, "  HCM Lobrix,  ver.  2010-02-15", "  HCM Lobrix,  ver.  2010-02-15"},
           Case{4, "  HCM Lobrix,  ver.  2010-02-15", "  HCM Lobrix,  ver.  2010-02-15"},
       }) {
    EXPECT_EQ(MainCaption(WithRole(c.role, kEnglish)), c.english) << c.role;
    EXPECT_EQ(MainCaption(WithRole(c.role, kCzech)), c.czech) << c.role;
  }
}

TEST(MainCaption, PrefixIsCodePage1250UpToItsFullLength) {
  // "Vysílač" in code page 1250.
  EXPECT_EQ(MainCaption(WithRole(1, kCzech, "Vys\xEDla\xE8")),
            "Vysílač  HCM Lobrix,  ver.  2010-02-15,  pro Tx anténu");
  for (const std::size_t length : {254u, 255u}) {
    const std::string prefix(length, 'p');
    EXPECT_EQ(MainCaption(WithRole(2, kEnglish, prefix)),
              prefix + "  HCM Lobrix,  ver.  2010-02-15,  for Rx antenna");
  }
}

TEST(StatusTexts, DirectionsInTheShortNumberForm) {
  EXPECT_EQ(AziMaxStatusText(45), " AziMax = 45°");
  EXPECT_EQ(AziMaxStatusText(0), " AziMax = 0°");
  EXPECT_EQ(AziMaxStatusText(12.35f), " AziMax = 12.4°");  // 12.35 as written: half to even
  EXPECT_EQ(AziMaxStatusText(0.25f), " AziMax = .2°");
  EXPECT_EQ(EleMaxStatusText(-2.5f), " EleMax = -2.5°");
  EXPECT_EQ(EleMaxStatusText(7), " EleMax = 7°");
  EXPECT_EQ(EleMaxStatusText(0.5f), " EleMax = .5°");
  EXPECT_EQ(EleMaxStatusText(-90), " EleMax = -90°");
}

TEST(StatusTexts, GainInDbdAndDbi) {
  EXPECT_EQ(GainStatusText(12.34f), " gaMax = 12.3 dBd = 14.5 dBi");
  EXPECT_EQ(GainStatusText(0.64f), " gaMax = .6 dBd = 2.8 dBi");
  EXPECT_EQ(GainStatusText(1), " gaMax = 1 dBd = 3.1 dBi");
  // Negative values get one more blank in front.
  EXPECT_EQ(GainStatusText(-1.5f), " gaMax = -1.5 dBd = .6 dBi");
  EXPECT_EQ(GainStatusText(-3), " gaMax = -3 dBd = -.9 dBi");
  EXPECT_EQ(GainStatusText(-12.25f), " gaMax = -12.2 dBd = -10.1 dBi");
}

TEST(StatusTexts, CodeLabelsByLanguage) {
  EditorState state;
  state.hCode = "030EA10";
  state.vCode = "100TA00";
  EXPECT_EQ(HCodeStatusText(state), " H-code: 030EA10");
  EXPECT_EQ(VCodeStatusText(state), " V-code: 100TA00");
  state.language = kCzech;
  EXPECT_EQ(HCodeStatusText(state), " H-kód: 030EA10");
  EXPECT_EQ(VCodeStatusText(state), " V-kód: 100TA00");
}

struct Bar {
  Bar() { dialog.Create({.id = kStatusBar, .kind = ControlKind::kStatusBar}, kEnglish); }
  std::vector<std::string> Refresh(std::string_view command) {
    dialog.log.clear();
    RefreshStatus(command, state, dialog, kStatusBar);
    return dialog.log;
  }
  static constexpr int kStatusBar = 99;
  EditorState state;
  FakeControls dialog;
};

TEST(RefreshStatus, EachCommandSetsItsOwnParts) {
  Bar bar;
  bar.state.hCode = "030EA10";
  bar.state.vCode = "100TA00";
  bar.state.aziMax = 45;
  bar.state.eleMax = -2.5f;
  bar.state.gainDbd = -99;

  EXPECT_EQ(bar.Refresh("ini").size(), 5u);
  EXPECT_EQ(bar.dialog.PartText(99, 0), " H-code: 030EA10");
  EXPECT_EQ(bar.dialog.PartText(99, 1), " AziMax = 45°");
  EXPECT_EQ(bar.dialog.PartText(99, 2), " V-code: 100TA00");
  EXPECT_EQ(bar.dialog.PartText(99, 3), " EleMax = -2.5°");
  // The gain is worked out for the pair and kept for Transfer.
  EXPECT_GT(bar.state.gainDbd, 0);
  EXPECT_EQ(bar.dialog.PartText(99, 4), GainStatusText(bar.state.gainDbd));

  bar.state.hCode = "000ND00";
  bar.state.aziMax = 10;
  EXPECT_EQ(bar.Refresh("azi"), std::vector<std::string>{"SetPartText 99 1  AziMax = 10°"});
  EXPECT_EQ(bar.dialog.PartText(99, 0), " H-code: 030EA10");  // codes wait for "dia"
  EXPECT_EQ(bar.Refresh("ele").size(), 1u);
  EXPECT_TRUE(bar.Refresh("xyz").empty());
  EXPECT_TRUE(bar.Refresh("").empty());
  const float before = bar.state.gainDbd;
  EXPECT_EQ(bar.Refresh("dialog").size(), 3u);  // the first three letters choose
  EXPECT_EQ(bar.dialog.PartText(99, 0), " H-code: 000ND00");
  EXPECT_NE(bar.state.gainDbd, before);
}

}  // namespace
}  // namespace lobrix
