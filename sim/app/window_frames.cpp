#include "window_frames.h"

#include <algorithm>

#include "dump/host_windows.h"

bool WindowFrames::screenStale() const {
  return !hasDrawn || eWidget::changeCount() != widgetChangesDrawn;
}

bool WindowFrames::stale(const Simulation& simulation, int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  nextPanel = simulation.panel();
  nextPanelBuilt = true;
  return screenStale() || nextPanel != lastPanel || width != window.width() ||
         height != window.height();
}

const std::vector<PixelRect>& WindowFrames::draw(const Simulation& simulation, int width,
                                                 int height) {
  if (!nextPanelBuilt)
    nextPanel = simulation.panel();
  nextPanelBuilt = false;
  const bool screenChanged = screenStale();
  if (screenChanged) {
    screen.paint(finderWindow(), visibleMessageBoxes());
    widgetChangesDrawn = eWidget::changeCount();
  }
  hasDrawn = true;
  const std::vector<PixelRect>& changed =
      window.draw(screen.surface(), screenChanged, nextPanel, width, height);
  lastPanel = std::move(nextPanel);
  if (!changed.empty())
    ++drawn;
  return changed;
}
