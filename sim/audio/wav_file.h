#pragma once
// Saves the tone the plug-in wrote to the audio device as a WAV file a desktop player can play.
// WAV stores 8-bit samples unsigned only, so the file is 16-bit PCM: each signed 8-bit sample
// scaled by 256, exact and with its sign.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;  // libsndfile's SNDFILE

// Writes a WAV file as the tone plays: open(), append() any number of times, close(). Memory
// stays the same however long the tone; the header gets its length at close().
class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();  // closes, ignoring any failure
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  // False, with the reason in *error (when given), when the rate is not positive or the file
  // cannot be created.
  bool open(const std::string& path, int sampleRate, std::string* error);
  bool isOpen() const { return file != nullptr; }
  // Signed 8-bit mono samples. A failure to write is kept and reported by close().
  void append(const int8_t* samples, size_t count);
  // Completes the file; false, with the reason, when any write or the close failed.
  bool close(std::string* error);

 private:
  void writeBuffered();

  sf_private_tag* file = nullptr;
  std::string path;
  std::string failure;
  std::vector<short> buffer;
};

// The whole of `samples` at once, as WavWriter writes them; an empty list gives a valid file
// without frames.
bool writeWav(const std::string& path, const std::vector<int8_t>& samples, int sampleRate,
              std::string* error);
