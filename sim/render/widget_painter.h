#pragma once
// Paints the widgets inside a window's client area: labels, check boxes, progress bars, combo
// boxes and buttons, each from the state the host widget holds.

#include <cairo.h>

#include <cstdint>
#include <vector>

class eComboBox;
class eWidget;

// A combo box whose list is open, with the screen rectangle of the box; its list is painted
// after everything else so it lies over the widgets below it.
struct OpenCombo {
  const eComboBox* box = nullptr;
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

struct PaintContext {
  const eWidget* focus = nullptr;     // gets the focus outline
  uint32_t inheritedText = 0;         // 0xRRGGBB for text without a colour of its own
  std::vector<OpenCombo> openCombos;  // collected while painting
};

// Paints every visible child of `parent` (and theirs, depth first in creation order) with the
// parent's client area at screen position (originX, originY). Hidden widgets and everything
// inside them are skipped, and so are widgets without area.
void paintChildren(cairo_t* cr, const eWidget* parent, double originX, double originY,
                   PaintContext& context);

// Paints the lists of the combo boxes that paintChildren found open.
void paintOpenLists(cairo_t* cr, const PaintContext& context);
