#include "tone_pitch.h"

int snrSoundForNoise(int noise) {
  const double snr = noise * -0.0017 + 19.2;
  return snr >= 0 ? static_cast<int>(snr * 10) : 0;
}
