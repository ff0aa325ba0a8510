#include "editor/main_dialog_layout.h"

namespace lobrix {
namespace {

constexpr ControlRow kRows[] = {
    {.id = kTabControl,
     .kind = ControlKind::kTab,
     .styles = kStyleControlParent,
     .rect = {4, 3, 345, 226}},
    {.id = kHelpButton,
     .kind = ControlKind::kPictureButton,
     .styles = kStyleTabStop,
     .rect = {5, 234, 15, 13},
     .tooltip = {"Context help for each Tab-folder", "Kontextová nápověda pro každou záložku"},
     .picture = "kniha"},
    {.id = kCopyButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {68, 234, 71, 13},
     .text = {"C&opy to Clipboard", "O&br. do Clipboardu"},
     .tooltip = {"Pastes shown Fig./Tab. into Clipboard", "Vloží zobrazený Obr./Tab. do Schránky"}},
    {.id = kKathreinButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {145, 234, 71, 13},
     .text = {"from  &Kathrein files", "z  &Kathrein souborů"},
     .tooltip = {"Coversion of Kathrein data files to VA ant.data",
                 "Konverze datových souborů Kathrein do formátu VA-ant.dat"}},
    {.id = kTransferButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {270, 234, 38, 13},
     .text = {"&Transfer", "&Přenést"},
     .tooltip = {"Transfers ant.data back to calling window and Close this window",
                 "Pošle ant.data zpět do volajícího okna a Zavření tohoto okna"}},
    {.id = kCloseButton,
     .kind = ControlKind::kPushButton,
     .styles = kStyleTabStop,
     .rect = {313, 234, 33, 13},
     .text = {"&Close", "&Zavřít"},
     .tooltip = {"Close this window", "Zavření tohoto okna"}},
};

}  // namespace

std::span<const ControlRow> MainDialogRows() {
  return kRows;
}

}  // namespace lobrix
