// The state of one editing run: what the pages edit and the views draw. One instance lives for
// the whole process (the editor is not reset between two runs, only reloaded from the record);
// tests make their own. Plain data, no behaviour: the editor's load and transfer fill it, the
// pages write it, the views read it.
#pragma once

#include <array>
#include <string>

#include "render/language.h"

namespace lobrix {

// Shown in the dialog caption after "ver.", two blanks included.
inline constexpr char kVersionDate[] = "  2010-02-15";

// Scale setting of the diagram pages: the decibel grid (start value) or the linear one.
inline constexpr int kScaleLinear = 0;
inline constexpr int kScaleDecibel = 2;

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

// What the views keep between calls: a full page drawing stores its geometry, and the partial
// redraws (a code typed in, a mouse move) pass zeros and reuse it.
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

// Window handles, opaque here: the portable code never looks inside them.
struct EditorWindows {
  void* mainDialog = nullptr;
  void* tabControl = nullptr;
  std::array<void*, 4> pages{};
  void* statusBar = nullptr;
  void* focusControl = nullptr;  // the input field that had the focus last
};

// Defaults: what the load of an empty record gives (omnidirectional codes, beam at 0/0,
// decibel scale, English, horizontal page).
struct EditorState {
  std::string hCode = "000ND00";
  std::string vCode = "000ND00";
  float aziMax = 0;   // degrees, 0 .. <360
  float eleMax = 0;   // degrees, -90 .. 90
  float gainDbd = 0;  // ZISKANTVA of the code pair, kept by the status bar refresh
  int language = kEnglish;
  int antennaRole = 0;  // 1 Tx, 2 Rx, 3 station, other: none
  void* ownerWindow = nullptr;
  std::string captionPrefix;  // code page 1250, as the record holds it
  std::string versionDate = kVersionDate;
  std::string kathreinFolder;
  bool runOpen = false;  // an editing run is open: the entry is not re-entrant
  int scaleMode = kScaleDecibel;
  int alternateView = 0;  // pages 0 and 1: 0 polar graph, 1 table / X-Y graph
  int activePage = 0;     // 0 horizontal, 1 vertical, 2 directions, 3 3-D
  float testAzimuth = 0;  // 3-D page
  float testElevation = 0;
  EditorWindows windows;
  ViewMemory views;
};

inline bool Czech(const EditorState& state) {
  return state.language == kCzech;
}

}  // namespace lobrix
