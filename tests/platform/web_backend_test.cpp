// The C++ half of the browser backend against a stand-in page (web_dom_stub): the DOM controls
// must answer the handlers as the fake controls do, which the editor's native tests drive; the
// canvas surface and the local-storage settings keep their contracts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_controls.h"
#include "platform/web/controls_dom.h"
#include "platform/web/settings_local_storage.h"
#include "platform/web/surface_canvas.h"
#include "tests/platform/web_dom_stub.h"

namespace lobrix {
namespace {

constexpr int kCombo = 10, kList = 11, kEdit = 20, kButton = 1;

const ControlRow kRows[] = {
    {.id = kCombo, .kind = ControlKind::kComboDropDown, .rect = {20, 145, 32, 115}},
    {.id = kList, .kind = ControlKind::kComboDropDownList, .rect = {56, 145, 31, 115}},
    {.id = kEdit, .kind = ControlKind::kEdit, .rect = {68, 195, 26, 11}, .text = {"0", "0"}},
    {.id = kButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleDisabled,
     .rect = {270, 234, 38, 13},
     .text = {"&Transfer", "&Přenést"}},
};

// What a handler can read of the controls.
std::string Observed(const Controls& c) {
  std::string out;
  for (int id : {kCombo, kList, kEdit, kButton, 99}) {
    out += std::to_string(id) + ":" + c.Text(id) + "|" + std::to_string(c.Selection(id)) + "|" +
           std::to_string(c.ItemCount(id)) + "|" + c.ItemText(id, 1) + "|" +
           (c.IsEnabled(id) ? "on" : "off") + "|" + (c.Exists(id) ? "here" : "gone") + " ";
  }
  return out + "focus " + std::to_string(c.FocusedId());
}

TEST(ControlsDom, AnswersAsTheFakeControls) {
  web_stub::Reset();
  FakeControls fake;
  ControlsDom dom("p0", nullptr);
  // One step on both; the user's typing is the fake's Type and the page's input event.
  const std::vector<std::pair<const char*, std::function<void(Controls&)>>> steps = {
      {"create", [](Controls& c) { CreateControls(c, kRows, kEnglish); }},
      {"fill",
       [](Controls& c) {
         c.ClearItems(kCombo);
         for (const char* item : {" 001", " 002", " 003"}) c.AddItem(kCombo, item);
         for (const char* item : {" EA", " EB"}) c.AddItem(kList, item);
       }},
      {"select", [](Controls& c) { c.Select(kCombo, 1), c.Select(kList, 1); }},
      {"select none", [](Controls& c) { c.Select(kCombo, -1); }},
      {"select again", [](Controls& c) { c.Select(kCombo, 2); }},
      {"out of range", [](Controls& c) { c.Select(kList, 7); }},
      {"set text", [](Controls& c) { c.SetText(kEdit, "12.5"), c.SetText(kCombo, " 045"); }},
      {"enable", [](Controls& c) { c.Enable(kButton, true), c.Enable(kList, false); }},
      {"focus", [](Controls& c) { c.Focus(kList), c.Focus(kEdit); }},
      {"clear", [](Controls& c) { c.ClearItems(kCombo); }},
      {"destroy", [](Controls& c) { c.Destroy(kList), c.SetText(kList, "x"); }},
  };
  for (const auto& [name, step] : steps) {
    step(fake);
    step(dom);
    EXPECT_EQ(Observed(dom), Observed(fake)) << name;
  }
  // Typing in the combo's edit part leaves no list item chosen.
  fake.Select(kCombo, -1);
  fake.AddItem(kCombo, " 007");
  fake.Select(kCombo, 0);
  dom.AddItem(kCombo, " 007");
  dom.Select(kCombo, 0);
  fake.Type(kCombo, " 08", {3, 3});
  web_stub::UserTypes("p0", kCombo, " 08");
  dom.UserTyped(kCombo);
  EXPECT_EQ(Observed(dom), Observed(fake)) << "typed";
  EXPECT_EQ(dom.EditSelection(kCombo).start, 3);
}

TEST(ControlsDom, ListChoiceAndEnd) {
  web_stub::Reset();
  int ended = 0;
  ControlsDom dom("main", [&ended](int result) { ended = result; });
  CreateControls(dom, kRows, kCzech);
  dom.AddItem(kList, " PA");
  dom.AddItem(kList, " PB");
  dom.UserSelected(kList, 1);
  EXPECT_EQ(dom.Text(kList), " PB");
  dom.UserSelected(kList, 5);  // no such item: the choice stands
  EXPECT_EQ(dom.Selection(kList), 1);
  EXPECT_EQ(dom.Text(kButton), "&Přenést");
  dom.SetTooltip(kEdit, "tip");
  EXPECT_EQ((web_stub::CurrentPage().elements[{"main", kEdit}].title), "tip");
  dom.EndDialog(-99);
  EXPECT_EQ(ended, -99);
}

TEST(SurfaceCanvas, DrawsOnlyWhenOpenAndSavesOnlyToTheClipboard) {
  web_stub::Reset();
  SurfaceCanvas surface("page-canvas", 297, 293);
  ASSERT_TRUE(surface.Opened());
  EXPECT_EQ(surface.PixelAt(3, 4), 3004u);
  EXPECT_EQ(surface.PixelAt(297, 0), kGfxNoColor);
  EXPECT_EQ(surface.PixelAt(-1, 0), kGfxNoColor);
  // Single-byte text (the record's prefix) reaches the page as UTF-8.
  surface.Text(0, 0, "\x8E", kAlignLeft, GfxFont{.name = "MS Sans Serif", .height = 10});
  EXPECT_EQ(web_stub::CurrentPage().calls.back(), "text page-canvas Liberation Sans \xC5\xBD");
  EXPECT_TRUE(surface.Save("CLIPBOARD"));
  EXPECT_FALSE(surface.Save("page.png"));
  EXPECT_FALSE(surface.LastError().empty());
  web_stub::CurrentPage().clipboardWorks = false;
  EXPECT_FALSE(surface.Save("CLIPBOARD"));
  surface.Release();
  EXPECT_EQ(surface.PixelWidth(), 0);
  EXPECT_EQ(surface.PixelAt(3, 4), kGfxNoColor);

  web_stub::CurrentPage().canvasOpens = false;
  EXPECT_FALSE(SurfaceCanvas("no-canvas", 10, 10).Opened());
  EXPECT_FALSE(SurfaceCanvas("page-canvas", 0, 10).Opened());
}

TEST(SettingsLocalStorage, KeyedUnderTheCompanyPathAndCut) {
  web_stub::Reset();
  SettingsLocalStorage settings;
  EXPECT_EQ(settings.ReadSetting("Web", "Language"), "");
  settings.WriteSetting("Web", "Language", "cs");
  EXPECT_EQ(web_stub::CurrentPage().storage["lobrix:Software\\Tarvex\\Web\\Language"], "cs");
  EXPECT_EQ(settings.ReadSetting("Web", "Language"), "cs");
  settings.WriteSetting("", "Kathrein", std::string(300, 'f'));
  EXPECT_EQ(settings.ReadSetting("", "Kathrein"), std::string(254, 'f'));
}

}  // namespace
}  // namespace lobrix
