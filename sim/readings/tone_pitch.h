#pragma once
// The tone the finder plays, as the simulator works it out from what the finder read: the
// finder keeps its pitch in a word the simulator cannot see, so the simulator runs the finder's
// own arithmetic (sat/measurement, compiled in here too) on the noise value the finder read.

// Hz per unit of the tone's phase step: 12000 samples per second through a 1024-entry table.
inline constexpr double kHzPerPitchStep = 12000.0 / 1024.0;  // 11.71875

// The phase step (`snr_sound`) for a noise value as the finder read it (-1 after a failed
// read, which the finder takes as the worst noise): the SNR 19.2 - 0.0017 * noise dB times ten,
// truncated, and 0 below 0 dB.
int snrSoundForNoise(int noise);

// The tone's frequency in Hz for a phase step.
inline double pitchHz(int snrSound) {
  return snrSound * kHzPerPitchStep;
}
