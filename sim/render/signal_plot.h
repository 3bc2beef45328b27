#pragma once
// The plot of a whole run, written as signal.png: three charts over the same time axis, the
// SNR (as the finder showed it and as the signal model had it, with the time the finder showed
// lock shaded), the tone's pitch while it played, and the dish's pointing error. The geometry
// and the value ranges are pure functions, so a test can find where a known value was drawn.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "area.h"
#include "screen_renderer.h"
#include "signal_point.h"

struct PlotOptions {
  std::string title = "vevovuvado-sim: the readings of the run";
  bool shownInPercent = false;            // the finder showed its SNR in percent (terrestrial)
  double lockThresholdDb = std::nan("");  // drawn dashed; NaN: none
  int width = 1000;
  int height = 760;
};

// The plot's colours, 0xRRGGBB.
enum class PlotColor {
  background,
  text,
  grid,
  shown,
  trueSnr,
  lock,
  threshold,
  pitch,
  azimuth,
  elevation
};
uint32_t plotColor(PlotColor color);

struct PlotGeometry {
  Area snr;  // the SNR chart's plotting area
  Area pitch;
  Area dish;
  double labelPx = 12;
};
PlotGeometry plotGeometry(int width, int height);

// The axes: time from the first point to the last; the others rounded out to whole steps
// (5 dB, 500 Hz, 1 degree) around every value drawn.
struct PlotRanges {
  double fromMs = 0;
  double toMs = 1000;
  double dbMin = 0;
  double dbMax = 15;
  double pitchMaxHz = 500;
  double degMin = -1;
  double degMax = 1;
};
PlotRanges plotRanges(const std::vector<SignalPoint>& points, const PlotOptions& options);

// Pixel column of a time, and pixel row of a value on an axis from `lo` to `hi`, in `area`.
double plotX(const Area& area, const PlotRanges& ranges, double timeMs);
double plotY(const Area& area, double value, double lo, double hi);

Image renderSignalPlot(const std::vector<SignalPoint>& points, const PlotOptions& options);
