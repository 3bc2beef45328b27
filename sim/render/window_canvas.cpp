#include "window_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "cairo_text.h"
#include "osd_palette.h"
#include "panel_painter.h"
#include "surface_image.h"
#include "window_layout.h"
#include "window_renderer.h"

namespace {
// Changes are found and presented in tiles of this many pixels: small enough that a changed
// number does not drag half the window along, large enough to keep the list short.
constexpr int kTileWidth = 64;
constexpr int kTileHeight = 16;

// The whole pixels that `area` touches, inside a window of `width` x `height`.
PixelRect roundOut(const Area& area, int width, int height) {
  const int left = std::clamp(static_cast<int>(std::floor(area.x)), 0, width);
  const int top = std::clamp(static_cast<int>(std::floor(area.y)), 0, height);
  const int right = std::clamp(static_cast<int>(std::ceil(area.right())), 0, width);
  const int bottom = std::clamp(static_cast<int>(std::ceil(area.bottom())), 0, height);
  return {left, top, right - left, bottom - top};
}

PixelRect unite(const PixelRect& a, const PixelRect& b) {
  if (a.width <= 0 || a.height <= 0)
    return b;
  if (b.width <= 0 || b.height <= 0)
    return a;
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}
}  // namespace

WindowCanvas::~WindowCanvas() {
  if (surface_)
    cairo_surface_destroy(surface_);
}

const std::vector<PixelRect>& WindowCanvas::draw(cairo_surface_t* screen, bool screenChanged,
                                                 const PanelView& panel, int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  changed_.clear();
  const bool newSize = !surface_ || width != width_ || height != height_;
  if (newSize) {
    if (surface_)
      cairo_surface_destroy(surface_);
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    width_ = width;
    height_ = height;
    shown_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  }
  const bool panelChanged = newSize || !hasPanel_ || panel != panel_;
  if (!screenChanged && !panelChanged)
    return changed_;

  const WindowLayout layout = layoutWindow(width, height);
  PixelRect dirty;
  if (newSize) {
    dirty = {0, 0, width, height};
  } else {
    if (screenChanged)
      dirty = unite(dirty, roundOut(layout.screen, width, height));
    if (panelChanged)
      dirty = unite(dirty, roundOut(layout.panel, width, height));
  }
  // Everything is painted again inside the dirty rectangle, background first: the edge pixels
  // that the screen and the panel share come out as in a frame drawn whole.
  cairo_t* cr = cairo_create(surface_);
  cairo_rectangle(cr, dirty.x, dirty.y, dirty.width, dirty.height);
  cairo_clip(cr);
  setSourceColor(cr, osdColor(OsdColor::screen));
  cairo_paint(cr);
  if (screen)
    paintScreenSurface(cr, screen, layout.screen, layout.scale);
  paintPanel(cr, panel, layout.panel);
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
  if (panelChanged) {
    panel_ = panel;
    hasPanel_ = true;
  }
  collectChanges(dirty);
  return changed_;
}

void WindowCanvas::collectChanges(const PixelRect& area) {
  const auto* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  if (!data || area.width <= 0 || area.height <= 0)
    return;
  const int firstRow = area.y / kTileHeight;
  const int lastRow = (area.y + area.height - 1) / kTileHeight;
  const int firstColumn = area.x / kTileWidth;
  const int lastColumn = (area.x + area.width - 1) / kTileWidth;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int top = std::max(area.y, row * kTileHeight);
    const int bottom = std::min(area.y + area.height, (row + 1) * kTileHeight);
    PixelRect run;  // changed tiles next to each other in this row, as one rectangle
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const int left = std::max(area.x, column * kTileWidth);
      const int right = std::min(area.x + area.width, (column + 1) * kTileWidth);
      const size_t bytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
      bool differs = false;
      for (int y = top; y < bottom; ++y) {
        const auto* now = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        uint32_t* before = &shown_[static_cast<size_t>(y) * static_cast<size_t>(width_)];
        if (std::memcmp(now + left, before + left, bytes) != 0) {
          differs = true;
          break;
        }
      }
      if (differs) {
        for (int y = top; y < bottom; ++y) {
          const auto* now =
              reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
          std::memcpy(&shown_[static_cast<size_t>(y) * static_cast<size_t>(width_) + left],
                      now + left, bytes);
        }
        run = unite(run, {left, top, right - left, bottom - top});
      } else if (run.width > 0) {
        changed_.push_back(run);
        run = {};
      }
    }
    if (run.width > 0)
      changed_.push_back(run);
  }
  // Rows of tiles that changed across the same columns make one rectangle.
  std::vector<PixelRect> merged;
  for (const PixelRect& r : changed_) {
    bool joined = false;
    for (PixelRect& m : merged) {
      if (m.x == r.x && m.width == r.width && m.y + m.height == r.y) {
        m.height += r.height;
        joined = true;
        break;
      }
    }
    if (!joined)
      merged.push_back(r);
  }
  changed_.swap(merged);
}

FramePixels WindowCanvas::frame() const {
  FramePixels f;
  if (!surface_)
    return f;
  f.pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_));
  f.strideBytes = cairo_image_surface_get_stride(surface_);
  f.width = width_;
  f.height = height_;
  return f;
}

Image WindowCanvas::image() const {
  if (!surface_)
    return Image{};
  return imageFromSurface(surface_);
}
