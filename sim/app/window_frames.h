#pragma once
// When the simulator's window needs a frame, and the frame: the receiver's screen is painted
// again only when a widget changed (the host's change count moved), the panel only when its
// content changed, and each frame reports the pixels that differ from the last one, for the
// window to present. A headless run draws the same frames and presents none.

#include <vector>

#include "panel_view.h"
#include "screen_renderer.h"
#include "simulation.h"
#include "window_canvas.h"

class WindowFrames {
 public:
  // True when a frame drawn now at `width` x `height` would differ from the last one: a widget
  // changed, the panel's content changed, the size is new, or nothing was drawn yet. Builds
  // the panel's content; draws nothing.
  bool stale(const Simulation& simulation, int width, int height);
  // Draws what changed since the last frame and returns the rectangles whose pixels differ
  // (see WindowCanvas::draw); empty when none does.
  const std::vector<PixelRect>& draw(const Simulation& simulation, int width, int height);

  const WindowCanvas& canvas() const { return window; }
  // The receiver's screen as the last frame shows it.
  Image screenImage() const { return screen.image(); }
  // Frames drawn so far that changed any pixel.
  unsigned long framesDrawn() const { return drawn; }

 private:
  bool screenStale() const;

  ScreenCanvas screen;
  WindowCanvas window;
  bool hasDrawn = false;
  unsigned long widgetChangesDrawn = 0;
  PanelView lastPanel;
  PanelView nextPanel;  // built by stale(), drawn by the draw() that follows it
  bool nextPanelBuilt = false;
  unsigned long drawn = 0;
};
