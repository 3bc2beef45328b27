#include "signal_plot.h"

#include <algorithm>
#include <functional>

#include "cairo_text.h"
#include "estring.h"
#include "surface_image.h"

namespace {
struct PlotPaletteRow {
  PlotColor role;
  uint32_t rgb;
};
// One row per role, in the order of the enum.
constexpr PlotPaletteRow kPlotPalette[] = {
    {PlotColor::background, 0xFFFFFF}, {PlotColor::text, 0x202428},
    {PlotColor::grid, 0xD8DCE0},       {PlotColor::shown, 0x1F66C0},
    {PlotColor::trueSnr, 0xF08A10},    {PlotColor::lock, 0xDDF1E0},
    {PlotColor::threshold, 0x8A7AA0},  {PlotColor::pitch, 0x9A3CB8},
    {PlotColor::azimuth, 0x2A9A3A},    {PlotColor::elevation, 0xC82828},
};
const char* const kFamily = "DejaVu Sans";

void color(cairo_t* cr, PlotColor role) {
  setSourceColor(cr, plotColor(role));
}

void text(cairo_t* cr, double x, double y, const std::string& s, double px, bool bold = false) {
  releaseFontCachesAtExit();
  cairo_select_font_face(cr, kFamily, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, px);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, s.c_str());
}

double rightAligned(cairo_t* cr, const std::string& s) {
  return textWidth(cr, s);
}

void rangeOf(double v, double* lo, double* hi) {
  if (std::isnan(v))
    return;
  *lo = std::min(*lo, v);
  *hi = std::max(*hi, v);
}

// One chart's frame, horizontal grid lines with labels every `step` from `lo` to `hi`, and
// its caption above it.
void frame(cairo_t* cr, const Area& a, double lo, double hi, double step, const char* unit,
           const std::string& caption, double px) {
  cairo_set_line_width(cr, 1);
  for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step / 1000; v += step) {
    const double y = std::round(plotY(a, v, lo, hi)) + 0.5;
    color(cr, PlotColor::grid);
    cairo_move_to(cr, a.x, y);
    cairo_line_to(cr, a.right(), y);
    cairo_stroke(cr);
    color(cr, PlotColor::text);
    cairo_set_font_size(cr, px);
    // + 0.0 turns the -0 that a range starting at 0 gives into 0.
    const std::string label = eString::sprintf("%.0f", v + 0.0) + unit;
    text(cr, a.x - 6 - rightAligned(cr, label), y + px * 0.35, label, px);
  }
  color(cr, PlotColor::text);
  cairo_rectangle(cr, a.x + 0.5, a.y + 0.5, a.width - 1, a.height - 1);
  cairo_stroke(cr);
  text(cr, a.x, a.y - 0.6 * px, caption, px * 1.05, true);
}

void timeAxis(cairo_t* cr, const Area& a, const PlotRanges& r, double px) {
  const double seconds = (r.toMs - r.fromMs) / 1000;
  double step = 1;
  for (double s : {1.0, 2.0, 5.0, 10.0, 30.0, 60.0, 120.0, 300.0, 600.0, 1800.0, 3600.0}) {
    step = s;
    if (seconds / s <= 12)
      break;
  }
  cairo_set_line_width(cr, 1);
  for (double t = std::ceil(r.fromMs / 1000 / step) * step; t * 1000 <= r.toMs; t += step) {
    const double x = std::round(plotX(a, r, t * 1000)) + 0.5;
    color(cr, PlotColor::grid);
    cairo_move_to(cr, x, a.y + 1);
    cairo_line_to(cr, x, a.bottom() - 1);
    cairo_stroke(cr);
    color(cr, PlotColor::text);
    cairo_set_font_size(cr, px);
    const std::string label = eString::sprintf("%g", t);
    text(cr, x - textWidth(cr, label) / 2, a.bottom() + 1.3 * px, label, px);
  }
}

void polyline(cairo_t* cr, const std::vector<SignalPoint>& points,
              const std::function<double(const SignalPoint&)>& value,
              const std::function<double(double)>& x, const std::function<double(double)>& y) {
  bool drawing = false;
  for (const SignalPoint& p : points) {
    const double v = value(p);
    if (std::isnan(v)) {
      drawing = false;
      continue;
    }
    if (drawing)
      cairo_line_to(cr, x(p.timeMs), y(v));
    else
      cairo_move_to(cr, x(p.timeMs), y(v));
    drawing = true;
  }
  cairo_stroke(cr);
}

