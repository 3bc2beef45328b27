#pragma once
// Saves the tone the plug-in wrote to the audio device as a WAV file a desktop player can play.

#include <cstdint>
#include <string>
#include <vector>

// Writes `samples` (signed 8-bit, mono) at `sampleRate` Hz to `path` as a 16-bit PCM WAV file:
// WAV stores 8-bit samples unsigned only, and 16-bit keeps each value exact (scaled by 256).
// False, with the reason in *error (when given), when the rate is not positive or the file
// cannot be written; an empty sample list gives a valid file without frames.
bool writeWav(const std::string& path, const std::vector<int8_t>& samples, int sampleRate,
              std::string* error);
