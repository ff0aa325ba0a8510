#include "editor/parameter_panel.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

const int kAllClasses[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(ParameterPanel, GroupSizesAndIdsFrom50) {
  const struct {
    const char* type;
    std::size_t count;
  } cases[] = {{"ND", 1}, {"EA", 6}, {"TA", 6}, {"PK", 6}, {"KA", 6}, {"VB", 9}, {"WB", 10}};
  for (const auto& c : cases) {
    const auto controls = PanelControls(TypeClass(c.type));
    ASSERT_EQ(controls.size(), c.count) << c.type;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      EXPECT_EQ(controls[i].id, 50 + static_cast<int>(i)) << c.type;
    }
  }
}

TEST(ParameterPanel, LabelTextsNameTheRangeInBothLanguages) {
  const struct {
    const char* type;
    const char* englishEnd;
    const char* czechStart;
  } cases[] = {
      {"EA", "width  1°- 65°", " = 1/2 šířky"},       {"DE", "width  1°- 65°", " = 1/2 šířky"},
      {"EB", "width  1°- 79°", " = 1/2 šířky"},       {"EC", "width  1°- 96°", " = 1/2 šířky"},
      {"LA", "width 1°- 120°", " = 1/2 šířky"},       {"TA", "width  1°- 890°", " = 10 x 1/2"},
      {"PA", "width  1°- 890°", " = 10 x 1/2 šířky"}, {"CA", "0 - 100 [%]", " = poloměr minima"},
      {"VA", "step=5°", " = 1/2 šířky svazku [°]"},
  };
  for (const auto& c : cases) {
    const PanelControl& first = PanelControls(TypeClass(c.type))[0];
    const std::string english(Pick(first.text, kEnglish));
    EXPECT_TRUE(english.ends_with(c.englishEnd)) << c.type << ": " << english;
    EXPECT_TRUE(std::string(Pick(first.text, kCzech)).starts_with(c.czechStart)) << c.type;
  }
  EXPECT_EQ(Pick(PanelControls(1)[0].text, kEnglish), "Omnidirect. diagram  000ND00");
  EXPECT_EQ(Pick(PanelControls(1)[0].text, kCzech), "Všesměrový diagram  000ND00");
  EXPECT_EQ(Pick(PanelControls(2)[3].text, kCzech),
            " = poloměr                   obálky  0-99 [%]");
  EXPECT_EQ(Pick(PanelControls(8)[3].text, kEnglish),
            " = 1/2 angle [°]  between       diagram lobes:  0°- 99°");
  EXPECT_EQ(Pick(PanelControls(8)[6].text, kCzech), " = velikost přední         a  zadní obálky");
  EXPECT_EQ(Pick(PanelControls(7)[6].text, kEnglish), " = radius envelope       0 - 99 [%]");
}

TEST(ParameterPanel, OnlyLabelsCarryText) {
  for (int typeClass : kAllClasses) {
    for (const PanelControl& c : PanelControls(typeClass)) {
      const bool label = c.kind == PanelKind::kLabel;
      EXPECT_EQ(!Pick(c.text, kEnglish).empty(), label) << typeClass << " id " << c.id;
      EXPECT_EQ(!Pick(c.text, kCzech).empty(), label) << typeClass << " id " << c.id;
    }
  }
}

// Every line hangs from the bottom of the frame before it down to just above the fields
// (y 145), inside the field whose part its label explains: field 10 spans x 20-52, field 12
// x 91-119.
TEST(ParameterPanel, LinesRunFromTheirFrameDownToTheirField) {
  const struct {
    int typeClass;
    int lineId;
    int fieldLeft, fieldRight;
  } lines[] = {{2, 52, 20, 52}, {2, 55, 91, 119}, {6, 52, 20, 52},  {6, 55, 91, 119},
               {7, 52, 20, 52}, {7, 55, 20, 52},  {7, 58, 91, 119}, {8, 52, 20, 52},
               {8, 55, 20, 52}, {8, 58, 91, 119}, {8, 59, 91, 119}, {9, 55, 91, 119}};
  for (const auto& l : lines) {
    const auto controls = PanelControls(l.typeClass);
    const PanelControl* frame = nullptr;
    for (const PanelControl& c : controls) {
      if (c.kind == PanelKind::kFrame) frame = &c;
      if (c.id != l.lineId) continue;
      ASSERT_EQ(c.kind, PanelKind::kLine);
      ASSERT_NE(frame, nullptr);
      EXPECT_EQ(c.width, 1);
      EXPECT_EQ(c.y, frame->y + frame->height) << l.typeClass << " line " << c.id;
      EXPECT_EQ(c.y + c.height, 144) << l.typeClass << " line " << c.id;
      EXPECT_GE(c.x, l.fieldLeft) << l.typeClass << " line " << c.id;
      EXPECT_LE(c.x, l.fieldRight) << l.typeClass << " line " << c.id;
      EXPECT_GT(c.x, frame->x);
      EXPECT_LT(c.x, frame->x + frame->width);
    }
  }
}

TEST(ParameterPanel, FramesSurroundTheirLabels) {
  for (int typeClass : kAllClasses) {
    const auto controls = PanelControls(typeClass);
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
      const PanelControl& label = controls[i];
      const PanelControl& frame = controls[i + 1];
      if (label.kind != PanelKind::kLabel) continue;
      ASSERT_EQ(frame.kind, PanelKind::kFrame) << typeClass;
      EXPECT_LT(frame.x, label.x);
      EXPECT_EQ(frame.y, label.y - 2) << typeClass << " id " << frame.id;
      EXPECT_GT(frame.x + frame.width, label.x + label.width);
      EXPECT_GT(frame.y + frame.height, label.y + label.height);
    }
  }
  const PanelControl& a = PanelControls(1)[0];
  EXPECT_EQ(a.x, 19);
  EXPECT_EQ(a.y, 125);
  EXPECT_EQ(a.width, 105);
  EXPECT_EQ(a.height, 10);
  const PanelControl& e56 = PanelControls(8)[6];
  EXPECT_EQ(e56.x, 54);
  EXPECT_EQ(e56.y, 119);
  EXPECT_EQ(e56.width, 63);
  const PanelControl& d53 = PanelControls(7)[3];
  EXPECT_EQ(d53.y, 93);
  EXPECT_EQ(PanelControls(8)[3].y, 92);
}

TEST(ParameterPanel, KeptOnlyWithinOneGroupOtherThanB) {
  EXPECT_TRUE(PanelUnchanged(1, 1));
  EXPECT_TRUE(PanelUnchanged(6, 6));
  EXPECT_TRUE(PanelUnchanged(7, 7));
  EXPECT_TRUE(PanelUnchanged(8, 8));
  EXPECT_FALSE(PanelUnchanged(2, 2));  // group B names the class's range
  EXPECT_FALSE(PanelUnchanged(2, 3));
  EXPECT_FALSE(PanelUnchanged(7, 8));
  EXPECT_FALSE(PanelUnchanged(1, 6));
}

}  // namespace
}  // namespace lobrix
