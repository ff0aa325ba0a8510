// A recording surface of 1000 logical units on its shorter side with one pixel a unit, so
// that recorded coordinates are the logical ones the views computed.
#pragma once

#include <memory>
#include <vector>

#include "platform/fake/recording_device.h"
#include "platform/gfx/gfx.h"
#include "render/coordinates.h"
#include "render/drawing_input.h"
#include "render/view_memory.h"

namespace lobrix {

struct TestSurface {
  explicit TestSurface(int width = 1000, int height = 1000) {
    auto owned = std::make_unique<RecordingDevice>(width, height);
    device = owned.get();
    gfx = std::make_unique<Gfx>(std::move(owned));
    SetUpSurface(*gfx);
    device->ClearRecords();
  }
  RecordingDevice* device;
  std::unique_ptr<Gfx> gfx;
};

// Radii of the rings of `color` round (cx, cy), in drawing order: a ring's first side runs
// from the top to the point at 1 degree.
inline std::vector<int> RingRadii(const RecordingDevice& device, GfxColor color, int cx, int cy) {
  std::vector<int> radii;
  for (const DrawRecord& line : device.LinesOfColor(color)) {
    const int rho = cy - static_cast<int>(line.y);
    if (line.x != cx || rho <= 0) continue;
    const Point first = PointAt(cx, cy, 1, rho);
    if (line.x2 == first.x && line.y2 == first.y) radii.push_back(rho);
  }
  return radii;
}

inline bool At(const DrawRecord& r, Point p) {
  return r.x == p.x && r.y == p.y;
}
inline bool EndsAt(const DrawRecord& r, Point p) {
  return r.x2 == p.x && r.y2 == p.y;
}

}  // namespace lobrix
