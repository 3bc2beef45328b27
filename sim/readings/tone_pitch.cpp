#include "tone_pitch.h"

#include "sat/measurement.h"

int snrSoundForNoise(int noise) {
  // The finder's own functions, so the two can never drift apart.
  return snrTone(snrDb(noiseOrWorst(noise)));
}
