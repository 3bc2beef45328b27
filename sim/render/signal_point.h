#pragma once
// One refresh as the strip chart and the plot draw it.

#include <cmath>

struct SignalPoint {
  double timeMs = 0;              // host time
  double shown = std::nan("");    // the SNR the finder shows (dB, or percent on a terrestrial
                                  // receiver); NaN when it shows none
  double trueSnrDb = 0;           // the signal model's SNR
  bool locked = false;            // the finder shows lock
  double pitchHz = std::nan("");  // the tone heard; NaN while none plays
  double azimuthDeg = 0;          // the dish's pointing error
  double elevationDeg = 0;

  bool operator==(const SignalPoint& o) const {
    auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    return timeMs == o.timeMs && same(shown, o.shown) && trueSnrDb == o.trueSnrDb &&
           locked == o.locked && same(pitchHz, o.pitchHz) && azimuthDeg == o.azimuthDeg &&
           elevationDeg == o.elevationDeg;
  }
  bool operator!=(const SignalPoint& o) const { return !(*this == o); }
};
