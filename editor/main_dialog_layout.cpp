#include "editor/main_dialog_layout.h"

namespace lobrix {
namespace {

constexpr ControlRow kRows[] = {
    {kTabControl, ControlKind::kTab, kStyleControlParent, {4, 3, 345, 226}},
    {kHelpButton,
     ControlKind::kPictureButton,
     kStyleTabStop,
     {5, 234, 15, 13},
     {},
     {"Context help for each Tab-folder", "Kontextová nápověda pro každou záložku"},
     "kniha"},
    {kCopyButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {68, 234, 71, 13},
     {"C&opy to Clipboard", "O&br. do Clipboardu"},
     {"Pastes shown Fig./Tab. into Clipboard", "Vloží zobrazený Obr./Tab. do Schránky"}},
    {kKathreinButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {145, 234, 71, 13},
     {"from  &Kathrein files", "z  &Kathrein souborů"},
     {"Coversion of Kathrein data files to VA ant.data",
      "Konverze datových souborů Kathrein do formátu VA-ant.dat"}},
    {kTransferButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {270, 234, 38, 13},
     {"&Transfer", "&Přenést"},
     {"Transfers ant.data back to calling window and Close this window",
      "Pošle ant.data zpět do volajícího okna a Zavření tohoto okna"}},
    {kCloseButton,
     ControlKind::kPushButton,
     kStyleTabStop,
     {313, 234, 33, 13},
     {"&Close", "&Zavřít"},
     {"Close this window", "Zavření tohoto okna"}},
};

}  // namespace

std::span<const ControlRow> MainDialogRows() {
  return kRows;
}

}  // namespace lobrix
