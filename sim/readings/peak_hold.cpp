#include "peak_hold.h"

#include <cmath>
#include <cstdio>

void PeakHold::offer(double snr, double azimuthDeg, double elevationDeg) {
  if (std::isnan(snr) || (held && snr <= best))
    return;
  held = true;
  best = snr;
  azimuth = azimuthDeg;
  elevation = elevationDeg;
}

std::string peakText(const PeakHold& peak, const std::string& unit) {
  if (!peak.has())
    return "best: none yet";
  char text[96];
  if (unit == "%") {
    std::snprintf(text, sizeof text, "best %.0f%% at az %+.2f, el %+.2f", peak.snr(),
                  peak.azimuthDeg(), peak.elevationDeg());
  } else {
    std::snprintf(text, sizeof text, "best %.1f %s at az %+.2f, el %+.2f", peak.snr(), unit.c_str(),
                  peak.azimuthDeg(), peak.elevationDeg());
  }
  return text;
}
