#include "bar_fill.h"

#include <algorithm>

namespace {
int clampPercent(int p) {
  return std::clamp(p, 0, 100);
}

// Rounded to the nearest pixel so that 50% of an odd width splits evenly both ways.
int pixelsOf(int width, int percent) {
  return (width * percent + 50) / 100;
}
}  // namespace

BarSpan barFillSpan(int width, int start, int perc) {
  if (width <= 0)
    return {};
  const int first = clampPercent(start);
  const int last = std::min(100, first + clampPercent(perc));
  return {pixelsOf(width, first), pixelsOf(width, last)};
}
