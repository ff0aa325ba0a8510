// The main dialog's handlers on fake controls and recording surfaces: opening, page switching,
// the buttons, focus return, the timer and the mouse on the direction page.
#include "editor/main_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "editor/main_dialog_layout.h"
#include "editor/page_layouts.h"
#include "editor/page_mouse.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/recording_device.h"
#include "render/page_drawing.h"

namespace lobrix {
namespace {

struct Dialog {
  Dialog() {
    CreateControls(main, MainDialogRows(), state.language);
    main.Create({kStatusBar, ControlKind::kStatusBar}, state.language);
    for (int page = 0; page < 4; ++page) {
      CreateControls(pages[page], PageRows(page), state.language);
      if (page < 2) {
        // What the code page's panel holds for the omnidirectional code: one label, and the
        // parameter fields disabled.
        pages[page].Create({kFirstPanelControl, ControlKind::kLabel}, state.language);
        for (int field : {kField10, kField11, kField12}) pages[page].Enable(field, false);
      }
      ui.pages[page] = &pages[page];
    }
    ui.main = &main;
    ui.newSurface = [this](int page) {
      const PixelSize size = GraphicAreaPixels(page);
      auto device = std::make_unique<RecordingDevice>(size.width, size.height);
      recording = device.get();
      surfaces.push_back(std::make_unique<Gfx>(std::move(device)));
      surfacePages.push_back(page);
      SetUpSurface(*surfaces.back());
      return surfaces.back().get();
    };
    ui.buildPage = [this](int page) { built.push_back(page); };
    ui.showHelp = [this](const HelpBox& box) { helpBoxes.push_back(box); };
  }

  void Start() {
    StartMainDialog(state, ui);
    for (auto& page : pages) page.log.clear();
    main.log.clear();
  }

  // The tab control's change of page as the user clicks a tab.
  void SwitchTo(int page) {
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanging});
    main.Select(kTabControl, page);
    MainDialogEvent(state, ui, {kTabControl, ControlEventKind::kTabChanged});
  }

  void Click(int id) { MainDialogEvent(state, ui, {id, ControlEventKind::kClicked}); }

  std::vector<int> VisiblePages() const {
    std::vector<int> visible;
    for (int page = 0; page < 4; ++page)
      if (pages[page].dialogVisible) visible.push_back(page);
    return visible;
  }

  EditorState state;
  FakeFocus focus;
  FakeControls main{&focus};
  FakeControls pages[4]{FakeControls(&focus), FakeControls(&focus), FakeControls(&focus),
                        FakeControls(&focus)};
  EditorUi ui;
  std::vector<std::unique_ptr<Gfx>> surfaces;
  std::vector<int> surfacePages;
  RecordingDevice* recording = nullptr;
  std::vector<int> built;
  std::vector<HelpBox> helpBoxes;
};

