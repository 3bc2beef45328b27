#include "tone.h"

int resumeIndex(long written) {
  // A refused write (0 or -1) drops the whole block, so the waveform jumps whichever entry it
  // resumes from; -1 lands on 1022 and 0 on 1023, and both are kept as they are.
  const long index = (written + kBlockSamples - 1) % kBlockSamples;
  return static_cast<int>(index < 0 ? index + kBlockSamples : index);
}

int nextPhase(int phase, int step) {
  // Reduce the step first: no overflow for any step, and a negative one still stays in the table.
  const int reduced = step % kSineEntries;
  return (phase + reduced + kSineEntries) % kSineEntries;
}
