#pragma once
// Reading a tone back from what the audio device played.

#include <cstdint>
#include <vector>

// The fundamental of `samples` in Hz at `sampleRate`, from the first and last rising zero
// crossing (linearly interpolated) and the number of periods between them; 0 when there are
// fewer than two crossings.
double fundamentalHz(const std::vector<int8_t>& samples, double sampleRate);
