#pragma once
// What the simulator's panel beside the receiver's screen shows, as a plain value: the panel is
// drawn from it alone, and two of them compare equal exactly when they draw the same picture,
// so a window can tell whether anything visible changed between two frames.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "signal_point.h"

// One readout line: a short label and its value ("Dish", "az +3.00°  el +1.00°  3.16° off").
struct PanelRow {
  std::string label;
  std::string value;
  bool operator==(const PanelRow& o) const { return label == o.label && value == o.value; }
};

// One line of the key legend ("W A S D", "move the dish").
struct LegendRow {
  std::string keys;
  std::string action;
  bool operator==(const LegendRow& o) const { return keys == o.keys && action == o.action; }
};

// The strip chart: SNR over the last minute, lock shaded, and the tone's pitch in a lane below.
struct StripChartView {
  double fromMs = 0;    // host time at the left edge
  double toMs = 60000;  // host time at the right edge (now)
  double dbMin = 0;     // the SNR axis, dB
  double dbMax = 15;
  double lockThresholdDb = std::nan("");  // drawn as a dashed line; NaN: none
  // The finder shows its SNR in percent (terrestrial): that trace gets its own 0..100 scale.
  bool shownInPercent = false;
  bool hasPitchLane = false;        // the finder has a tone
  double pitchMaxHz = 2250;         // the pitch lane's top
  std::vector<SignalPoint> points;  // oldest first

  bool operator==(const StripChartView& o) const {
    auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    return fromMs == o.fromMs && toMs == o.toMs && dbMin == o.dbMin && dbMax == o.dbMax &&
           same(lockThresholdDb, o.lockThresholdDb) && shownInPercent == o.shownInPercent &&
           hasPitchLane == o.hasPitchLane && pitchMaxHz == o.pitchMaxHz && points == o.points;
  }
};

// Something in the sky, in degrees from where the dish is meant to point.
struct PointingMark {
  double azimuthDeg = 0;    // east positive
  double elevationDeg = 0;  // up positive
  std::string label;
  bool operator==(const PointingMark& o) const {
    return azimuthDeg == o.azimuthDeg && elevationDeg == o.elevationDeg && label == o.label;
  }
};

// The pointing view: the dish's error as a dot on cross-hairs, rings at half the beamwidth
// (3 dB lost) and at the beamwidth (12 dB lost), and the other satellites where they lie
// (those beyond the edge are drawn at the edge, pointing the way).
struct PointingView {
  double azimuthDeg = 0;  // the dish's pointing error
  double elevationDeg = 0;
  double beamwidthDeg = 2;
  double spanDeg = 5;       // from the centre to the nearest edge
  std::string centreLabel;  // what the dish is meant to point at ("19.2E"), or empty
  std::vector<PointingMark> marks;

  bool operator==(const PointingView& o) const {
    return azimuthDeg == o.azimuthDeg && elevationDeg == o.elevationDeg &&
           beamwidthDeg == o.beamwidthDeg && spanDeg == o.spanDeg && centreLabel == o.centreLabel &&
           marks == o.marks;
  }
};

struct PanelView {
  std::string title;
  std::vector<PanelRow> rows;
  std::optional<StripChartView> chart;
  std::optional<PointingView> pointing;
  std::vector<LegendRow> legend;

  bool operator==(const PanelView& o) const {
    return title == o.title && rows == o.rows && chart == o.chart && pointing == o.pointing &&
           legend == o.legend;
  }
  bool operator!=(const PanelView& o) const { return !(*this == o); }
};
