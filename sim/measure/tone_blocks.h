#pragma once
// The tone as the audio device played it, kept small: for every block the device accepted, its
// place on the device's play-out timeline and the rising zero crossings of its samples. That is
// enough to read each block's pitch back and to join blocks that play back to back into longer
// stretches, whose pitch is read more finely; the samples themselves are not kept.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// A stretch of played samples, positions counted in samples on the play-out timeline.
struct Crossings {
  int64_t firstSample = 0;  // where the stretch begins
  int64_t samples = 0;      // how long it is
  // The first and last rising zero crossing (from below 0 to 0 or above), linearly
  // interpolated between the two samples around it, and how many there are.
  double first = 0;
  double last = 0;
  int count = 0;
  int8_t head = 0;  // the stretch's first and last sample
  int8_t tail = 0;
  bool silent = true;  // every sample the same value (a step of 0 holds the output still)
};

// The crossings of `count` samples that begin at `firstSample`.
Crossings crossingsOf(const int8_t* samples, size_t count, int64_t firstSample);
// `a` followed at once by `b` (b begins where a ends): as crossingsOf() the samples of both.
Crossings joined(const Crossings& a, const Crossings& b);
// The fundamental in Hz at `sampleRate` from the crossings; 0 with fewer than two.
double crossingsHz(const Crossings& c, double sampleRate);

// The blocks the tone thread wrote, in the order written. Written from the tone thread, read
// from the GUI thread.
class ToneBlocks {
 public:
  struct Block {
    int64_t writtenUs = 0;  // loop time of the write
    Crossings crossings;
  };
  // Keeps at most `capacity` blocks (later ones are counted, not kept).
  explicit ToneBlocks(size_t capacity);

  // A block the device accepted at `writtenUs`, to play from `firstSample` on. The device
  // appends to its queue, so a block that starts within a sample of where the one before ends
  // continues it exactly.
  void add(int64_t writtenUs, int64_t firstSample, const int8_t* samples, size_t count);
  std::vector<Block> blocks() const;
  size_t dropped() const;

 private:
  mutable std::mutex mutex;
  size_t capacity;
  std::vector<Block> kept;
  size_t droppedBlocks = 0;
};
