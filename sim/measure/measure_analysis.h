#pragma once
// What the measurement mode works out from what it recorded during its run: refresh periods,
// the delays from a dish change to the display and to the tone, the pitch error and the
// underruns. Pure functions of the records; every time is loop time in microseconds.

#include <cstdint>
#include <vector>

#include "tone_blocks.h"

// One refresh of the finder.
struct RefreshRecord {
  int64_t measuredUs = 0;  // when it read the demodulator (or the frontend)
  int64_t shownUs = 0;     // when it was over: its widgets show it from then on
  bool hasStep = false;    // satellite mode: it set the tone's step
  int step = 0;            // the step (`snr_sound`) it set
};

// The periods between consecutive refreshes measured in [fromUs, toUs), in ms.
std::vector<double> refreshPeriodsMs(const std::vector<RefreshRecord>& refreshes, int64_t fromUs,
                                     int64_t toUs);

// For each dish change: from the change to the first frame drawn once the first refresh
// after the change was over, in ms. Changes without such a frame are left out. `frames`
// ascending.
std::vector<double> displayDelaysMs(const std::vector<int64_t>& changesUs,
                                    const std::vector<RefreshRecord>& refreshes,
                                    const std::vector<int64_t>& framesUs);

// For each dish change whose first refresh set another step than the last refresh before
// it: from the change to the first sample of the first block that plays at a pitch nearer
// the new step's than the old one's, read back from the block's zero crossings, in ms. The
// block must start to play after that refresh and before the next change's first refresh;
// changes without one are left out.
std::vector<double> toneDelaysMs(const std::vector<int64_t>& changesUs,
                                 const std::vector<RefreshRecord>& refreshes,
                                 const std::vector<ToneBlocks::Block>& blocks);

// How far the pitch read back from the played tone lies from the step the finder had set when
// the tone thread filled it (step x 11.71875 Hz), in Hz, one value per stretch: blocks that play
// back to back at the same step, filled (right after the write of the block before, as the thread
// does) no nearer than 1 ms to a refresh, and starting to play in [fromUs, toUs). Silent
// blocks and step 0 are left out.
std::vector<double> pitchErrorsHz(const std::vector<RefreshRecord>& refreshes,
                                  const std::vector<ToneBlocks::Block>& blocks, int64_t fromUs,
                                  int64_t toUs);

struct Underruns {
  int count = 0;
  double silenceMs = 0;
};
// Times the device ran dry between two blocks with the gap beginning in [fromUs, toUs), among
// the blocks written from `streamFromUs` on (the first of them starts the stream: the tone
// was just switched on).
Underruns underruns(const std::vector<ToneBlocks::Block>& blocks, int64_t streamFromUs,
                    int64_t fromUs, int64_t toUs);

// Loop time of a play-out timeline position, and the other way round (12000 per second).
int64_t sampleToUs(int64_t sample);
int64_t usToSample(int64_t us);
