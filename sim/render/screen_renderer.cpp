#include "screen_renderer.h"

#include <cairo.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "cairo_text.h"
#include "eskin.h"
#include "ewindow.h"
#include "osd_palette.h"
#include "screen_layout.h"
#include "surface_image.h"
#include "text_placement.h"
#include "widget_painter.h"

namespace {
const char* const kTitleFont = "eWindow.TitleBar";
const char* const kChildFont = "eWindow.Childs";
constexpr int kMessageBoxMinWidth = 440;
constexpr double kMessagePadding = 12;
constexpr double kHintHeight = 32;

void fill(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb) {
  setSourceColor(cr, rgb);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

void paintScreenBackground(cairo_t* cr) {
  const uint32_t base = osdColor(OsdColor::screen);
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, kScreenHeight);
  cairo_pattern_add_color_stop_rgb(gradient, 0, ((base >> 16) & 0xFF) / 255.0,
                                   ((base >> 8) & 0xFF) / 255.0, (base & 0xFF) / 255.0);
  cairo_pattern_add_color_stop_rgb(gradient, 1, 0.10, 0.13, 0.20);
  cairo_set_source(cr, gradient);
  cairo_rectangle(cr, 0, 0, kScreenWidth, kScreenHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

// The frame, the title bar with `title`, and the empty client area at `client`.
void paintFrame(cairo_t* cr, const eRect& client, const std::string& title) {
  const double left = client.left() - kFrameBorder;
  const double top = client.top() - kFrameBorder - kTitleBarHeight;
  const double width = client.width() + 2 * kFrameBorder;
  const double height = client.height() + kTitleBarHeight + 2 * kFrameBorder;
  fill(cr, left, top, width, height, osdColor(OsdColor::frame));
  fill(cr, client.left(), top + kFrameBorder, client.width(), kTitleBarHeight,
       osdColor(OsdColor::titleFill));
  fill(cr, client.left(), client.top(), client.width(), client.height(),
       osdColor(OsdColor::windowFill));
  selectFont(cr, eSkin::getActive()->queryFont(kTitleFont));
  setSourceColor(cr, osdColor(OsdColor::text));
  drawLines(cr, {title},
            {client.left() + 6.0, top + kFrameBorder, client.width() - 12.0,
             static_cast<double>(kTitleBarHeight)},
            kAlignLeft, kLabelFlagVerticalCentre);
}

uint32_t windowTextColor(const eWidget& window) {
  if (window.hasForegroundColor() && window.getForegroundColor().valid)
    return window.getForegroundColor().rgb;
  return osdColor(OsdColor::text);
}

// A window with its frame and every visible child; returns its client area on the screen.
eRect paintWindow(cairo_t* cr, eWidget* window, const eRect& client) {
  paintFrame(cr, client, window->getText());
  PaintContext context{window->getFocus(), windowTextColor(*window), {}};
  cairo_save(cr);
  cairo_rectangle(cr, client.left(), client.top(), client.width(), client.height());
  cairo_clip(cr);
  paintChildren(cr, window, client.left(), client.top(), context);
  cairo_restore(cr);
  paintOpenLists(cr, context);
  return client;
}

// A message box as the receiver shows one: its caption as title, its text wrapped to the box,
// and a hint that OK closes it.
void paintMessageBox(cairo_t* cr, const eMessageBox& box, const eRect& over) {
  const int width =
      std::min(std::max(box.getSize().width, kMessageBoxMinWidth), kScreenWidth - 2 * kFrameBorder);
  selectFont(cr, eSkin::getActive()->queryFont(kChildFont));
  const std::vector<std::string> lines =
      wrapLines(cr, box.getMessage(), width - 2 * kMessagePadding);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double textHeight = lines.size() * (font.ascent + font.descent);
  const int height = static_cast<int>(textHeight + 3 * kMessagePadding + kHintHeight + 0.5);
  const eRect client = centreClientArea(over, eSize(width, height));
  paintFrame(cr, client, box.getText());

  selectFont(cr, eSkin::getActive()->queryFont(kChildFont));
  setSourceColor(cr, osdColor(OsdColor::text));
  drawLines(cr, lines,
            {client.left() + kMessagePadding, client.top() + kMessagePadding,
             width - 2 * kMessagePadding, textHeight + 1},
            kAlignLeft, 0);

  const double hintWidth = 90;
  const double hintX = client.left() + (width - hintWidth) / 2;
  const double hintY = client.bottom() - kMessagePadding - kHintHeight;
  fill(cr, hintX, hintY, hintWidth, kHintHeight, osdColor(OsdColor::hint));
  setSourceColor(cr, osdColor(OsdColor::text));
  drawLines(cr, {"OK"}, {hintX, hintY, hintWidth, kHintHeight}, kAlignCentre,
            kLabelFlagVerticalCentre);
}

void paintOverlay(cairo_t* cr, eWidget* overlay, const eRect& over) {
  if (const auto* box = dynamic_cast<const eMessageBox*>(overlay)) {
    paintMessageBox(cr, *box, over);
    return;
  }
  paintWindow(cr, overlay, centreClientArea(over, overlay->getSize()));
}

}  // namespace

Image imageFromSurface(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Image image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  image.argb.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  if (!data)
    return image;
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(&image.argb[static_cast<size_t>(y) * static_cast<size_t>(image.width)],
                data + static_cast<std::ptrdiff_t>(y) * stride,
                static_cast<size_t>(image.width) * sizeof(uint32_t));
  }
  // Everything drawn is opaque; make it so exactly, whatever antialiasing left behind.
  for (uint32_t& pixel : image.argb)
    pixel |= 0xFF000000u;
  return image;
}

ScreenCanvas::ScreenCanvas()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kScreenWidth, kScreenHeight)) {}

ScreenCanvas::~ScreenCanvas() {
  cairo_surface_destroy(surface_);
}

void ScreenCanvas::paint(eWidget* window, const std::vector<eWidget*>& overlays) {
  cairo_t* cr = cairo_create(surface_);
  paintScreenBackground(cr);

  // Message boxes centre over the window; without a visible window, over the screen.
  eRect over(ePoint(0, 0), eSize(kScreenWidth, kScreenHeight));
  if (window && window->isVisible()) {
    const eRect client =
        placeClientArea(window->getPosition(), window->getProperty("cposition"), window->getSize());
    over = paintWindow(cr, window, client);
  }
  for (eWidget* overlay : overlays) {
    if (overlay && overlay->isVisible())
      paintOverlay(cr, overlay, over);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
}

Image ScreenCanvas::image() const {
  return imageFromSurface(surface_);
}

Image renderScreen(eWidget* window, const std::vector<eWidget*>& overlays) {
  ScreenCanvas canvas;
  canvas.paint(window, overlays);
  return canvas.image();
}
