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
// Samples gathered before each write to the file (about 1.4 s of tone).
constexpr size_t kBufferedSamples = 16384;
}  // namespace

WavWriter::~WavWriter() {
  close(nullptr);
}

bool WavWriter::open(const std::string& p, int sampleRate, std::string* error) {
  close(nullptr);
  if (sampleRate <= 0)
    return fail(error, "sample rate must be positive");
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  file = sf_open(p.c_str(), SFM_WRITE, &info);
  if (!file)
    return fail(error, p + ": " + sf_strerror(nullptr));
  path = p;
  failure.clear();
  buffer.reserve(kBufferedSamples);
  return true;
}

void WavWriter::append(const int8_t* samples, size_t count) {
  if (!file)
    return;
  for (size_t i = 0; i < count; ++i) {
    buffer.push_back(static_cast<short>(samples[i] * kEightToSixteenBits));
    if (buffer.size() == kBufferedSamples)
      writeBuffered();
  }
}

void WavWriter::writeBuffered() {
  if (buffer.empty())
    return;
  const sf_count_t written =
      sf_write_short(file, buffer.data(), static_cast<sf_count_t>(buffer.size()));
  if (written != static_cast<sf_count_t>(buffer.size()) && failure.empty())
    failure = path + ": " + sf_strerror(file);
  buffer.clear();
}

bool WavWriter::close(std::string* error) {
  if (!file)
    return true;
  writeBuffered();
  const int closed = sf_close(file);
  file = nullptr;
  if (failure.empty() && closed != 0)
    failure = path + ": " + sf_error_number(closed);
  if (!failure.empty())
    return fail(error, failure);
  return true;
}

bool writeWav(const std::string& path, const std::vector<int8_t>& samples, int sampleRate,
              std::string* error) {
  WavWriter writer;
  if (!writer.open(path, sampleRate, error))
    return false;
  writer.append(samples.data(), samples.size());
  return writer.close(error);
}
