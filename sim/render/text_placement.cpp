#include "text_placement.h"

double alignedTextX(double boxX, double boxWidth, double textWidth, int align) {
  const double room = boxWidth - 2 * kTextPadding;
  if (textWidth >= room) {
    const double spare = boxWidth - textWidth;
    return boxX + (spare > 0 ? spare / 2 : 0);
  }
  switch (align) {
    case kAlignRight:
      return boxX + boxWidth - kTextPadding - textWidth;
    case kAlignCentre:
      return boxX + (boxWidth - textWidth) / 2;
    default:
      return boxX + kTextPadding;
  }
}

double firstBaselineY(double boxY, double boxHeight, double ascent, double lineHeight,
                      int lineCount, int flags) {
  if (flags & kLabelFlagVerticalCentre) {
    const double block = lineHeight * (lineCount > 0 ? lineCount : 1);
    return boxY + (boxHeight - block) / 2 + ascent;
  }
  return boxY + kTextPadding + ascent;
}
