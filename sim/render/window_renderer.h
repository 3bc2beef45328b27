#pragma once
// The simulator's whole desktop window: the receiver's screen scaled into its place and the
// panel drawn beside or below it at the window's own resolution, so the panel's text stays
// sharp and readable at any window size.

#include <cairo.h>

#include "area.h"
#include "panel_view.h"
#include "screen_renderer.h"

// `screen` is a rendered receiver screen (720x576); `width` and `height` the window's size in
// pixels (at least 1 each). The layout is layoutWindow()'s.
Image renderWindow(const Image& screen, const PanelView& panel, int width, int height);

// Paints the receiver's screen from the image surface `screen` into `where`, scaled by `scale`.
void paintScreenSurface(cairo_t* cr, cairo_surface_t* screen, const Area& where, double scale);
