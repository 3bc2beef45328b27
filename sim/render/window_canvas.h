#pragma once
// The simulator's whole window kept from one frame to the next: the receiver's screen and the
// panel are painted into one surface that lives as long as the window keeps its size, each part
// only when it changed, and the frame reports which pixels differ from the one before, so a
// window presents just those.

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "panel_view.h"
#include "screen_renderer.h"

// A rectangle of whole pixels, x to the right and y downwards.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

// The pixels of a frame, for a window to copy: `height` rows of `width` words 0xFFRRGGBB,
// `strideBytes` apart.
struct FramePixels {
  const uint32_t* pixels = nullptr;
  int strideBytes = 0;
  int width = 0;
  int height = 0;
};

class WindowCanvas {
 public:
  WindowCanvas() = default;
  ~WindowCanvas();
  WindowCanvas(const WindowCanvas&) = delete;
  WindowCanvas& operator=(const WindowCanvas&) = delete;

  // Draws the window at `width` x `height` pixels (at least 1 each) in the layout of
  // layoutWindow(): the receiver's screen from `screen` (a 720x576 image surface; null: none)
  // when `screenChanged`, the panel when `panel` differs from the panel drawn last. The first
  // frame and the first at a new size draw both. Returns the rectangles whose pixels differ
  // from the last frame (all of it after a new size), in tiles merged into larger rectangles;
  // empty when no pixel changed.
  const std::vector<PixelRect>& draw(cairo_surface_t* screen, bool screenChanged,
                                     const PanelView& panel, int width, int height);

  // The frame as drawn last; no pixels before the first draw.
  FramePixels frame() const;
  Image image() const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  // Compares the pixels inside `area` with the last frame, records the tiles that differ in
  // `changed_` and takes them into the last frame.
  void collectChanges(const PixelRect& area);

  cairo_surface_t* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> shown_;  // the last frame, row by row, to tell what changed
  bool hasPanel_ = false;
  PanelView panel_;
  std::vector<PixelRect> changed_;
};
