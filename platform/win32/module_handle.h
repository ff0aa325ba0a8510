// The module that holds this code: lobrix.dll when a caller loaded it, the program otherwise.
// Window classes and resources (the pictures, the icon) are looked up there.
#pragma once

#include <windows.h>

namespace lobrix {

HINSTANCE ThisModule();

}  // namespace lobrix