void legendEntry(cairo_t* cr, double* x, double y, PlotColor role, const std::string& name,
                 double px) {
  color(cr, role);
  cairo_rectangle(cr, *x, y - 0.75 * px, 1.6 * px, 0.8 * px);
  cairo_fill(cr);
  color(cr, PlotColor::text);
  cairo_set_font_size(cr, px);
  text(cr, *x + 2 * px, y, name, px);
  *x += 2 * px + textWidth(cr, name) + 1.5 * px;
}
}  // namespace

uint32_t plotColor(PlotColor role) {
  return kPlotPalette[static_cast<int>(role)].rgb;
}

PlotGeometry plotGeometry(int width, int height) {
  PlotGeometry g;
  g.labelPx = std::max(8.0, std::min(14.0, height / 55.0));
  const double left = 6 * g.labelPx;
  const double right = 5 * g.labelPx;
  const double top = 3.6 * g.labelPx;      // title and the first caption
  const double between = 3.8 * g.labelPx;  // time labels and the next caption
  const double bottom = 3.0 * g.labelPx;
  const double plotting = std::max(30.0, height - top - 2 * between - bottom);
  const double w = std::max(30.0, width - left - right);
  g.snr = {left, top, w, 0.46 * plotting};
  g.pitch = {left, g.snr.bottom() + between, w, 0.22 * plotting};
  g.dish = {left, g.pitch.bottom() + between, w, 0.32 * plotting};
  return g;
}

PlotRanges plotRanges(const std::vector<SignalPoint>& points, const PlotOptions& options) {
  PlotRanges r;
  if (points.empty())
    return r;
  r.fromMs = points.front().timeMs;
  r.toMs = std::max(points.back().timeMs, r.fromMs + 1000);
  double dbLo = INFINITY, dbHi = -INFINITY, hzHi = 0, degLo = INFINITY, degHi = -INFINITY;
  for (const SignalPoint& p : points) {
    rangeOf(p.trueSnrDb, &dbLo, &dbHi);
    if (!options.shownInPercent)
      rangeOf(p.shown, &dbLo, &dbHi);
    if (!std::isnan(p.pitchHz))
      hzHi = std::max(hzHi, p.pitchHz);
    rangeOf(p.azimuthDeg, &degLo, &degHi);
    rangeOf(p.elevationDeg, &degLo, &degHi);
  }
  rangeOf(options.lockThresholdDb, &dbLo, &dbHi);
  r.dbMin = std::floor((dbLo - 0.5) / 5) * 5;
  r.dbMax = std::ceil((dbHi + 0.5) / 5) * 5;
  r.pitchMaxHz = std::max(500.0, std::ceil((hzHi + 50) / 500) * 500);
  r.degMin = std::floor(degLo - 0.25);
  r.degMax = std::ceil(degHi + 0.25);
  return r;
}

double plotX(const Area& a, const PlotRanges& r, double timeMs) {
  const double span = r.toMs - r.fromMs;
  return a.x + (span > 0 ? (timeMs - r.fromMs) / span : 0) * a.width;
}

double plotY(const Area& a, double value, double lo, double hi) {
  const double share = hi > lo ? (value - lo) / (hi - lo) : 0;
  return a.bottom() - std::max(0.0, std::min(1.0, share)) * a.height;
}

