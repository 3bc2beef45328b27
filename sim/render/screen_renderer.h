#pragma once
// Draws the stand-in host's widget state as the receiver's on-screen display would show it,
// into an ARGB image that a PNG file or a desktop window can take. Drawing lives here, not in
// the host toolkit: the widgets only hold state.

#include <cstdint>
#include <string>
#include <vector>

class eWidget;
typedef struct _cairo_surface cairo_surface_t;

// Pixels row by row, top to bottom, each 0xAARRGGBB (alpha always 0xFF).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

// Renders `window` (its frame, title and every visible child) inside a 720x576 receiver
// screen, and `overlays` (message boxes) centred over the window. The window's client area
// goes to its "cposition" property when that holds "x:y", else its frame goes to its position;
// either way it is kept on the screen.
// Children without a foreground colour of their own take the window's. A null or hidden window,
// and hidden overlays, are not drawn. Never fails.
Image renderScreen(eWidget* window, const std::vector<eWidget*>& overlays);

// The receiver's screen kept from one frame to the next: one surface, allocated once and
// painted over in place, so a window that draws often does not fault in fresh memory each time.
class ScreenCanvas {
 public:
  ScreenCanvas();
  ~ScreenCanvas();
  ScreenCanvas(const ScreenCanvas&) = delete;
  ScreenCanvas& operator=(const ScreenCanvas&) = delete;

  // Paints the screen as renderScreen() describes.
  void paint(eWidget* window, const std::vector<eWidget*>& overlays);
  // The 720x576 surface (ARGB32, opaque), as painted last; black before the first paint.
  cairo_surface_t* surface() const { return surface_; }
  Image image() const;

 private:
  cairo_surface_t* surface_;
};

// Writes `image` as a PNG file. False, with the reason in *error (when given), when the image
// is malformed or the file cannot be written.
bool writePng(const Image& image, const std::string& path, std::string* error);
