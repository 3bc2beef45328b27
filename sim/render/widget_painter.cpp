#include "widget_painter.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "bar_fill.h"
#include "cairo_text.h"
#include "eskin.h"
#include "ewidgets.h"
#include "list_layout.h"
#include "osd_palette.h"
#include "screen_layout.h"
#include "text_placement.h"

namespace {
// Where a widget lands on the screen.
struct Box {
  double x;
  double y;
  double width;
  double height;
  TextBox asText() const { return {x, y, width, height}; }
};

const char* const kChildFont = "eWindow.Childs";
constexpr double kArrowZone = 28.0;  // the combo box's arrow at its right end
constexpr double kListRowPadding = 8.0;

gFont fontOf(const eWidget& widget) {
  return widget.hasFont() ? widget.getFont() : eSkin::getActive()->queryFont(kChildFont);
}

// A colour the skin did not know comes back black and invalid; text keeps the inherited colour
// then rather than vanishing into the dark background.
uint32_t textColorOf(const eWidget& widget, uint32_t inherited) {
  if (widget.hasForegroundColor() && widget.getForegroundColor().valid)
    return widget.getForegroundColor().rgb;
  return inherited;
}

void fillRect(cairo_t* cr, const Box& box, uint32_t rgb) {
  setSourceColor(cr, rgb);
  cairo_rectangle(cr, box.x, box.y, box.width, box.height);
  cairo_fill(cr);
}

void outlineRect(cairo_t* cr, const Box& box, uint32_t rgb, double lineWidth) {
  setSourceColor(cr, rgb);
  cairo_set_line_width(cr, lineWidth);
  cairo_rectangle(cr, box.x + lineWidth / 2, box.y + lineWidth / 2, box.width - lineWidth,
                  box.height - lineWidth);
  cairo_stroke(cr);
}

void drawText(cairo_t* cr, const eWidget& widget, const std::string& text, const TextBox& area,
              int align, int flags, uint32_t inherited,
              TextOverflow overflow = TextOverflow::clip) {
  selectFont(cr, fontOf(widget));
  setSourceColor(cr, textColorOf(widget, inherited));
  drawLines(cr, splitLines(text), area, align, flags, overflow);
}

void paintLabel(cairo_t* cr, const eLabel& label, const Box& box, uint32_t inherited) {
  drawText(cr, label, label.getText(), box.asText(), label.getAlign(), label.getFlags(), inherited,
           TextOverflow::spill);
}

void paintCheckbox(cairo_t* cr, const eCheckbox& check, const Box& box, uint32_t inherited) {
  const double side = std::clamp(box.height - 8, 8.0, 22.0);
  const Box mark{box.x + kTextPadding, box.y + (box.height - side) / 2, side, side};
  fillRect(cr, mark, osdColor(OsdColor::fieldFill));
  outlineRect(cr, mark, osdColor(OsdColor::frame), 1.5);
  if (check.isChecked()) {
    setSourceColor(cr, osdColor(OsdColor::tick));
    cairo_set_line_width(cr, std::max(2.0, side / 7));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, mark.x + side * 0.22, mark.y + side * 0.52);
    cairo_line_to(cr, mark.x + side * 0.42, mark.y + side * 0.74);
    cairo_line_to(cr, mark.x + side * 0.80, mark.y + side * 0.26);
    cairo_stroke(cr);
  }
  const double captionX = mark.x + side + 5;
  const TextBox caption{captionX, box.y, box.x + box.width - captionX, box.height};
  drawText(cr, check, check.getText(), caption, check.getAlign(), check.getFlags(), inherited,
           TextOverflow::spill);
}

// The fill colour is the skin colour named by the bar's "leftColor"; a bar without one, or
// with a name the skin lacks, uses the display's default fill.
uint32_t barFillColor(const eProgress& bar) {
  const eString name = bar.getProperty("leftColor");
  if (!name.empty()) {
    const gColor color = eSkin::getActive()->queryColor(name);
    if (color.valid)
      return color.rgb;
  }
  return osdColor(OsdColor::barFill);
}

void paintProgress(cairo_t* cr, const eProgress& bar, const Box& box) {
  fillRect(cr, box, osdColor(OsdColor::frame));
  const Box trough{box.x + 1, box.y + 1, box.width - 2, box.height - 2};
  fillRect(cr, trough, osdColor(OsdColor::barTrough));
  const Box inner{trough.x + 1, trough.y + 1, trough.width - 2, trough.height - 2};
  if (inner.width <= 0 || inner.height <= 0)
    return;
  const BarSpan span = barFillSpan(static_cast<int>(inner.width), bar.getStart(), bar.getPerc());
  if (span.to <= span.from)
    return;
  fillRect(cr,
           {inner.x + span.from, inner.y, static_cast<double>(span.to - span.from), inner.height},
           barFillColor(bar));
}

