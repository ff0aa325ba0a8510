// What the views remember between drawings: a full page drawing stores the geometry of its
// frames and read-outs here, and the partial redraws (a code typed in, a mouse move) call the
// views without a frame and reuse it. The owner keeps one ViewMemory for the life of the pages.
#pragma once

namespace lobrix {

// Centre and radius of a polar frame or of a view drawn on one, in logical units of the
// surface. r == 0: nothing stored yet.
struct PolarFrame {
  int cx = 0;
  int cy = 0;
  int r = 0;
};

// Where a mouse read-out under a polar graph reads from (the frame) and writes its text.
struct ReadoutPlace {
  PolarFrame frame;
  int textX = 0;
  int textY = 0;
};

// The two frames of the direction and 3-D pages as the mouse read-out sees them: the mouse is
// over the horizontal frame left of divideX, over the vertical one from there on.
struct DirectionMouse {
  int hx = 0, hy = 0;  // horizontal frame centre
  int vx = 0, vy = 0;  // vertical frame centre
  int r = 0;           // radius of both; 0: not set up yet
  int divideX = 0;
  int textY = 0;
};

struct ViewMemory {
  PolarFrame horizontalFrame;
  PolarFrame verticalFrame;
  PolarFrame patternCurves;   // the horizontal page's curves
  float dotSpacing = 0;       // R/80: least distance between two dots of the matched curve
  PolarFrame verticalCurves;  // the vertical page's curves
  ReadoutPlace azimuthReadout;
  ReadoutPlace elevationReadout;
  PolarFrame azimuthView;    // direction page, left
  PolarFrame elevationView;  // direction page, right
  PolarFrame coneCut;        // 3-D page, left
  PolarFrame verticalCut;    // 3-D page, right
  DirectionMouse directionMouse;
};

}  // namespace lobrix
