// The explanation panel of the code pages: for the chosen type, framed labels that say what
// each part of the code means and its range, with a line from each frame down to the field it
// explains. Five groups (A to E) of controls numbered from 50, positions in dialog units inside
// the page.
#pragma once

#include <span>

#include "editor/code_type.h"
#include "platform/controls/control_row.h"

namespace lobrix {

// The group's controls for a type class, in id order from 50: labels (plain static texts,
// drawn on a transparent background), black frames two units outside them, and black frames
// one unit wide as the lines from a frame down to a field. Group B's first label names the
// class's range (EA/DE, EB, EC, LA, or ten half beam widths for TA and P).
std::span<const ControlRow> PanelRows(int typeClass);

// Whether a panel built for `oldClass` can stay as it is for `newClass`: same group, and that
// group's texts do not depend on the class (every group but B).
bool PanelUnchanged(int oldClass, int newClass);

}  // namespace lobrix
