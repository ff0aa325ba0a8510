// The module-wide current gain: the last valid gain ZISKANTVA computed, or the gain a Kathrein
// file gave on import; the editor shows it. The one value the library keeps between calls, and
// safe to read and write from any thread.
#pragma once

namespace lobrix {

float CurrentGain();
void SetCurrentGain(float gainDbd);

}  // namespace lobrix
