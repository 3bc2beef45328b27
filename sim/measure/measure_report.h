#pragma once
// The measurement mode's figures, as the table it prints and as JSON.

#include <optional>
#include <string>

#include "measure_analysis.h"
#include "summary.h"

struct MeasureResult {
  std::string receiver;  // "the built-in receiver" or the profile's file
  bool window = false;   // a desktop window showed the frames
  double seconds = 0;    // the measured stretch, after the warm-up
  int dishChanges = 0;
  double offsetDeg = 0;  // the dish went between on the satellite and this far east of it
  Summary refreshPeriodMs;
  Summary displayDelayMs;
  // Without a tone (no audio device, not a satellite receiver) these stay empty.
  std::optional<Summary> toneDelayMs;
  std::optional<Summary> pitchErrorHz;
  std::optional<Underruns> toneUnderruns;
  unsigned long frames = 0;  // frames drawn in the measured stretch
  double guiCpuPercent = 0;  // of one core, over the measured stretch
  std::optional<double> toneCpuPercent;
  double processCpuPercent = 0;
  long residentBeforeKiB = 0;  // as the measured stretch began (finder open, frames drawn)
  long residentAfterKiB = 0;   // at its end, the finder still open
};

// The table, a few lines of text ending in a newline.
std::string measureTable(const MeasureResult& result);
// The same as a JSON document (a trailing newline); the figures a receiver has none of are null.
std::string measureJson(const MeasureResult& result);
