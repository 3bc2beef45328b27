#pragma once
// Where the receiver's screen and the simulator's panel go in a desktop window of any size:
// the screen keeps its proportions and is scaled to fit, and the panel takes the rest, to the
// right of the screen in a wide window and below it in a tall one. Pure arithmetic.

#include "area.h"

// The window the simulator opens at first, in pixels.
inline constexpr int kDefaultWindowWidth = 1280;
inline constexpr int kDefaultWindowHeight = 576;

struct WindowLayout {
  Area screen;  // the 720x576 receiver screen, scaled by `scale`
  double scale = 1;
  Area panel;
};

// For a window `width` x `height` pixels (both at least 1).
WindowLayout layoutWindow(int width, int height);
