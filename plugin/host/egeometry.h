#pragma once
// Pixel geometry of the window's client area: x to the right, y downwards.

struct ePoint {
  int x = 0;
  int y = 0;
  ePoint() = default;
  ePoint(int px, int py) : x(px), y(py) {}
  bool operator==(const ePoint& o) const { return x == o.x && y == o.y; }
};

struct eSize {
  int width = 0;
  int height = 0;
  eSize() = default;
  eSize(int w, int h) : width(w), height(h) {}
  bool operator==(const eSize& o) const { return width == o.width && height == o.height; }
};

class eRect {
 public:
  eRect() = default;
  eRect(ePoint topLeft, eSize size) : x1(topLeft.x), y1(topLeft.y), w(size.width), h(size.height) {}
  int left() const { return x1; }
  int top() const { return y1; }
  int right() const { return x1 + w; }
  int bottom() const { return y1 + h; }
  int width() const { return w; }
  int height() const { return h; }
  ePoint topLeft() const { return {x1, y1}; }
  eSize size() const { return {w, h}; }

 private:
  int x1 = 0;
  int y1 = 0;
  int w = 0;
  int h = 0;
};
