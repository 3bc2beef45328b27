#include "wav_file.h"

#include <sndfile.h>

namespace {
bool fail(std::string* error, const std::string& reason) {
  if (error)
    *error = reason;
  return false;
}

// A signed 8-bit sample in the top byte of a 16-bit one: exact, and the sign is kept.
constexpr int kEightToSixteenBits = 256;
}  // namespace

bool writeWav(const std::string& path, const std::vector<int8_t>& samples, int sampleRate,
              std::string* error) {
  if (sampleRate <= 0)
    return fail(error, "sample rate must be positive");
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
    return fail(error, path + ": " + sf_strerror(nullptr));

  std::vector<short> wide(samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    wide[i] = static_cast<short>(samples[i] * kEightToSixteenBits);
  const sf_count_t written =
      sf_write_short(file, wide.data(), static_cast<sf_count_t>(wide.size()));
  const std::string writeError = sf_strerror(file);
  const int closed = sf_close(file);
  if (written != static_cast<sf_count_t>(wide.size()))
    return fail(error, path + ": " + writeError);
  if (closed != 0)
    return fail(error, path + ": " + sf_error_number(closed));
  return true;
}
