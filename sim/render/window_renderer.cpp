#include "window_renderer.h"

#include <algorithm>
#include <vector>

#include "window_canvas.h"

void paintScreenSurface(cairo_t* cr, cairo_surface_t* screen, const Area& where, double scale) {
  cairo_save(cr);
  cairo_translate(cr, where.x, where.y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, screen, 0, 0);
  // Bilinear, not GOOD: for scales other than halves GOOD takes pixman's separable convolution,
  // which swaps the colour channels on big-endian machines (seen on s390x: green drawn purple).
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(screen),
                  cairo_image_surface_get_height(screen));
  cairo_fill(cr);
  cairo_restore(cr);
}

Image renderWindow(const Image& screen, const PanelView& panel, int width, int height) {
  WindowCanvas canvas;
  if (screen.width <= 0 || screen.height <= 0 ||
      screen.argb.size() !=
          static_cast<size_t>(screen.width) * static_cast<size_t>(screen.height)) {
    canvas.draw(nullptr, true, panel, width, height);
    return canvas.image();
  }
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, screen.width);
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * screen.height);
  for (int y = 0; y < screen.height; ++y) {
    std::copy_n(reinterpret_cast<const unsigned char*>(
                    &screen.argb[static_cast<size_t>(y) * static_cast<size_t>(screen.width)]),
                static_cast<size_t>(screen.width) * 4, &pixels[static_cast<size_t>(y) * stride]);
  }
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      pixels.data(), CAIRO_FORMAT_RGB24, screen.width, screen.height, stride);
  canvas.draw(source, true, panel, width, height);
  cairo_surface_destroy(source);
  return canvas.image();
}
