#pragma once
// The colours of the on-screen display. Each has the skin colour name it is taken from when
// the active skin has one, and the value used when it does not.

#include <cstdint>

enum class OsdColor {
  screen,         // the picture behind the windows
  windowFill,     // a window's client area
  titleFill,      // the title bar
  frame,          // the window frame and widget outlines
  text,           // text without a colour of its own
  barTrough,      // a progress bar's unfilled part
  barFill,        // a progress bar's filled part without a "leftColor"
  fieldFill,      // combo boxes, check boxes, buttons
  focus,          // the outline of the focused widget
  listHighlight,  // the highlighted entry of an open list
  tick,           // a ticked check box's mark
  hint,           // the OK hint of a message box
};

struct OsdColorEntry {
  OsdColor role;
  const char* skinName;  // nullptr when the skin has no colour for the role
  uint32_t fallback;     // 0xRRGGBB
};

// One row per role, in the order of the enum.
extern const OsdColorEntry kOsdColors[];
extern const int kOsdColorCount;

// The colour for `role`: the active skin's colour of that name when valid, else the fallback.
uint32_t osdColor(OsdColor role);
