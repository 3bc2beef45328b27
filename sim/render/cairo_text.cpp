#include "cairo_text.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <sstream>

#include "text_placement.h"

namespace {
const char* const kDefaultFamily = "DejaVu Sans";
constexpr int kDefaultPixelHeight = 20;
// Far enough past any box for spilled text; the window's clip ends it.
constexpr double kSpillRoom = 10000;

// Both need every cairo object gone, as they are by exit.
void releaseFontCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}
}  // namespace

void releaseFontCachesAtExit() {
  static const int registered = std::atexit(releaseFontCaches);
  static_cast<void>(registered);
}

void selectFont(cairo_t* cr, const gFont& font) {
  releaseFontCachesAtExit();
  const char* family = font.family.empty() ? kDefaultFamily : font.family.c_str();
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  // The host gives a font's pixel height, the line from the highest ascender to the lowest
  // descender; cairo sizes by the em, which for DejaVu is about 1.16 times smaller than that.
  const double pixelHeight = font.size > 0 ? font.size : kDefaultPixelHeight;
  cairo_set_font_size(cr, pixelHeight);
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  const double measured = extents.ascent + extents.descent;
  if (measured > 0)
    cairo_set_font_size(cr, pixelHeight * pixelHeight / measured);
}

void setSourceColor(cairo_t* cr, uint32_t rgb) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                       (rgb & 0xFF) / 255.0);
}

double textWidth(cairo_t* cr, const std::string& text) {
  releaseFontCachesAtExit();
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    lines.push_back(line);
  return lines;
}

std::vector<std::string> wrapLines(cairo_t* cr, const std::string& text, double maxWidth) {
  std::vector<std::string> wrapped;
  for (const std::string& paragraph : splitLines(text)) {
    std::istringstream words(paragraph);
    std::string word;
    std::string line;
    while (words >> word) {
      const std::string longer = line.empty() ? word : line + " " + word;
      if (!line.empty() && textWidth(cr, longer) > maxWidth) {
        wrapped.push_back(line);
        line = word;
      } else {
        line = longer;
      }
    }
    wrapped.push_back(line);
  }
  return wrapped;
}

void drawLines(cairo_t* cr, const std::vector<std::string>& lines, const TextBox& box, int align,
               int flags, TextOverflow overflow) {
  if (lines.empty() || box.width <= 0 || box.height <= 0)
    return;
  releaseFontCachesAtExit();
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double lineHeight = font.ascent + font.descent;
  cairo_save(cr);
  if (overflow == TextOverflow::clip)
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  else
    cairo_rectangle(cr, box.x - kSpillRoom, box.y, box.width + 2 * kSpillRoom, box.height);
  cairo_clip(cr);
  double baseline = firstBaselineY(box.y, box.height, font.ascent, lineHeight,
                                   static_cast<int>(lines.size()), flags);
  for (const std::string& line : lines) {
    cairo_move_to(cr, alignedTextX(box.x, box.width, textWidth(cr, line), align), baseline);
    cairo_show_text(cr, line.c_str());
    baseline += lineHeight;
  }
  cairo_restore(cr);
}
