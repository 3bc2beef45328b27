#include "window_renderer.h"

#include <algorithm>
#include <vector>

#include "cairo_text.h"
#include "osd_palette.h"
#include "panel_painter.h"
#include "surface_image.h"
#include "window_layout.h"

namespace {
void paintScreen(cairo_t* cr, const Image& screen, const Area& where, double scale) {
  if (screen.width <= 0 || screen.height <= 0 ||
      screen.argb.size() != static_cast<size_t>(screen.width) * static_cast<size_t>(screen.height))
    return;
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, screen.width);
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * screen.height);
  for (int y = 0; y < screen.height; ++y) {
    std::copy_n(reinterpret_cast<const unsigned char*>(
                    &screen.argb[static_cast<size_t>(y) * static_cast<size_t>(screen.width)]),
                static_cast<size_t>(screen.width) * 4, &pixels[static_cast<size_t>(y) * stride]);
  }
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      pixels.data(), CAIRO_FORMAT_RGB24, screen.width, screen.height, stride);
  cairo_save(cr);
  cairo_translate(cr, where.x, where.y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, source, 0, 0);
  // Bilinear, not GOOD: for scales other than halves GOOD takes pixman's separable convolution,
  // which swaps the colour channels on big-endian machines (seen on s390x: green drawn purple).
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_rectangle(cr, 0, 0, screen.width, screen.height);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_surface_destroy(source);
}
}  // namespace

Image renderWindow(const Image& screen, const PanelView& panel, int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  setSourceColor(cr, osdColor(OsdColor::screen));
  cairo_paint(cr);
  const WindowLayout layout = layoutWindow(width, height);
  paintScreen(cr, screen, layout.screen, layout.scale);
  paintPanel(cr, panel, layout.panel);
  cairo_destroy(cr);
  Image image = imageFromSurface(surface);
  cairo_surface_destroy(surface);
  return image;
}
