#include "panel_layout.h"

#include <algorithm>
#include <iterator>

namespace {
// The panel's parts stand this far from its edges and from each other, as a share of the
// panel's smaller side, within these bounds in pixels.
constexpr double kMarginShare = 0.025;
constexpr double kMarginMin = 2;
constexpr double kMarginMax = 12;
// A panel at least this many times wider than tall puts its parts side by side.
constexpr double kSideBySide = 1.8;
// Share of the height the readouts may take (above the chart and the pointing view).
constexpr double kTextShare = 0.36;
constexpr double kTextShareSideBySide = 0.5;
constexpr double kChartShare = 0.30;
constexpr double kChartShareWithoutPointing = 0.45;
constexpr double kChartWidthSideBySide = 0.40;
constexpr double kPointingWidthSideBySide = 0.28;
constexpr double kSpans[] = {1, 2, 3, 5, 10, 15, 20, 30, 45, 90};

double fitting(double width, int columns, double height, int lines, double largest) {
  double px = largest;
  if (columns > 0)
    px = std::min(px, width / (columns * kMonoAdvanceEm));
  if (lines > 0)
    px = std::min(px, height / (lines * kLineSpacingEm));
  return std::max(0.0, px);
}

// The readouts at the top of `column` and the legend in what is left below them, with the
// readouts taking at most `textShare` of the height.
void stackText(const Area& column, double gap, const PanelMetrics& m, double textShare,
               PanelLayout* out) {
  out->textPx =
      fitting(column.width, m.textColumns, textShare * column.height, m.textLines, kLargestTextPx);
  out->text = {column.x, column.y, column.width, m.textLines * kLineSpacingEm * out->textPx};
  const double top = out->text.bottom() + gap;
  out->legend = {column.x, top, column.width, std::max(0.0, column.bottom() - top)};
}

double clampTo(double v, double lo, double hi) {
  return std::max(lo, std::min(hi, v));
}
}  // namespace