TEST(StartMainDialog, SetsUpTheWindowForTheRun) {
  Dialog d;
  d.state.language = kCzech;
  d.state.antennaRole = 2;
  d.state.ownerWindow = reinterpret_cast<void*>(std::uintptr_t{0x10});
  d.state.hCode = "030EA10";
  d.state.aziMax = 45;
  d.state.activePage = 2;
  d.Start();

  EXPECT_EQ(d.main.caption, "  HCM Lobrix,  ver.  2010-02-15,  pro Rx anténu");
  const FakeControl* bar = d.main.Find(kStatusBar);
  EXPECT_EQ(bar->partEdges, (std::vector<int>{97, 188, 286, 375, -1}));
  EXPECT_EQ(d.main.PartText(kStatusBar, 0), " H-kód: 030EA10");
  EXPECT_EQ(d.main.PartText(kStatusBar, 1), " AziMax = 45°");
  EXPECT_EQ(d.main.Find(kTabControl)->items,
            (std::vector<std::string>{" Horizontální diagram ", " Vertikální diagram ",
                                      " Azimut a Elevace Max.vyzařování ", " 3-D ant. diagram "}));
  EXPECT_EQ(d.main.Selection(kTabControl), 2);
  EXPECT_EQ(d.built, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(d.VisiblePages(), std::vector<int>{2});
  EXPECT_EQ(d.surfacePages, std::vector<int>{2});  // the page on top drawn once
  EXPECT_TRUE(d.main.IsEnabled(kKathreinButton));
  EXPECT_TRUE(d.main.IsEnabled(kTransferButton));
  EXPECT_EQ(d.main.Find(kHelpButton)->tooltip, "Kontextová nápověda pro každou záložku");
  EXPECT_EQ(d.main.timers, (std::map<int, int>{{91, 250}}));
  EXPECT_EQ(d.pages[2].Text(kField10), "45.0");
  EXPECT_EQ(d.pages[2].Text(kField11), "0.0");
  EXPECT_EQ(d.pages[2].FocusedId(), kField10);
}

TEST(StartMainDialog, TransferNeedsAnOwnerAndARole) {
  struct Case {
    std::uintptr_t owner;
    int role;
    bool enabled;
  };
  for (const Case c :
       {Case{0, 1, false}, Case{0x10, 0, false}, Case{0x10, 1, true}, Case{0x10, 9, true}}) {
    Dialog d;
    d.state.ownerWindow = reinterpret_cast<void*>(c.owner);
    d.state.antennaRole = c.role;
    d.Start();
    EXPECT_EQ(d.main.IsEnabled(kTransferButton), c.enabled) << c.owner << " " << c.role;
    d.Click(kTransferButton);  // Enter gives this command even when the button is disabled
    EXPECT_EQ(d.main.endResult, c.enabled ? std::optional<int>(1) : std::nullopt);
  }
}

TEST(StartMainDialog, ThreeDPageShowsTheTestAnglesEqualToTheBeam) {
  Dialog d;
  d.state.aziMax = 0.5f;
  d.state.eleMax = -3;
  d.state.testAzimuth = 100;
  d.state.activePage = 3;
  d.Start();
  EXPECT_EQ(d.state.testAzimuth, 0.5f);
  EXPECT_EQ(d.state.testElevation, -3);
  EXPECT_EQ(d.pages[3].Text(kField10), ".5");
  EXPECT_EQ(d.pages[3].Text(kField11), "-3");
}

TEST(MainDialogEvent, CloseAndTheKathreinButton) {
  Dialog d;
  d.Start();
  d.main.Enable(kKathreinButton, false);
  d.Click(kKathreinButton);  // disabled: nothing happens
  EXPECT_FALSE(d.main.endResult);
  d.Click(kCloseButton);
  EXPECT_EQ(d.main.endResult, 0);
  d.main.Enable(kKathreinButton, true);
  d.Click(kKathreinButton);
  EXPECT_EQ(d.main.endResult, -99);
}

TEST(MainDialogEvent, PageSwitchHidesTheOldPageAndDrawsTheNew) {
  Dialog d;
  d.state.aziMax = 45;
  d.state.eleMax = -2.5f;
  d.Start();
  d.state.alternateView = 1;  // the table view on the horizontal page
  d.SwitchTo(2);
  EXPECT_EQ(d.state.activePage, 2);
  EXPECT_EQ(d.VisiblePages(), std::vector<int>{2});
  EXPECT_EQ(d.surfacePages.back(), 2);
  EXPECT_EQ(d.pages[2].Text(kField10), "45.0");
  EXPECT_EQ(d.pages[2].Text(kField11), "-2.5");
  EXPECT_EQ(d.pages[2].FocusedId(), kField10);
  EXPECT_GT(d.recording->Count(DrawKind::kLine), 100);  // frames and views drawn on it

  d.SwitchTo(0);
  EXPECT_EQ(d.state.alternateView, 0);  // back to the graph view
  EXPECT_EQ(d.VisiblePages(), std::vector<int>{0});
  EXPECT_EQ(d.pages[0].Text(kViewButton), "&Table");
  // Field 10 is disabled for the omnidirectional code: the focus goes to the panel label.
  EXPECT_EQ(d.pages[0].FocusedId(), kFirstPanelControl);

  d.SwitchTo(1);
  EXPECT_EQ(d.pages[1].Text(kViewButton), "&X ,Y graph");
  d.pages[3].log.clear();
  d.state.testAzimuth = 7;
  d.SwitchTo(3);
  EXPECT_EQ(d.state.testAzimuth, 45);
  EXPECT_EQ(d.pages[3].Text(kField10), "45");
  EXPECT_EQ(d.pages[3].Text(kField11), "-2.5");
  EXPECT_EQ(d.surfacePages, (std::vector<int>{0, 2, 0, 1, 3}));
}

TEST(MainDialogEvent, CopyAndHelpGiveTheFocusBack) {
  Dialog d;
  d.state.activePage = 2;
  d.Start();
  // The elevation field had the focus last; the user then clicked the Copy button.
  d.ui.focusPage = 2;
  d.ui.focusId = kField11;
  d.main.Focus(kCopyButton);
  d.Click(kCopyButton);
  ASSERT_EQ(d.recording->Count(DrawKind::kSave), 1);
  EXPECT_EQ(d.recording->OfKind(DrawKind::kSave)[0].text, "CLIPBOARD");
  EXPECT_EQ(d.pages[2].FocusedId(), kField11);

  d.main.Focus(kHelpButton);
  d.Click(kHelpButton);
  ASSERT_EQ(d.helpBoxes.size(), 1u);
  EXPECT_EQ(d.helpBoxes[0].caption, " Azimuth and Elevation of antenna diagrams");
  EXPECT_EQ(d.pages[2].FocusedId(), kField11);

  // On a code page whose field 10 is disabled the scale button takes the focus.
  d.SwitchTo(0);
  d.main.Focus(kHelpButton);
  d.Click(kHelpButton);
  EXPECT_EQ(d.helpBoxes.back().caption, " Graph of Horizontal antenna diagram");
  EXPECT_EQ(d.pages[0].FocusedId(), kScaleButton);
  EXPECT_EQ(d.ui.focusPage, 0);
  EXPECT_EQ(d.ui.focusId, kScaleButton);
}

TEST(MainDialogEvent, OpeningTimerRepaintsOnceAndStops) {
  Dialog d;
  d.Start();
  const int before = d.recording->Count(DrawKind::kRefresh);
  MainDialogEvent(d.state, d.ui, {kOpeningTimer, ControlEventKind::kTimer});
  EXPECT_EQ(d.recording->Count(DrawKind::kRefresh), before + 1);
  EXPECT_TRUE(d.main.timers.empty());
}

TEST(PageMouseEvent, ClickOnTheDirectionPageTakesTheAzimuth) {
  Dialog d;
  d.state.activePage = 2;
  d.Start();
  // A point half a radius right of the left frame's centre, (0.25 X, 0.5 Y) with radius
  // 0.35 Y in logical units: about azimuth 90, exactly what the pixel grid lets the mouse hit.
  Gfx& gfx = *d.ui.surface;
  const double X = gfx.GfxMetrics(1), Y = gfx.GfxMetrics(6);
  const double pixelsPerUnit = gfx.GfxMetrics(7) / Y;
  d.recording->SetMouse(static_cast<int>(std::lround((0.25 * X + 0.175 * Y) * pixelsPerUnit)),
                        static_cast<int>(std::lround(0.5 * Y * pixelsPerUnit)));
  const double dx = gfx.MouseOverX() - std::lround(0.25 * X);
  const double dy = std::lround(0.5 * Y) - gfx.MouseOverY();
  const long expected = std::lround(90 - std::atan(dy / dx) * 180 / std::acos(-1.0));
  ASSERT_NEAR(expected, 90, 2);

  const DirectionPick moved =
      PageMouseEvent(d.state, d.ui, 2, {kGraphicArea, ControlEventKind::kMouseMove});
  EXPECT_EQ(moved.what, PickedAngle::kNone);
  EXPECT_EQ(d.state.aziMax, 0);
  const DirectionPick picked =
      PageMouseEvent(d.state, d.ui, 2, {kGraphicArea, ControlEventKind::kMouseClick});
  EXPECT_EQ(picked.what, PickedAngle::kAzimuth);
  EXPECT_EQ(picked.angle, expected);
  EXPECT_EQ(d.state.aziMax, static_cast<float>(expected));
  // A page not on top ignores the mouse.
  d.state.aziMax = 0;
  PageMouseEvent(d.state, d.ui, 3, {kGraphicArea, ControlEventKind::kMouseClick});
  EXPECT_EQ(d.state.aziMax, 0);
}

}  // namespace
}  // namespace lobrix
