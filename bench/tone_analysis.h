#pragma once
// Reading the tone back from what the audio device played: the played samples with their
// times, the pitch of a stretch of them, where a new pitch starts, and the gaps in playback.

#include <cstdint>
#include <vector>

#include "oss_audio_model.h"

struct PlayedSample {
  int64_t atUs;  // when the loudspeaker plays it
  int8_t value;
};

// Every accepted sample in playing order with its time.
std::vector<PlayedSample> flatten(const std::vector<OssAudioModel::Block>& blocks);

// Fundamental in Hz of the samples played in [fromUs, toUs), from interpolated rising zero
// crossings; 0 when fewer than two crossings.
double fundamentalHz(const std::vector<PlayedSample>& played, int64_t fromUs, int64_t toUs);

// Index of the first sample at or after `fromUs` that was produced with phase step `step`
// (it and the next 16 follow the sine table with that step), or -1.
long firstSampleWithStep(const std::vector<PlayedSample>& played, int64_t fromUs, int step);

// Times the queue ran empty between blocks after `fromUs`, and the silence that made, in us.
struct Gaps {
  int count = 0;
  int64_t silentUs = 0;
  int64_t firstUs = -1;  // when the first gap began, -1 without one
};
Gaps gapsAfter(const std::vector<OssAudioModel::Block>& blocks, int64_t fromUs);
