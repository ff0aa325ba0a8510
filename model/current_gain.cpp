// The module-wide current gain, shared by every thread that calls the library.
#include "model/current_gain.h"

#include <atomic>

namespace lobrix {

namespace {

// Relaxed order is enough: the value is a whole float, read and written on its own, and
// nothing else is published through it, so no other memory needs ordering against it.
std::atomic<float> currentGain{0.0f};

}  // namespace

float CurrentGain() {
  return currentGain.load(std::memory_order_relaxed);
}

void SetCurrentGain(float gainDbd) {
  currentGain.store(gainDbd, std::memory_order_relaxed);
}

}  // namespace lobrix
