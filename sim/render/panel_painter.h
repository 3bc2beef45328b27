#pragma once
// Draws the simulator's panel (readouts, strip chart, pointing view, key legend) from its
// plain value into an area of a cairo surface.

#include <cairo.h>

#include <cstdint>

#include "area.h"
#include "panel_view.h"

// The panel's colours, 0xRRGGBB; the window test looks for some of them on screen.
enum class PanelColor {
  fill,         // the panel's background
  text,         // values, legend actions
  label,        // readout labels, axis labels
  title,        // the title line
  key,          // legend keys
  pictureFill,  // behind the chart and the pointing view
  grid,         // grid lines, cross-hairs
  shownTrace,   // the SNR the finder shows
  trueTrace,    // the signal model's SNR
  lockShade,    // behind the time the finder showed lock
  threshold,    // the lock threshold line
  pitchTrace,   // the tone's pitch
  innerRing,    // half the beamwidth: 3 dB lost
  outerRing,    // the beamwidth: 12 dB lost
  satellite,    // the other satellites
  dish,         // the dish's dot
};
uint32_t panelColor(PanelColor color);

void paintPanel(cairo_t* cr, const PanelView& view, const Area& area);
