#pragma once
// Where the parts of the simulator's panel go inside the panel's area, and how the chart and
// the pointing view map values to pixels. Pure arithmetic, so that "nothing is cut at any
// window size" can be checked for many sizes, and a test can find a value's pixel on screen.
//
// The panel's text is set in DejaVu Sans Mono: every character advances kMonoAdvanceEm of the
// font size, so a line's width follows from its length alone.

#include <cstddef>
#include <string>

#include "area.h"
#include "panel_view.h"

inline constexpr double kMonoAdvanceEm = 0.6021;  // DejaVu Sans Mono: 1233 / 2048
inline constexpr double kLineSpacingEm = 1.25;    // baseline to baseline
inline constexpr double kLargestTextPx = 28;      // text grows with the window up to this

// Characters (UTF-8 code points) in `text`: its width in advances.
size_t displayedColumns(const std::string& text);

// What the layout needs to know of the content.
struct PanelMetrics {
  int textLines = 0;    // the title and the readout rows
  int textColumns = 0;  // the widest of them
  int legendLines = 0;
  int legendColumns = 0;
  bool chart = false;
  bool pointing = false;
};
// The label column of the readouts and the key column of the legend are as wide as their
// widest entry plus two spaces. Values get at least kValueColumns, so that the layout stays
// put while the values change.
inline constexpr size_t kValueColumns = 36;
PanelMetrics panelMetrics(const PanelView& view);
int rowLabelColumns(const PanelView& view);
int legendKeyColumns(const PanelView& view);

struct PanelLayout {
  double textPx = 0;  // font size of the title and readouts
  Area text;
  double legendPx = 0;
  Area legend;
  Area chart;     // empty without a chart
  Area pointing;  // a square; empty without a pointing view
};

// Lays the parts out without overlap inside `panel` (less a margin): a column of text, chart,
// then the pointing view beside the legend; or, in a panel much wider than tall, the text with
// the legend, the chart and the pointing view side by side. Each text's size is the largest
// (up to kLargestTextPx) at which all its lines fit their area.
PanelLayout layoutPanel(const Area& panel, const PanelMetrics& metrics);

// The pointing view's scale: the smallest of 1, 2, 3, 5, 10, 15, 20, 30, 45, 90 degrees from
// the centre to the edge that shows both rings and the dish `errorDeg` off.
double pointingSpanDeg(double errorDeg, double beamwidthDeg);

struct PointingGeometry {
  double centreX = 0;
  double centreY = 0;
  double pxPerDeg = 0;
  double radiusPx = 0;  // from the centre to the edge of the drawn field
};
// The view drawn in the square `area` showing `spanDeg` from the centre to the edge. A mark at
// (az, el) degrees is drawn at (centreX + az * pxPerDeg, centreY - el * pxPerDeg).
PointingGeometry pointingGeometry(const Area& area, double spanDeg);

struct ChartGeometry {
  Area plot;           // the SNR traces
  Area pitch;          // the pitch lane under it; empty without one
  double labelPx = 0;  // size of the axis labels
};
ChartGeometry chartGeometry(const Area& area, bool pitchLane);
// Pixel positions of a time, an SNR in dB, a percentage and a pitch, clamped to their area.
double chartX(const ChartGeometry& g, const StripChartView& view, double timeMs);
double chartDbY(const ChartGeometry& g, const StripChartView& view, double db);
double chartPercentY(const ChartGeometry& g, double percent);
double chartPitchY(const ChartGeometry& g, const StripChartView& view, double hz);
