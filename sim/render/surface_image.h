#pragma once
// Copying a finished cairo image surface out into the renderer's Image.

#include <cairo.h>

#include "screen_renderer.h"

// The pixels of an ARGB32 or RGB24 image surface, each made fully opaque.
Image imageFromSurface(cairo_surface_t* surface);
