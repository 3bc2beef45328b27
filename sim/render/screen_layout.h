#pragma once
// The receiver's screen and where a window's frame and client area lie on it: constants and
// pure arithmetic, so the placement rules can be checked with a table.

#include <string>

#include "egeometry.h"

// The receiver's on-screen display, in pixels.
constexpr int kScreenWidth = 720;
constexpr int kScreenHeight = 576;

// The frame drawn around a window's client area.
constexpr int kFrameBorder = 3;
constexpr int kTitleBarHeight = 40;

// Parses a "x:y" position as the host's "cposition" property holds it. False (and *position
// untouched) for anything else.
bool parseClientPosition(const std::string& text, ePoint* position);

// The screen rectangle of a window's client area. `cposition` (the window's "cposition"
// property, possibly empty) places the client area when it parses; otherwise the window's own
// position places the frame's top-left corner. The result is then pushed inside the screen so
// the frame and title stay visible; a window larger than the screen keeps its top-left corner
// on the screen and is cut at the right and bottom.
eRect placeClientArea(const ePoint& windowPosition, const std::string& cposition,
                      const eSize& clientSize);

// The screen rectangle of a client area `clientSize` large centred over `over` (another client
// area), pushed inside the screen the same way: where message boxes appear.
eRect centreClientArea(const eRect& over, const eSize& clientSize);
