// The explanation panel of the code pages: for the chosen type, framed labels that say what
// each part of the code means and its range, with a line from each frame down to the field it
// explains. Five groups (A to E) of controls numbered from 50, positions in dialog units inside
// the page.
#pragma once

#include <span>

#include "editor/code_type.h"
#include "render/language.h"

namespace lobrix {

inline constexpr int kFirstPanelControl = 50;

enum class PanelKind {
  kLabel,  // plain static text, drawn on a transparent background
  kFrame,  // black frame static, two units outside a label
  kLine,   // black frame static one unit wide, from a frame down to a field
};

struct PanelControl {
  int id = 0;
  PanelKind kind = PanelKind::kLabel;
  TextPair text;  // labels only
  int x = 0, y = 0, width = 0, height = 0;
};

// The group's controls for a type class, in id order from 50. Group B's first label names the
// class's range (EA/DE, EB, EC, LA, or ten half beam widths for TA and P).
std::span<const PanelControl> PanelControls(int typeClass);

// Whether a panel built for `oldClass` can stay as it is for `newClass`: same group, and that
// group's texts do not depend on the class (every group but B).
bool PanelUnchanged(int oldClass, int newClass);

}  // namespace lobrix
