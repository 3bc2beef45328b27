#include "tone_blocks.h"

#include <cstdlib>

Crossings crossingsOf(const int8_t* samples, size_t count, int64_t firstSample) {
  Crossings c;
  c.firstSample = firstSample;
  c.samples = static_cast<int64_t>(count);
  if (count == 0)
    return c;
  c.head = samples[0];
  c.tail = samples[count - 1];
  for (size_t i = 1; i < count; ++i) {
    const double a = samples[i - 1];
    const double b = samples[i];
    if (a != b)
      c.silent = false;
    if (a < 0 && b >= 0) {
      const double at =
          static_cast<double>(firstSample) + static_cast<double>(i - 1) + (-a) / (b - a);
      if (c.count == 0)
        c.first = at;
      c.last = at;
      ++c.count;
    }
  }
  return c;
}

Crossings joined(const Crossings& a, const Crossings& b) {
  if (a.samples == 0)
    return b;
  if (b.samples == 0)
    return a;
  Crossings c;
  c.firstSample = a.firstSample;
  c.samples = a.samples + b.samples;
  c.head = a.head;
  c.tail = b.tail;
  c.silent = a.silent && b.silent && a.tail == b.head;
  c.count = a.count;
  c.first = a.first;
  c.last = a.last;
  // The crossing between the last sample of `a` and the first of `b`.
  if (a.tail < 0 && b.head >= 0) {
    const double at = static_cast<double>(b.firstSample - 1) +
                      (-static_cast<double>(a.tail)) / (static_cast<double>(b.head) - a.tail);
    if (c.count == 0)
      c.first = at;
    c.last = at;
    ++c.count;
  }
  if (b.count > 0) {
    if (c.count == 0)
      c.first = b.first;
    c.last = b.last;
    c.count += b.count;
  }
  return c;
}

double crossingsHz(const Crossings& c, double sampleRate) {
  if (c.count < 2 || c.last <= c.first)
    return 0.0;
  return sampleRate * (c.count - 1) / (c.last - c.first);
}

ToneBlocks::ToneBlocks(size_t cap) : capacity(cap) {
  kept.reserve(capacity);
}

void ToneBlocks::add(int64_t writtenUs, int64_t firstSample, const int8_t* samples, size_t count) {
  std::lock_guard<std::mutex> lock(mutex);
  if (kept.size() >= capacity) {
    ++droppedBlocks;
    return;
  }
  if (!kept.empty()) {
    const Crossings& before = kept.back().crossings;
    const int64_t end = before.firstSample + before.samples;
    if (std::llabs(firstSample - end) <= 1)
      firstSample = end;
  }
  kept.push_back({writtenUs, crossingsOf(samples, count, firstSample)});
}

std::vector<ToneBlocks::Block> ToneBlocks::blocks() const {
  std::lock_guard<std::mutex> lock(mutex);
  return kept;
}

size_t ToneBlocks::dropped() const {
  std::lock_guard<std::mutex> lock(mutex);
  return droppedBlocks;
}
