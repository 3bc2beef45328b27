#include "window_layout.h"

#include <algorithm>

#include "screen_layout.h"

namespace {
// The panel keeps at least this share of the window's width (beside) or height (below).
constexpr double kPanelShare = 0.38;
}  // namespace

WindowLayout layoutWindow(int width, int height) {
  const double w = std::max(1, width);
  const double h = std::max(1, height);
  WindowLayout layout;
  // Beside when the window is wider than the screen with room for a panel next to it.
  const bool beside = w / h >= 1.5;
  if (beside) {
    layout.scale = std::min(h / kScreenHeight, (1 - kPanelShare) * w / kScreenWidth);
    const double screenHeight = kScreenHeight * layout.scale;
    layout.screen = {0, (h - screenHeight) / 2, kScreenWidth * layout.scale, screenHeight};
    layout.panel = {layout.screen.right(), 0, w - layout.screen.right(), h};
  } else {
    layout.scale = std::min(w / kScreenWidth, (1 - kPanelShare) * h / kScreenHeight);
    const double screenWidth = kScreenWidth * layout.scale;
    layout.screen = {(w - screenWidth) / 2, 0, screenWidth, kScreenHeight * layout.scale};
    layout.panel = {0, layout.screen.bottom(), w, h - layout.screen.bottom()};
  }
  return layout;
}
