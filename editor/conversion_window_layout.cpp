// The conversion window as data: its five push buttons along the bottom edge, and where they
// and the picture go in pixels.
#include "editor/conversion_window.h"

namespace lobrix {
namespace {

constexpr int kButtonY = 194;
constexpr int kButtonHeight = 14;

constexpr ControlRow kRows[] = {
    {.id = kFileButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {11, kButtonY, 32, kButtonHeight},
     .text = {"&File", "&Soubor"}},
    {.id = kConversionButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {54, kButtonY, 45, kButtonHeight},
     .text = {"Con&version", "Pře&vod dia."}},
    {.id = kConversionCopyButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {110, kButtonY, 67, kButtonHeight},
     .text = {"C&opy to Clipboard", "&Obr.do Clipboardu"}},
    {.id = kResultsTransferButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {246, kButtonY, 64, kButtonHeight},
     .text = {"&Results transfer", "&Přenos výsledků"}},
    {.id = kConversionCloseButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {321, kButtonY, 33, kButtonHeight},
     .text = {"&Close", "&Zavřít"}},
};

// Dialog units to pixels as the dialog manager maps them (MulDiv: rounded).
constexpr int UnitsToPixels(int units, int base, int per) {
  return (units * base + per / 2) / per;
}

// The picture under Windows' own dialog font (6 x 13): from x = 2 to the right edge less one
// pixel, from the top down to the button row.
constexpr int kWindowsPictureWidth = UnitsToPixels(kConversionWindowRect.width, 6, 4) - 3;
constexpr int kWindowsPictureHeight = UnitsToPixels(kButtonY, 13, 8);

}  // namespace

std::span<const ControlRow> ConversionWindowRows() {
  return kRows;
}

int ConversionButtonsToBottom() {
  return kConversionWindowRect.height - kButtonY;
}

ConversionWindowPixels ConversionWindowLayout(int clientWidth, int buttonsToBottom) {
  ConversionWindowPixels pixels;
  pixels.pictureLeft = 2;
  pixels.pictureRight = clientWidth - 1 > pixels.pictureLeft ? clientWidth - 1 : pixels.pictureLeft;
  const int width = pixels.pictureRight - pixels.pictureLeft;
  pixels.pictureBottom =
      (width * kWindowsPictureHeight + kWindowsPictureWidth / 2) / kWindowsPictureWidth;
  pixels.buttonTop = pixels.pictureBottom;
  pixels.clientHeight = pixels.buttonTop + buttonsToBottom;
  return pixels;
}

}  // namespace lobrix
