#pragma once
// The OSS audio device "/dev/sound/dsp": signed 8-bit mono at 12000 samples per second.
// Non-blocking writes go into a bounded queue that drains at 12000 bytes per second on the
// host's clock. The model keeps only what a caller asked for, so hours of tone cost no memory:
//  - a play-out sink gets what the loudspeaker plays, in order and once, with silence where
//    nothing was queued, as soon as it has played (a WAV file, the computer's sound output);
//  - recording (off by default; tests turn it on) keeps every accepted block and every write's
//    result, for blocks(), acceptedSamples(), writeResults(), timeline() and underruns().

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "device_model.h"

class OssAudioModel : public DeviceModel {
 public:
  static constexpr int kRate = 12000;

  // The clock the queue drains on, in microseconds; by default the host's main loop.
  void setClock(std::function<int64_t()> nowUs);
  // An absent device fails every open.
  void setPresent(bool present) { isPresent = present; }
  void setCapacity(int bytes) { capacity = bytes; }

  // For tests: the next writes return these results (bytes accepted, 0, or -1) regardless of
  // the queue; a result n > 0 keeps the first n bytes.
  void scriptWriteResults(std::vector<long> results);
  // For tests: SNDCTL_DSP_GETODELAY reports this instead of the real queue depth.
  void forceQueueDepth(std::optional<int> bytes);

  struct Settings {
    int format = 0;
    int channels = 0;
    int speed = 0;
    int syncs = 0;
  };
  Settings settings() const;
  // Bytes queued and not yet played, now.
  int queuedBytes() const;
  // Keeps every accepted block and write result from now on while on; off drops what was kept.
  void setRecording(bool on);
  // Gets every sample of the play-out timeline from its start, in order, each exactly once:
  // samples up to the time of each write as it happens, and up to `untilUs` at
  // flushPlayed(untilUs). Called with the model's lock held, on the thread that writes or
  // flushes; it must not call back into the model. nullptr: nothing is kept for it.
  using PlayedSink = std::function<void(const int8_t* samples, size_t count)>;
  void setPlayedSink(PlayedSink sink);
  void flushPlayed(int64_t untilUs);

  // Samples accepted by all writes so far, recording or not.
  int64_t samplesAccepted() const;
  // With recording on: every accepted sample in order, and every write call's result.
  std::vector<int8_t> acceptedSamples() const;
  std::vector<long> writeResults() const;
  struct Block {
    int64_t playStartUs;
    int64_t startSample;  // position on the 12000 Hz play-out timeline
    std::vector<int8_t> samples;
  };
  std::vector<Block> blocks() const;
  // With recording on: what the loudspeaker played from `fromUs` to `toUs`, one sample per
  // 1/12000 s, 0 where nothing was queued.
  std::vector<int8_t> timeline(int64_t fromUs, int64_t toUs) const;
  // Times the queue ran empty after the first block until `untilUs` (underruns).
  int underruns(int64_t untilUs) const;

  int open(int flags) override;
  void close(int handle) override;
  ssize_t read(int handle, void* buf, size_t count) override;
  ssize_t write(int handle, const void* buf, size_t count) override;
  int ioctl(int handle, unsigned long request, void* arg) override;

 private:
  int64_t now() const;
  int queuedAt(int64_t t) const;
  static int64_t sampleAt(int64_t us) { return us * kRate / 1000000; }
  // Hands the play-out timeline before `sample` to the sink and forgets what it handed.
  void emitUntil(int64_t sample);

  mutable std::mutex mutex;
  std::function<int64_t()> clock;
  bool isPresent = true;
  int capacity = 8192;
  Settings current;
  int64_t queueEndSample = 0;  // timeline sample at which the queue runs empty
  std::deque<long> scriptedWrites;
  std::optional<int> forcedDepth;
  bool recording = false;
  std::vector<Block> played;  // recording only
  std::vector<long> results;  // recording only
  PlayedSink sink;
  std::deque<Block> unplayed;  // accepted and not yet handed to the sink (at most a queue full)
  int64_t emitted = 0;         // timeline samples handed to the sink
  int64_t acceptedInAll = 0;   // samples taken by all writes
  int nextHandle = 0;
};
