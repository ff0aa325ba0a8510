// The GDI surface in a window of its own, run under Wine: it draws off-screen into its child
// window, copies the picture to the clipboard as a DIB and writes BMP files.
#include "platform/win32/surface_gdi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace lobrix {
namespace {

// A plain top-level window for the surface to live in.
class TestWindow {
 public:
  TestWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LobrixSurfaceTestWindow";
    RegisterClassExW(&wc);
    window_.Reset(CreateWindowExW(0, wc.lpszClassName, L"surface test", WS_OVERLAPPEDWINDOW, 0, 0,
                                  500, 400, nullptr, nullptr, wc.hInstance, nullptr));
    ShowWindow(window_.Get(), SW_SHOWNORMAL);
  }
  HWND Get() const { return window_.Get(); }

 private:
  WindowHandle window_;
};

struct GdiGfx {
  explicit GdiGfx(HWND parent) {
    auto device = InitGfx(parent, 10, 20, 310, 220);  // 300 x 200 pixels
    surface = device.get();
    gfx = std::make_unique<Gfx>(std::move(device));
  }
  SurfaceGdi* surface;
  std::unique_ptr<Gfx> gfx;
};

void DrawFrame(Gfx& g) {
  SetUpSurface(g);
  g.GfxWindow(kGfxOpenBatch);
  g.PenColor(GfxRgb(255, 0, 0));
  g.BrushStyle(kBrushOutline);
  g.DrawFrom(750, 500);
  g.DrawCircle(250);  // 50 pixels around (150, 100): 0.2 pixels a unit
  g.PenColor(0x6E6E6E);
  g.PenStyle(kPenDotted);
  g.DrawFrom(750, 500);
  g.DrawAngle(90, 250);
  g.PenStyle(kPenSolid);
  g.GfxFontName("Arial/1");
  g.GfxFontHeight(100);
  g.GfxFontWidth(30);
  g.DrawFrom(0, 20);
  g.DrawTextRow("Přizpůsobený 45°", kAlignCenter);
  g.GfxWindow(kGfxShowBatch);
}

