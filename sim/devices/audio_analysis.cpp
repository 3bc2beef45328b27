#include "audio_analysis.h"

#include <cstddef>

double fundamentalHz(const std::vector<int8_t>& samples, double sampleRate) {
  double first = 0.0;
  double last = 0.0;
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const double a = samples[i - 1];
    const double b = samples[i];
    if (a < 0 && b >= 0) {
      // Counted in samples: gaps in play-out do not bend the waveform.
      const double at = static_cast<double>(i - 1) + (-a) / (b - a);
      if (crossings == 0)
        first = at;
      last = at;
      ++crossings;
    }
  }
  if (crossings < 2)
    return 0.0;
  return sampleRate * (crossings - 1) / (last - first);
}
