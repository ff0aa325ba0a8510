// The conversion window as data: its five push buttons along the bottom edge.
#include "editor/conversion_window.h"

namespace lobrix {
namespace {

constexpr int kButtonY = 194;
constexpr int kButtonHeight = 14;

constexpr ControlRow kRows[] = {
    {kFileButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {11, kButtonY, 32, kButtonHeight},
     {"&File", "&Soubor"}},
    {kConversionButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {54, kButtonY, 45, kButtonHeight},
     {"Con&version", "Pře&vod dia."}},
    {kConversionCopyButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {110, kButtonY, 67, kButtonHeight},
     {"C&opy to Clipboard", "&Obr.do Clipboardu"}},
    {kResultsTransferButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {246, kButtonY, 64, kButtonHeight},
     {"&Results transfer", "&Přenos výsledků"}},
    {kConversionCloseButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {321, kButtonY, 33, kButtonHeight},
     {"&Close", "&Zavřít"}},
};

}  // namespace

std::span<const ControlRow> ConversionWindowRows() {
  return kRows;
}

}  // namespace lobrix
