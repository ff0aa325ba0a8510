#include "editor/parameter_panel.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

const int kAllClasses[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

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
    const ControlRow& first = PanelRows(TypeClass(c.type))[0];
    const std::string english(Pick(first.text, kEnglish));
    EXPECT_TRUE(english.ends_with(c.englishEnd)) << c.type << ": " << english;
    EXPECT_TRUE(std::string(Pick(first.text, kCzech)).starts_with(c.czechStart)) << c.type;
  }
  EXPECT_EQ(Pick(PanelRows(1)[0].text, kEnglish), "Omnidirect. diagram  000ND00");
  EXPECT_EQ(Pick(PanelRows(1)[0].text, kCzech), "Všesměrový diagram  000ND00");
  EXPECT_EQ(Pick(PanelRows(2)[3].text, kCzech), " = poloměr                   obálky  0-99 [%]");
  EXPECT_EQ(Pick(PanelRows(8)[3].text, kEnglish),
            " = 1/2 angle [°]  between       diagram lobes:  0°- 99°");
  EXPECT_EQ(Pick(PanelRows(8)[6].text, kCzech), " = velikost přední         a  zadní obálky");
  EXPECT_EQ(Pick(PanelRows(7)[6].text, kEnglish), " = radius envelope       0 - 99 [%]");
}

TEST(ParameterPanel, LabelsCarryTextFramesClipSiblings) {
  for (int typeClass : kAllClasses) {
    for (const ControlRow& c : PanelRows(typeClass)) {
      const bool label = c.kind == ControlKind::kLabel;
      EXPECT_EQ(!Pick(c.text, kEnglish).empty(), label) << typeClass << " id " << c.id;
      EXPECT_EQ(!Pick(c.text, kCzech).empty(), label) << typeClass << " id " << c.id;
      // Frames and lines are black frames that leave the labels inside them painted.
      EXPECT_EQ(c.kind == ControlKind::kBlackFrame, !label);
      EXPECT_EQ((c.styles & kStyleClipSiblings) != 0, !label);
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
    const auto controls = PanelRows(l.typeClass);
    const ControlRow* frame = nullptr;
    for (const ControlRow& c : controls) {
      if (c.kind == ControlKind::kBlackFrame && c.rect.width > 1) frame = &c;
      if (c.id != l.lineId) continue;
      ASSERT_EQ(c.kind, ControlKind::kBlackFrame);
      ASSERT_NE(frame, nullptr);
      EXPECT_EQ(c.rect.width, 1);
      EXPECT_EQ(c.rect.y, frame->rect.y + frame->rect.height) << l.typeClass << " line " << c.id;
      EXPECT_EQ(c.rect.y + c.rect.height, 144) << l.typeClass << " line " << c.id;
      EXPECT_GE(c.rect.x, l.fieldLeft) << l.typeClass << " line " << c.id;
      EXPECT_LE(c.rect.x, l.fieldRight) << l.typeClass << " line " << c.id;
      EXPECT_GT(c.rect.x, frame->rect.x);
      EXPECT_LT(c.rect.x, frame->rect.x + frame->rect.width);
    }
  }
}

TEST(ParameterPanel, FramesSurroundTheirLabels) {
  for (int typeClass : kAllClasses) {
    const auto controls = PanelRows(typeClass);
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
      const ControlRow& label = controls[i];
      const ControlRow& frame = controls[i + 1];
      if (label.kind != ControlKind::kLabel) continue;
      ASSERT_EQ(frame.kind, ControlKind::kBlackFrame) << typeClass;
      EXPECT_LT(frame.rect.x, label.rect.x);
      EXPECT_EQ(frame.rect.y, label.rect.y - 2) << typeClass << " id " << frame.id;
      EXPECT_GT(frame.rect.x + frame.rect.width, label.rect.x + label.rect.width);
      EXPECT_GT(frame.rect.y + frame.rect.height, label.rect.y + label.rect.height);
    }
  }
  const ControlRow& a = PanelRows(1)[0];
  EXPECT_EQ(a.rect.x, 19);
  EXPECT_EQ(a.rect.y, 125);
  EXPECT_EQ(a.rect.width, 105);
  EXPECT_EQ(a.rect.height, 10);
  const ControlRow& e56 = PanelRows(8)[6];
  EXPECT_EQ(e56.rect.x, 54);
  EXPECT_EQ(e56.rect.y, 119);
  EXPECT_EQ(e56.rect.width, 63);
  const ControlRow& d53 = PanelRows(7)[3];
  EXPECT_EQ(d53.rect.y, 93);
  EXPECT_EQ(PanelRows(8)[3].rect.y, 92);
}

}  // namespace
}  // namespace lobrix