size_t displayedColumns(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text)
    n += (c & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

int rowLabelColumns(const PanelView& view) {
  size_t widest = 0;
  for (const PanelRow& row : view.rows)
    widest = std::max(widest, displayedColumns(row.label));
  return static_cast<int>(widest) + 2;
}

int legendKeyColumns(const PanelView& view) {
  size_t widest = 0;
  for (const LegendRow& row : view.legend)
    widest = std::max(widest, displayedColumns(row.keys));
  return static_cast<int>(widest) + 2;
}

PanelMetrics panelMetrics(const PanelView& view) {
  PanelMetrics m;
  m.textLines = 1 + static_cast<int>(view.rows.size());
  size_t columns = displayedColumns(view.title);
  const int label = rowLabelColumns(view);
  for (const PanelRow& row : view.rows)
    columns = std::max(columns, label + std::max(kValueColumns, displayedColumns(row.value)));
  m.textColumns = static_cast<int>(columns);
  m.legendLines = static_cast<int>(view.legend.size());
  const int keys = legendKeyColumns(view);
  size_t legendColumns = 0;
  for (const LegendRow& row : view.legend)
    legendColumns = std::max(legendColumns, keys + displayedColumns(row.action));
  m.legendColumns = static_cast<int>(legendColumns);
  m.chart = view.chart.has_value();
  m.pointing = view.pointing.has_value();
  return m;
}

PanelLayout layoutPanel(const Area& panel, const PanelMetrics& m) {
  PanelLayout out;
  const double margin =
      clampTo(kMarginShare * std::min(panel.width, panel.height), kMarginMin, kMarginMax);
  const Area inner{panel.x + margin, panel.y + margin, std::max(0.0, panel.width - 2 * margin),
                   std::max(0.0, panel.height - 2 * margin)};
  const bool pictures = m.chart || m.pointing;

  if (pictures && inner.width >= kSideBySide * inner.height) {
    const double side =
        m.pointing ? std::min(inner.height, kPointingWidthSideBySide * inner.width) : 0;
    const double chartWidth = m.chart ? kChartWidthSideBySide * inner.width : 0;
    const int gaps = (m.chart ? 1 : 0) + (m.pointing ? 1 : 0);
    const Area column{inner.x, inner.y,
                      std::max(0.0, inner.width - side - chartWidth - gaps * margin), inner.height};
    stackText(column, margin, m, kTextShareSideBySide, &out);
    double x = column.right() + margin;
    if (m.chart) {
      out.chart = {x, inner.y, chartWidth, inner.height};
      x = out.chart.right() + margin;
    }
    if (m.pointing)
      out.pointing = {x, inner.y + (inner.height - side) / 2, side, side};
  } else {
    stackText(inner, margin, m, pictures ? kTextShare : 1.0, &out);
    double top = out.text.bottom() + margin;
    if (m.chart) {
      const double share = m.pointing ? kChartShare : kChartShareWithoutPointing;
      out.chart = {inner.x, top, inner.width, share * inner.height};
      top = out.chart.bottom() + margin;
    }
    const Area rest{inner.x, top, inner.width, std::max(0.0, inner.bottom() - top)};
    out.legend = rest;
    if (m.pointing) {
      const double side = std::min(rest.height, 0.5 * rest.width);
      out.pointing = {rest.x, rest.y, side, side};
      const double legendX = out.pointing.right() + margin;
      out.legend = {legendX, rest.y, std::max(0.0, rest.right() - legendX), rest.height};
    }
  }
  out.legendPx = std::min(out.textPx, fitting(out.legend.width, m.legendColumns, out.legend.height,
                                              m.legendLines, kLargestTextPx));
  out.legend.height = std::min(out.legend.height, m.legendLines * kLineSpacingEm * out.legendPx);
  return out;
}

double pointingSpanDeg(double errorDeg, double beamwidthDeg) {
  const double needed = std::max(1.25 * beamwidthDeg, 1.15 * errorDeg);
  for (double span : kSpans) {
    if (span >= needed)
      return span;
  }
  return kSpans[std::size(kSpans) - 1];
}

PointingGeometry pointingGeometry(const Area& area, double spanDeg) {
  PointingGeometry g;
  const double side = std::min(area.width, area.height);
  g.centreX = area.x + area.width / 2;
  g.centreY = area.y + area.height / 2;
  g.radiusPx = std::max(0.0, side / 2 - std::max(3.0, 0.04 * side));
  g.pxPerDeg = spanDeg > 0 ? g.radiusPx / spanDeg : 0;
  return g;
}

ChartGeometry chartGeometry(const Area& area, bool pitchLane) {
  ChartGeometry g;
  // Small enough for the header's keys to fit the width too.
  g.labelPx = clampTo(std::min(0.075 * area.height, area.width / (52 * kMonoAdvanceEm)), 3, 12);
  const double axis = 5 * kMonoAdvanceEm * g.labelPx + 3;
  const double header = 1.4 * g.labelPx;
  const double footer = 1.3 * g.labelPx;
  const double width = std::max(0.0, area.width - 2 * axis);
  const double height = std::max(0.0, area.height - header - footer);
  const double lane = pitchLane ? 0.24 * height : 0;
  const double gap = pitchLane ? 0.5 * g.labelPx : 0;
  g.plot = {area.x + axis, area.y + header, width, std::max(0.0, height - lane - gap)};
  if (pitchLane)
    g.pitch = {g.plot.x, g.plot.bottom() + gap, width, lane};
  return g;
}

double chartX(const ChartGeometry& g, const StripChartView& view, double timeMs) {
  const double span = view.toMs - view.fromMs;
  const double share = span > 0 ? (timeMs - view.fromMs) / span : 1;
  return g.plot.x + clampTo(share, 0, 1) * g.plot.width;
}

double chartDbY(const ChartGeometry& g, const StripChartView& view, double db) {
  const double span = view.dbMax - view.dbMin;
  const double share = span > 0 ? (db - view.dbMin) / span : 0;
  return g.plot.bottom() - clampTo(share, 0, 1) * g.plot.height;
}

double chartPercentY(const ChartGeometry& g, double percent) {
  return g.plot.bottom() - clampTo(percent / 100, 0, 1) * g.plot.height;
}

double chartPitchY(const ChartGeometry& g, const StripChartView& view, double hz) {
  const double share = view.pitchMaxHz > 0 ? hz / view.pitchMaxHz : 0;
  return g.pitch.bottom() - clampTo(share, 0, 1) * g.pitch.height;
}
