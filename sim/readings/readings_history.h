#pragma once
// The readings kept in memory: the last minute for the strip chart, and the whole run, thinned
// as it grows so a long session stays bounded, for the plot.

#include <cstddef>
#include <deque>
#include <vector>

#include "reading.h"
#include "signal_point.h"

// A reading as the chart and the plot draw it.
SignalPoint signalPoint(const Reading& reading);

class ReadingsHistory {
 public:
  static constexpr double kRecentMs = 60000;
  // At most this many points of the whole run are kept; past it every other one is dropped
  // and from then on only every second (fourth, ...) new one is kept.
  static constexpr size_t kRunPoints = 8192;

  void add(const SignalPoint& point);
  // Points of the last minute up to the newest, oldest first.
  const std::deque<SignalPoint>& recent() const { return lastMinute; }
  // The whole run, oldest first, thinned evenly.
  const std::vector<SignalPoint>& run() const { return whole; }

 private:
  std::deque<SignalPoint> lastMinute;
  std::vector<SignalPoint> whole;
  size_t stride = 1;
  size_t skipped = 0;
};
