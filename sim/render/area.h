#pragma once
// A rectangle in pixels with fractional edges, x to the right and y downwards: what the
// window's layout hands out to the screen, the panel and the panel's parts.

struct Area {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  double right() const { return x + width; }
  double bottom() const { return y + height; }
  bool contains(const Area& o) const {
    constexpr double kSlack = 1e-6;
    return o.x >= x - kSlack && o.y >= y - kSlack && o.right() <= right() + kSlack &&
           o.bottom() <= bottom() + kSlack;
  }
  bool overlaps(const Area& o) const {
    return o.x < right() && x < o.right() && o.y < bottom() && y < o.bottom();
  }
};
