// The conversion window as data: its five push buttons along the bottom edge.
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

}  // namespace

std::span<const ControlRow> ConversionWindowRows() {
  return kRows;
}

}  // namespace lobrix
