#pragma once
// Text and colour helpers over cairo's toy font interface (DejaVu through fontconfig).

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gcolor.h"

// cairo keeps every font it has used, and fontconfig its configuration, until the process ends:
// call this before a font is first used (selectFont and textWidth do), and both are given back
// at exit, after the last cairo object is gone, so a leak checker reports only our own memory.
// It runs before the sanitizer's leak check, which was registered at start-up.
void releaseFontCachesAtExit();

// Selects the host font: its family (DejaVu Sans when empty), its pixel height (20 when not
// positive) as the height from ascender to descender, and its weight.
void selectFont(cairo_t* cr, const gFont& font);
void setSourceColor(cairo_t* cr, uint32_t rgb);
double textWidth(cairo_t* cr, const std::string& text);

// The lines of `text` split at line breaks.
std::vector<std::string> splitLines(const std::string& text);
// The lines of `text` broken at spaces (and at line breaks) so each fits `maxWidth` in the
// selected font; a single word wider than that stays whole on its own line.
std::vector<std::string> wrapLines(cairo_t* cr, const std::string& text, double maxWidth);

struct TextBox {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// What happens to text that is wider than its box.
enum class TextOverflow {
  clip,   // cut at the box's edges: fields whose frame must stay clean
  spill,  // cut only at the top and bottom: label text stays readable past a narrow box
};

// Draws `lines` in the selected font and source colour inside `box`, aligned with the host
// label alignment and flags.
void drawLines(cairo_t* cr, const std::vector<std::string>& lines, const TextBox& box, int align,
               int flags, TextOverflow overflow = TextOverflow::clip);