Image renderSignalPlot(const std::vector<SignalPoint>& points, const PlotOptions& options) {
  const int width = std::max(200, options.width);
  const int height = std::max(200, options.height);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  color(cr, PlotColor::background);
  cairo_paint(cr);
  const PlotGeometry g = plotGeometry(width, height);
  const PlotRanges r = plotRanges(points, options);
  const double px = g.labelPx;
  color(cr, PlotColor::text);
  text(cr, g.snr.x, 1.4 * px, options.title, px * 1.2, true);
  auto X = [&](double t) { return plotX(g.snr, r, t); };

  // SNR, with the time the finder showed lock shaded.
  color(cr, PlotColor::lock);
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    if (points[i].locked) {
      cairo_rectangle(cr, X(points[i].timeMs), g.snr.y,
                      std::max(1.0, X(points[i + 1].timeMs) - X(points[i].timeMs)), g.snr.height);
    }
  }
  cairo_fill(cr);
  frame(cr, g.snr, r.dbMin, r.dbMax, r.dbMax - r.dbMin > 30 ? 10 : 5, " dB",
        options.shownInPercent ? "SNR: true (dB) and as the finder showed it (%)"
                               : "SNR (dB): as the finder showed it, and true",
        px);
  timeAxis(cr, g.snr, r, px);
  auto dbY = [&](double v) { return plotY(g.snr, v, r.dbMin, r.dbMax); };
  if (!std::isnan(options.lockThresholdDb)) {
    const double dash[] = {6, 4};
    cairo_set_dash(cr, dash, 2, 0);
    color(cr, PlotColor::threshold);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, g.snr.x, dbY(options.lockThresholdDb));
    cairo_line_to(cr, g.snr.right(), dbY(options.lockThresholdDb));
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  if (options.shownInPercent) {
    color(cr, PlotColor::text);
    for (double percent : {0.0, 50.0, 100.0}) {
      text(cr, g.snr.right() + 6, plotY(g.snr, percent, 0, 100) + 0.35 * px,
           eString::sprintf("%.0f%%", percent), px);
    }
  }
  // Broad lines under narrow ones, so that both show where they coincide.
  cairo_set_line_width(cr, 6);
  color(cr, PlotColor::trueSnr);
  polyline(
      cr, points, [](const SignalPoint& p) { return p.trueSnrDb; }, X, dbY);
  cairo_set_line_width(cr, 2);
  color(cr, PlotColor::shown);
  polyline(
      cr, points, [](const SignalPoint& p) { return p.shown; }, X,
      options.shownInPercent
          ? std::function<double(double)>([&](double v) { return plotY(g.snr, v, 0, 100); })
          : std::function<double(double)>(dbY));
  double legendX = g.snr.x + g.snr.width * 0.45;
  const double legendY = g.snr.y - 0.6 * px;
  legendEntry(cr, &legendX, legendY, PlotColor::shown, "shown", px);
  legendEntry(cr, &legendX, legendY, PlotColor::trueSnr, "true", px);
  legendEntry(cr, &legendX, legendY, PlotColor::lock, "lock", px);
  legendEntry(cr, &legendX, legendY, PlotColor::threshold, "lock threshold", px);

  // The pitch of the tone, where one played.
  auto pitchX = [&](double t) { return plotX(g.pitch, r, t); };
  frame(cr, g.pitch, 0, r.pitchMaxHz, r.pitchMaxHz > 1500 ? 1000 : 500, " Hz",
        "Tone pitch (Hz) while it played", px);
  timeAxis(cr, g.pitch, r, px);
  cairo_set_line_width(cr, 2);
  color(cr, PlotColor::pitch);
  polyline(
      cr, points, [](const SignalPoint& p) { return p.pitchHz; }, pitchX,
      [&](double v) { return plotY(g.pitch, v, 0, r.pitchMaxHz); });

  // The dish's pointing error.
  auto dishX = [&](double t) { return plotX(g.dish, r, t); };
  auto degY = [&](double v) { return plotY(g.dish, v, r.degMin, r.degMax); };
  const double degSpan = r.degMax - r.degMin;
  frame(cr, g.dish, r.degMin, r.degMax, degSpan > 10 ? 5 : (degSpan > 4 ? 2 : 1), "\xC2\xB0",
        "Dish pointing error (degrees)", px);
  timeAxis(cr, g.dish, r, px);
  cairo_set_line_width(cr, 6);
  color(cr, PlotColor::azimuth);
  polyline(
      cr, points, [](const SignalPoint& p) { return p.azimuthDeg; }, dishX, degY);
  cairo_set_line_width(cr, 2);
  color(cr, PlotColor::elevation);
  polyline(
      cr, points, [](const SignalPoint& p) { return p.elevationDeg; }, dishX, degY);
  legendX = g.dish.x + g.dish.width * 0.45;
  legendEntry(cr, &legendX, g.dish.y - 0.6 * px, PlotColor::azimuth, "azimuth (east +)", px);
  legendEntry(cr, &legendX, g.dish.y - 0.6 * px, PlotColor::elevation, "elevation (up +)", px);
  color(cr, PlotColor::text);
  cairo_set_font_size(cr, px);
  text(cr, g.dish.right() - textWidth(cr, "host time (s)"), g.dish.bottom() + 2.6 * px,
       "host time (s)", px);

  cairo_destroy(cr);
  Image image = imageFromSurface(surface);
  cairo_surface_destroy(surface);
  return image;
}