void paintArrow(cairo_t* cr, const Box& box, uint32_t rgb) {
  const double cx = box.x + box.width - kArrowZone / 2;
  const double cy = box.y + box.height / 2;
  setSourceColor(cr, rgb);
  cairo_move_to(cr, cx - 6, cy - 3);
  cairo_line_to(cr, cx + 6, cy - 3);
  cairo_line_to(cr, cx, cy + 4);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void paintCombo(cairo_t* cr, const eComboBox& combo, const Box& box, uint32_t inherited,
                PaintContext& context) {
  fillRect(cr, box, osdColor(OsdColor::fieldFill));
  outlineRect(cr, box, osdColor(OsdColor::frame), 1);
  const eListBoxEntryText* current = combo.getCurrent();
  const std::string text = current ? current->getText() : combo.getText();
  const TextBox area{box.x + 2, box.y, box.width - kArrowZone - 2, box.height};
  drawText(cr, combo, text, area, kAlignLeft, kLabelFlagVerticalCentre, inherited);
  paintArrow(cr, box, textColorOf(combo, inherited));
  if (combo.isOpen())
    context.openCombos.push_back({&combo, box.x, box.y, box.width, box.height});
}

void paintButton(cairo_t* cr, const eButton& button, const Box& box, uint32_t inherited) {
  fillRect(cr, box, osdColor(OsdColor::fieldFill));
  outlineRect(cr, box, osdColor(OsdColor::frame), 1);
  drawText(cr, button, button.getText(), box.asText(), kAlignCentre, kLabelFlagVerticalCentre,
           inherited);
}

void paintOne(cairo_t* cr, const eWidget& widget, const Box& box, PaintContext& context) {
  const uint32_t inherited = context.inheritedText;
  const char* kind = widget.kind();
  if (std::strcmp(kind, "progress") == 0) {
    paintProgress(cr, static_cast<const eProgress&>(widget), box);
  } else if (std::strcmp(kind, "checkbox") == 0) {
    paintCheckbox(cr, static_cast<const eCheckbox&>(widget), box, inherited);
  } else if (std::strcmp(kind, "combobox") == 0) {
    paintCombo(cr, static_cast<const eComboBox&>(widget), box, inherited, context);
  } else if (std::strcmp(kind, "button") == 0) {
    paintButton(cr, static_cast<const eButton&>(widget), box, inherited);
  } else if (std::strcmp(kind, "label") == 0) {
    paintLabel(cr, static_cast<const eLabel&>(widget), box, inherited);
  }
  // Plain widgets and nested windows draw nothing of their own; their children still show.
}
}  // namespace

void paintChildren(cairo_t* cr, const eWidget* parent, double originX, double originY,
                   PaintContext& context) {
  for (const eWidget* child : parent->getChildren()) {
    if (!child->isVisible())
      continue;
    const eRect rect = child->getRect();
    if (rect.width() <= 0 || rect.height() <= 0)
      continue;
    const Box box{originX + rect.left(), originY + rect.top(), static_cast<double>(rect.width()),
                  static_cast<double>(rect.height())};
    paintOne(cr, *child, box, context);
    if (!child->getChildren().empty()) {
      // A widget's children show only inside its client area.
      const eRect client = child->getClientRect();
      PaintContext inner{context.focus, textColorOf(*child, context.inheritedText), {}};
      cairo_save(cr);
      cairo_rectangle(cr, box.x + client.left(), box.y + client.top(), client.width(),
                      client.height());
      cairo_clip(cr);
      paintChildren(cr, child, box.x + client.left(), box.y + client.top(), inner);
      cairo_restore(cr);
      context.openCombos.insert(context.openCombos.end(), inner.openCombos.begin(),
                                inner.openCombos.end());
    }
    if (child == context.focus)
      outlineRect(cr, box, osdColor(OsdColor::focus), 2);
  }
}

void paintOpenLists(cairo_t* cr, const PaintContext& context) {
  for (const OpenCombo& open : context.openCombos) {
    const eComboBox& combo = *open.box;
    const int count = combo.getCount();
    if (count == 0)
      continue;
    const int rows = std::min(count, kOpenListRows);
    selectFont(cr, fontOf(combo));
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    const double rowHeight = font.ascent + font.descent + kListRowPadding;
    const double listHeight = rows * rowHeight + 2;
    const double top = openListTop(static_cast<int>(open.y), static_cast<int>(open.y + open.height),
                                   static_cast<int>(listHeight + 0.5), kScreenHeight);
    const Box list{open.x, top, open.width, listHeight};
    fillRect(cr, list, osdColor(OsdColor::fieldFill));
    outlineRect(cr, list, osdColor(OsdColor::focus), 1);
    const int first = firstShownEntry(count, rows, combo.highlighted());
    const uint32_t text = textColorOf(combo, context.inheritedText);
    for (int row = 0; row < rows; ++row) {
      const int index = first + row;
      const Box line{list.x + 1, list.y + 1 + row * rowHeight, list.width - 2, rowHeight};
      if (index == combo.highlighted())
        fillRect(cr, line, osdColor(OsdColor::listHighlight));
      selectFont(cr, fontOf(combo));
      setSourceColor(cr, text);
      drawLines(cr, {combo.getEntries()[static_cast<size_t>(index)]->getText()},
                {line.x + 2, line.y, line.width - 4, line.height}, kAlignLeft,
                kLabelFlagVerticalCentre);
    }
  }
}
