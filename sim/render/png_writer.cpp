#include <cairo.h>

#include <cstddef>
#include <cstring>

#include "screen_renderer.h"

namespace {
bool fail(std::string* error, const std::string& reason) {
  if (error)
    *error = reason;
  return false;
}
}  // namespace

bool writePng(const Image& image, const std::string& path, std::string* error) {
  if (image.width <= 0 || image.height <= 0)
    return fail(error, "image has no pixels");
  if (image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    return fail(error, "image pixel count does not match its size");
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    const std::string reason = cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return fail(error, reason);
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                &image.argb[static_cast<size_t>(y) * static_cast<size_t>(image.width)],
                static_cast<size_t>(image.width) * sizeof(uint32_t));
  }
  cairo_surface_mark_dirty(surface);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS)
    return fail(error, path + ": " + cairo_status_to_string(status));
  return true;
}