TEST(SurfaceGdi, DrawsIntoAChildWindowOfTheAreaSize) {
  TestWindow window;
  ASSERT_NE(window.Get(), nullptr);
  GdiGfx s(window.Get());
  ASSERT_NE(s.surface, nullptr);
  EXPECT_EQ(GetParent(s.surface->Window()), window.Get());
  RECT client{};
  GetClientRect(s.surface->Window(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(s.gfx->GfxWindow(kGfxReady), 1);

  DrawFrame(*s.gfx);
  EXPECT_EQ(s.gfx->GfxMetrics(kGfxExtentX), 1500);
  EXPECT_EQ(s.gfx->PixelColor(1000, 500), GfxRgb(255, 0, 0));  // the circle at its radius
  EXPECT_EQ(s.gfx->PixelColor(750, 250), GfxRgb(255, 0, 0));
  EXPECT_EQ(s.gfx->PixelColor(750, 700), kGfxWhite);
  EXPECT_EQ(s.gfx->PixelColor(1500, 0), kGfxNoColor);
  // Dotted: 3 pixels on, 3 off, from the centre to the right.
  EXPECT_EQ(s.surface->PixelAt(152, 100), 0x6E6E6Eu);
  EXPECT_EQ(s.surface->PixelAt(154, 100), kGfxWhite);
  EXPECT_EQ(s.surface->PixelAt(156, 100), 0x6E6E6Eu);
  int ink = 0;
  for (int x = 0; x < 300; ++x) ink += s.surface->PixelAt(x, 15) != kGfxWhite;
  EXPECT_GT(ink, 20);  // the heading was drawn
}

TEST(SurfaceGdi, CopiesThePictureToTheClipboardAsADib) {
  TestWindow window;
  GdiGfx s(window.Get());
  ASSERT_NE(s.surface, nullptr);
  DrawFrame(*s.gfx);
  ASSERT_TRUE(CopySurfaceToClipboard(*s.gfx)) << s.surface->LastError();
  EXPECT_EQ(s.gfx->PixelColor(0, 0), kGfxWhite);  // the outline is only in the copy

  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  const HANDLE data = GetClipboardData(CF_DIB);
  ASSERT_NE(data, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 300);
  EXPECT_EQ(std::abs(header->biHeight), 200);
  ASSERT_EQ(header->biBitCount, 24);
  ASSERT_GT(header->biHeight, 0);  // bottom row first
  const auto* rows = reinterpret_cast<const unsigned char*>(header + 1);
  const int stride = (300 * 3 + 3) & ~3;
  auto at = [&](int x, int y) {
    const unsigned char* p = rows + (199 - y) * stride + 3 * x;
    return GfxRgb(p[2], p[1], p[0]);
  };
  EXPECT_EQ(at(0, 0), kGfxBlack);
  EXPECT_EQ(at(299, 199), kGfxBlack);
  EXPECT_EQ(at(150, 130), kGfxWhite);
  EXPECT_EQ(at(200, 100), GfxRgb(255, 0, 0));
  GlobalUnlock(data);
  CloseClipboard();
}

TEST(SurfaceGdi, WritesBmpFilesAndFailsCleanlyElsewhere) {
  TestWindow window;
  GdiGfx s(window.Get());
  ASSERT_NE(s.surface, nullptr);
  DrawFrame(*s.gfx);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      std::string(folder) + "lobrix_surface_" + std::to_string(GetCurrentProcessId()) + ".bmp";
  ASSERT_TRUE(s.gfx->SaveGfxScreen(path)) << s.surface->LastError();
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char magic[2] = {};
  EXPECT_EQ(std::fread(magic, 1, 2, file), 2u);
  std::fseek(file, 0, SEEK_END);
  EXPECT_EQ(std::ftell(file), 14 + 40 + ((300 * 3 + 3) & ~3) * 200);
  std::fclose(file);
  std::remove(path.c_str());
  EXPECT_EQ(std::string(magic, 2), "BM");

  EXPECT_FALSE(s.gfx->SaveGfxScreen("C:\\no-such-lobrix-folder\\x.bmp"));
  EXPECT_NE(s.surface->LastError().find("no-such-lobrix-folder"), std::string::npos);
  EXPECT_FALSE(s.gfx->SaveGfxScreen("picture.png"));
}

TEST(SurfaceGdi, MouseOutsideTheAreaIsMinusOne) {
  TestWindow window;
  GdiGfx s(window.Get());
  ASSERT_NE(s.surface, nullptr);
  SetUpSurface(*s.gfx);
  POINT inside{150, 100};
  ClientToScreen(s.surface->Window(), &inside);
  SetCursorPos(inside.x, inside.y);
  POINT now{};
  GetCursorPos(&now);
  if (now.x == inside.x && now.y == inside.y) {  // the display lets the test move the mouse
    EXPECT_EQ(s.gfx->MouseOverX(), 750);
    EXPECT_EQ(s.gfx->MouseOverY(), 500);
  }
  POINT outside{400, 300};
  ClientToScreen(s.surface->Window(), &outside);
  SetCursorPos(outside.x, outside.y);
  EXPECT_EQ(s.gfx->MouseOverX(), -1);
  EXPECT_EQ(s.gfx->MouseOverY(), -1);
}

TEST(SurfaceGdi, ReleaseGivesUpTheWindowAndLaterCallsDoNoHarm) {
  TestWindow window;
  GdiGfx s(window.Get());
  ASSERT_NE(s.surface, nullptr);
  const HWND child = s.surface->Window();
  SetUpSurface(*s.gfx);
  EXPECT_EQ(s.gfx->GfxWindow(kGfxRelease), 1);
  EXPECT_FALSE(IsWindow(child));
  DrawFrame(*s.gfx);
  EXPECT_EQ(s.gfx->PixelColor(0, 0), kGfxNoColor);
  EXPECT_FALSE(s.gfx->SaveGfxScreen("CLIPBOARD"));
  EXPECT_EQ(s.gfx->MouseOverX(), -1);

  // Surfaces that cannot be made.
  EXPECT_EQ(InitGfx(nullptr, 0, 0, 100, 100), nullptr);
  EXPECT_EQ(InitGfx(window.Get(), 50, 50, 50, 100), nullptr);
  EXPECT_EQ(InitGfx(window.Get(), 0, 0, 1 << 30, 100), nullptr);
}

}  // namespace
}  // namespace lobrix
