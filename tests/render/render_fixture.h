// A recording surface of 1000 logical units on its shorter side with one pixel a unit, so
// that recorded coordinates are the logical ones the views computed.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
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

// Where a curve value v towards a direction belongs on a frame, unrounded: v*R along the
// direction's unit offset (right, up) from the centre, surface y pointing down. Worked out from
// the direction itself, not from the views' angle conventions.
struct Spot {
  double x = 0;
  double y = 0;
};
inline Spot SpotAlong(const PolarFrame& f, double right, double up, double v) {
  return {f.cx + v * f.r * right, f.cy - v * f.r * up};
}
inline double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}
// On a horizontal frame north is up and east right: azimuth a points to (sin a, cos a).
inline Spot AzimuthSpot(const PolarFrame& f, double azimuth, double v) {
  return SpotAlong(f, std::sin(Radians(azimuth)), std::cos(Radians(azimuth)), v);
}
// On a vertical frame the forward horizon is right and the zenith up; the backward half of a
// cut lies left.
inline Spot ElevationSpot(const PolarFrame& f, double elevation, double v, bool backward = false) {
  const double along = std::cos(Radians(elevation));
  return SpotAlong(f, backward ? -along : along, std::sin(Radians(elevation)), v);
}

// A drawn point is where it belongs when each coordinate is within one unit: the distance and
// then the coordinates are rounded once each.
inline ::testing::AssertionResult Near(double x, double y, Spot want) {
  if (std::fabs(x - want.x) <= 1 + 1e-9 && std::fabs(y - want.y) <= 1 + 1e-9) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "drawn at (" << x << ", " << y << "), expected (" << want.x << ", " << want.y << ")";
}
inline ::testing::AssertionResult EndsNear(const DrawRecord& line, Spot want) {
  return Near(line.x2, line.y2, want);
}
inline ::testing::AssertionResult StartsNear(const DrawRecord& line, Spot want) {
  return Near(line.x, line.y, want);
}

}  // namespace lobrix
