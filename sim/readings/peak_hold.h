#pragma once
// The best SNR the finder has shown since the start or the last reset, and where the dish was
// then: what a person aligning a dish goes back to.

#include <string>

class PeakHold {
 public:
  // Keeps `snr` when it beats the best so far (NaN is ignored; a tie keeps the earlier one).
  void offer(double snr, double azimuthDeg, double elevationDeg);
  void reset() { held = false; }

  bool has() const { return held; }
  double snr() const { return best; }
  double azimuthDeg() const { return azimuth; }
  double elevationDeg() const { return elevation; }

  bool operator==(const PeakHold& o) const {
    return held == o.held &&
           (!held || (best == o.best && azimuth == o.azimuth && elevation == o.elevation));
  }

 private:
  bool held = false;
  double best = 0;
  double azimuth = 0;
  double elevation = 0;
};

// "best 11.8 dB at az +0.12, el -0.04" (`unit` "dB"), "best 63% at ..." (`unit` "%"), or
// "best: none yet" before the first reading.
std::string peakText(const PeakHold& peak, const std::string& unit);
