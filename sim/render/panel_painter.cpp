#include "panel_painter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cairo_text.h"
#include "estring.h"
#include "panel_layout.h"

namespace {
struct PaletteRow {
  PanelColor role;
  uint32_t rgb;
};
// One row per role, in the order of the enum.
constexpr PaletteRow kPalette[] = {
    {PanelColor::fill, 0x15181E},      {PanelColor::text, 0xD8DEE8},
    {PanelColor::label, 0x8C96A8},     {PanelColor::title, 0xFFFFFF},
    {PanelColor::key, 0xF0C020},       {PanelColor::pictureFill, 0x0E1116},
    {PanelColor::grid, 0x343B4A},      {PanelColor::shownTrace, 0x4FC3F7},
    {PanelColor::trueTrace, 0xFFA040}, {PanelColor::lockShade, 0x1B3A26},
    {PanelColor::threshold, 0x9A8CB0}, {PanelColor::pitchTrace, 0xD070E0},
    {PanelColor::innerRing, 0x4E9A62}, {PanelColor::outerRing, 0x8A6A3A},
    {PanelColor::satellite, 0xB0BEC5}, {PanelColor::dish, 0xFF3030},
};
const char* const kMonoFamily = "DejaVu Sans Mono";

void color(cairo_t* cr, PanelColor role) {
  setSourceColor(cr, panelColor(role));
}

void fillArea(cairo_t* cr, const Area& a, PanelColor role) {
  color(cr, role);
  cairo_rectangle(cr, a.x, a.y, a.width, a.height);
  cairo_fill(cr);
}

void mono(cairo_t* cr, double px, bool bold = false) {
  releaseFontCachesAtExit();
  cairo_select_font_face(cr, kMonoFamily, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, std::max(px, 0.5));
  // The layout counts on the font's own advance: no rounding of it to whole pixels.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_get_font_options(cr, options);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Text at a column of the monospaced grid: `column` advances right of `x`.
void textAt(cairo_t* cr, double x, double baseline, double px, int column,
            const std::string& text) {
  cairo_move_to(cr, x + column * kMonoAdvanceEm * px, baseline);
  cairo_show_text(cr, text.c_str());
}

double baselineOf(cairo_t* cr, const Area& area, double px, int line) {
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double slot = kLineSpacingEm * px;
  return area.y + line * slot + (slot - (font.ascent + font.descent)) / 2 + font.ascent;
}

void paintText(cairo_t* cr, const PanelView& view, const PanelLayout& layout) {
  const double px = layout.textPx;
  mono(cr, px, true);
  color(cr, PanelColor::title);
  textAt(cr, layout.text.x, baselineOf(cr, layout.text, px, 0), px, 0, view.title);
  mono(cr, px);
  const int label = rowLabelColumns(view);
  for (size_t i = 0; i < view.rows.size(); ++i) {
    const double baseline = baselineOf(cr, layout.text, px, static_cast<int>(i) + 1);
    color(cr, PanelColor::label);
    textAt(cr, layout.text.x, baseline, px, 0, view.rows[i].label);
    color(cr, PanelColor::text);
    textAt(cr, layout.text.x, baseline, px, label, view.rows[i].value);
  }
  const double lpx = layout.legendPx;
  mono(cr, lpx);
  const int keys = legendKeyColumns(view);
  for (size_t i = 0; i < view.legend.size(); ++i) {
    const double baseline = baselineOf(cr, layout.legend, lpx, static_cast<int>(i));
    color(cr, PanelColor::key);
    textAt(cr, layout.legend.x, baseline, lpx, 0, view.legend[i].keys);
    color(cr, PanelColor::text);
    textAt(cr, layout.legend.x, baseline, lpx, keys, view.legend[i].action);
  }
}

// A polyline through the points that have a value, broken where one has none.
template <typename Value, typename X, typename Y>
void trace(cairo_t* cr, const std::vector<SignalPoint>& points, Value value, X x, Y y) {
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

void keySwatch(cairo_t* cr, double x, double baseline, double px, PanelColor role,
               const std::string& name, double* advance) {
  color(cr, role);
  cairo_rectangle(cr, x, baseline - 0.7 * px, 0.8 * px, 0.7 * px);
  cairo_fill(cr);
  color(cr, PanelColor::label);
  cairo_move_to(cr, x + 1.1 * px, baseline);
  cairo_show_text(cr, name.c_str());
  *advance = 1.1 * px + (name.size() + 2) * kMonoAdvanceEm * px;
}

void paintChart(cairo_t* cr, const StripChartView& view, const Area& area) {
  fillArea(cr, area, PanelColor::pictureFill);
  const ChartGeometry g = chartGeometry(area, view.hasPitchLane);
  const double px = g.labelPx;
  mono(cr, px);

  // Header: what the traces are.
  const double header = area.y + 1.05 * px;
  double x = std::max(g.plot.x, area.x + 3 + 7 * kMonoAdvanceEm * px);
  double step = 0;
  color(cr, PanelColor::label);
  textAt(cr, area.x + 3, header, px, 0, "SNR dB");
  keySwatch(cr, x, header, px, PanelColor::shownTrace, view.shownInPercent ? "shown %" : "shown",
            &step);
  x += step;
  keySwatch(cr, x, header, px, PanelColor::trueTrace, "true", &step);
  x += step;
  keySwatch(cr, x, header, px, PanelColor::lockShade, "lock", &step);
  x += step;
  if (view.hasPitchLane)
    keySwatch(cr, x, header, px, PanelColor::pitchTrace, "pitch", &step);

  auto X = [&](double t) { return chartX(g, view, t); };
  auto dbY = [&](double db) { return chartDbY(g, view, db); };

  // Lock shading, from each locked refresh to the next one.
  color(cr, PanelColor::lockShade);
  for (size_t i = 0; i < view.points.size(); ++i) {
    if (!view.points[i].locked)
      continue;
    const double from = X(view.points[i].timeMs);
    const double to = i + 1 < view.points.size() ? X(view.points[i + 1].timeMs) : X(view.toMs);
    cairo_rectangle(cr, from, g.plot.y, std::max(1.0, to - from), g.plot.height);
  }
  cairo_fill(cr);

  // Grid and axes: every 5 dB on the left, percent on the right, seconds below.
  cairo_set_line_width(cr, 1);
  const double dbStep = view.dbMax - view.dbMin > 25 ? 10 : 5;
  for (double db = std::ceil(view.dbMin / dbStep) * dbStep; db <= view.dbMax; db += dbStep) {
    color(cr, PanelColor::grid);
    cairo_move_to(cr, g.plot.x, std::round(dbY(db)) + 0.5);
    cairo_line_to(cr, g.plot.right(), std::round(dbY(db)) + 0.5);
    cairo_stroke(cr);
    color(cr, PanelColor::label);
    const std::string text = eString::sprintf("%.0f", db);
    textAt(cr, g.plot.x - (text.size() + 0.5) * kMonoAdvanceEm * px, dbY(db) + 0.35 * px, px, 0,
           text);
  }
  if (view.shownInPercent) {
    for (double percent : {0.0, 50.0, 100.0}) {
      textAt(cr, g.plot.right() + 0.5 * kMonoAdvanceEm * px, chartPercentY(g, percent) + 0.35 * px,
             px, 0, eString::sprintf("%.0f%%", percent));
    }
  }
  const double footer = area.bottom() - 0.35 * px;
  const double spanS = (view.toMs - view.fromMs) / 1000;
  for (double back : {spanS, spanS / 2}) {
    const std::string text = eString::sprintf("-%.0f s", back);
    const double at = X(view.toMs - back * 1000);
    textAt(cr, at - text.size() * kMonoAdvanceEm * px / 2, footer, px, 0, text);
  }
  textAt(cr, g.plot.right() - 3 * kMonoAdvanceEm * px, footer, px, 0, "now");

  if (!std::isnan(view.lockThresholdDb)) {
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    color(cr, PanelColor::threshold);
    cairo_move_to(cr, g.plot.x, dbY(view.lockThresholdDb));
    cairo_line_to(cr, g.plot.right(), dbY(view.lockThresholdDb));
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
  }

  cairo_save(cr);
  cairo_rectangle(cr, g.plot.x, g.plot.y, g.plot.width, g.plot.height);
  cairo_clip(cr);
  // The true SNR runs broad under the shown one, which mostly follows it closely.
  cairo_set_line_width(cr, std::max(3.0, px / 2.5));
  color(cr, PanelColor::trueTrace);
  trace(
      cr, view.points, [](const SignalPoint& p) { return p.trueSnrDb; }, X, dbY);
  cairo_set_line_width(cr, std::max(1.0, px / 8));
  color(cr, PanelColor::shownTrace);
  if (view.shownInPercent) {
    trace(
        cr, view.points, [](const SignalPoint& p) { return p.shown; }, X,
        [&](double v) { return chartPercentY(g, v); });
  } else {
    trace(
        cr, view.points, [](const SignalPoint& p) { return p.shown; }, X, dbY);
  }
  cairo_restore(cr);

  if (!view.hasPitchLane)
    return;
  const Area& lane = g.pitch;
  color(cr, PanelColor::grid);
  cairo_rectangle(cr, lane.x + 0.5, lane.y + 0.5, lane.width - 1, lane.height - 1);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  color(cr, PanelColor::label);
  textAt(cr, lane.x - 3 * kMonoAdvanceEm * px, lane.y + lane.height / 2 + 0.35 * px, px, 0, "Hz");
  textAt(cr, lane.right() + 0.5 * kMonoAdvanceEm * px, lane.y + 0.9 * px, px, 0,
         eString::sprintf("%.0f", view.pitchMaxHz));
  const bool playing = std::any_of(view.points.begin(), view.points.end(),
                                   [](const SignalPoint& p) { return !std::isnan(p.pitchHz); });
  if (!playing) {
    const std::string off = "no tone";
    textAt(cr, lane.x + (lane.width - off.size() * kMonoAdvanceEm * px) / 2,
           lane.y + lane.height / 2 + 0.35 * px, px, 0, off);
    return;
  }
  cairo_save(cr);
  cairo_rectangle(cr, lane.x, lane.y, lane.width, lane.height);
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(1.0, px / 6));
  color(cr, PanelColor::pitchTrace);
  trace(
      cr, view.points, [](const SignalPoint& p) { return p.pitchHz; }, X,
      [&](double hz) { return chartPitchY(g, view, hz); });
  cairo_restore(cr);
}

// A mark at (az, el), or at the field's edge towards it when it lies beyond; true when it fits.
bool place(const PointingGeometry& g, double az, double el, double* x, double* y) {
  const double dx = az * g.pxPerDeg;
  const double dy = -el * g.pxPerDeg;
  const double reach = std::max(std::fabs(dx), std::fabs(dy));
  const double scale = reach > g.radiusPx && reach > 0 ? g.radiusPx / reach : 1;
  *x = g.centreX + dx * scale;
  *y = g.centreY + dy * scale;
  return scale == 1;
}

void paintPointing(cairo_t* cr, const PointingView& view, const Area& area) {
  fillArea(cr, area, PanelColor::pictureFill);
  const PointingGeometry g = pointingGeometry(area, view.spanDeg);
  const double side = std::min(area.width, area.height);
  const double px = std::max(4.0, std::min(11.0, side * 0.055));
  mono(cr, px);
  cairo_set_line_width(cr, 1);

  color(cr, PanelColor::grid);
  cairo_move_to(cr, g.centreX - g.radiusPx, std::round(g.centreY) + 0.5);
  cairo_line_to(cr, g.centreX + g.radiusPx, std::round(g.centreY) + 0.5);
  cairo_move_to(cr, std::round(g.centreX) + 0.5, g.centreY - g.radiusPx);
  cairo_line_to(cr, std::round(g.centreX) + 0.5, g.centreY + g.radiusPx);
  cairo_stroke(cr);

  const struct {
    double deg;
    PanelColor role;
    const char* text;
  } rings[] = {{view.beamwidthDeg / 2, PanelColor::innerRing, "-3 dB"},
               {view.beamwidthDeg, PanelColor::outerRing, "-12 dB"}};
  for (const auto& ring : rings) {
    const double r = ring.deg * g.pxPerDeg;
    if (r > g.radiusPx * 1.5)
      continue;
    color(cr, ring.role);
    cairo_new_path(cr);
    cairo_arc(cr, g.centreX, g.centreY, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    textAt(cr, g.centreX + r * 0.72 + 2, g.centreY - r * 0.72 - 2, px, 0, ring.text);
  }

  color(cr, PanelColor::label);
  textAt(cr, area.x + 2, area.y + px, px, 0, "W");
  textAt(cr, area.right() - kMonoAdvanceEm * px - 2, area.y + px, px, 0, "E");
  textAt(cr, g.centreX + 3, area.y + px, px, 0, "up");
  textAt(cr, area.x + 2, area.bottom() - 3, px, 0,
         eString::sprintf("%g\xC2\xB0 to the edge", view.spanDeg));
  if (!view.centreLabel.empty())
    textAt(cr, g.centreX + 3, g.centreY + 1.1 * px, px, 0, view.centreLabel);

  const double mark = std::max(2.5, side * 0.02);
  for (const PointingMark& m : view.marks) {
    double x = 0;
    double y = 0;
    const bool inside = place(g, m.azimuthDeg, m.elevationDeg, &x, &y);
    color(cr, PanelColor::satellite);
    cairo_move_to(cr, x, y - mark);
    cairo_line_to(cr, x + mark, y);
    cairo_line_to(cr, x, y + mark);
    cairo_line_to(cr, x - mark, y);
    cairo_close_path(cr);
    if (inside)
      cairo_fill(cr);
    else
      cairo_stroke(cr);
    const std::string text =
        inside
            ? m.label
            : m.label + eString::sprintf(" %.1f\xC2\xB0", std::hypot(m.azimuthDeg, m.elevationDeg));
    const double width = displayedColumns(text) * kMonoAdvanceEm * px;
    const double tx = std::max(area.x + 2, std::min(x - width / 2, area.right() - width - 2));
    textAt(cr, tx, y + mark + px, px, 0, text);
  }

  double x = 0;
  double y = 0;
  place(g, view.azimuthDeg, view.elevationDeg, &x, &y);
  color(cr, PanelColor::dish);
  cairo_new_path(cr);
  cairo_arc(cr, x, y, std::max(3.0, side * 0.03), 0, 2 * M_PI);
  cairo_fill(cr);
}
}  // namespace

uint32_t panelColor(PanelColor role) {
  return kPalette[static_cast<int>(role)].rgb;
}

void paintPanel(cairo_t* cr, const PanelView& view, const Area& area) {
  cairo_save(cr);
  cairo_rectangle(cr, area.x, area.y, area.width, area.height);
  cairo_clip(cr);
  fillArea(cr, area, PanelColor::fill);
  const PanelLayout layout = layoutPanel(area, panelMetrics(view));
  paintText(cr, view, layout);
  if (view.chart)
    paintChart(cr, *view.chart, layout.chart);
  if (view.pointing)
    paintPointing(cr, *view.pointing, layout.pointing);
  cairo_restore(cr);
}
