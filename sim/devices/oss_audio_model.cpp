#include "oss_audio_model.h"

#include <algorithm>
#include <chrono>

#include "host/emainloop.h"
#include "seam/device_requests.h"

namespace {
int64_t samplesToUs(int64_t samples) {
  return samples * 1000000 / OssAudioModel::kRate;
}

// Silence goes to the sink in pieces of this size, however long it lasts.
constexpr size_t kSilenceChunk = 4096;
const int8_t kSilence[kSilenceChunk] = {};
}  // namespace

void OssAudioModel::setClock(std::function<int64_t()> nowUs) {
  std::lock_guard<std::mutex> lock(mutex);
  clock = std::move(nowUs);
}

int64_t OssAudioModel::now() const {
  if (clock)
    return clock();
  if (eApp)
    return eApp->nowUs();
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int OssAudioModel::queuedAt(int64_t t) const {
  const int64_t playing = sampleAt(t);
  return queueEndSample <= playing ? 0 : static_cast<int>(queueEndSample - playing);
}

void OssAudioModel::scriptWriteResults(std::vector<long> r) {
  std::lock_guard<std::mutex> lock(mutex);
  scriptedWrites.assign(r.begin(), r.end());
}

void OssAudioModel::forceQueueDepth(std::optional<int> bytes) {
  std::lock_guard<std::mutex> lock(mutex);
  forcedDepth = bytes;
}

void OssAudioModel::setRecording(bool on) {
  std::lock_guard<std::mutex> lock(mutex);
  recording = on;
  if (!on) {
    played = {};
    results = {};
  }
}

void OssAudioModel::setPlayedSink(PlayedSink s) {
  std::lock_guard<std::mutex> lock(mutex);
  sink = std::move(s);
  if (!sink)
    unplayed.clear();
}

void OssAudioModel::flushPlayed(int64_t untilUs) {
  std::lock_guard<std::mutex> lock(mutex);
  emitUntil(sampleAt(untilUs));
}

void OssAudioModel::emitUntil(int64_t sample) {
  if (!sink)
    return;
  while (emitted < sample) {
    if (!unplayed.empty() && unplayed.front().startSample <= emitted) {
      const Block& b = unplayed.front();
      const int64_t end = b.startSample + static_cast<int64_t>(b.samples.size());
      const int64_t upTo = std::min(end, sample);
      sink(b.samples.data() + (emitted - b.startSample), static_cast<size_t>(upTo - emitted));
      emitted = upTo;
      if (emitted == end)
        unplayed.pop_front();
      continue;
    }
    // Silence up to the next block or the limit.
    const int64_t gapEnd =
        unplayed.empty() ? sample : std::min(sample, unplayed.front().startSample);
    const size_t n = static_cast<size_t>(std::min<int64_t>(gapEnd - emitted, kSilenceChunk));
    sink(kSilence, n);
    emitted += static_cast<int64_t>(n);
  }
}

OssAudioModel::Settings OssAudioModel::settings() const {
  std::lock_guard<std::mutex> lock(mutex);
  return current;
}

int OssAudioModel::queuedBytes() const {
  std::lock_guard<std::mutex> lock(mutex);
  return queuedAt(now());
}

int64_t OssAudioModel::samplesAccepted() const {
  std::lock_guard<std::mutex> lock(mutex);
  return acceptedInAll;
}

std::vector<int8_t> OssAudioModel::acceptedSamples() const {
  std::lock_guard<std::mutex> lock(mutex);
  std::vector<int8_t> all;
  for (const Block& b : played)
    all.insert(all.end(), b.samples.begin(), b.samples.end());
  return all;
}

std::vector<long> OssAudioModel::writeResults() const {
  std::lock_guard<std::mutex> lock(mutex);
  return results;
}

std::vector<OssAudioModel::Block> OssAudioModel::blocks() const {
  std::lock_guard<std::mutex> lock(mutex);
  return played;
}

std::vector<int8_t> OssAudioModel::timeline(int64_t fromUs, int64_t toUs) const {
  std::lock_guard<std::mutex> lock(mutex);
  const int64_t origin = sampleAt(fromUs);
  const int64_t count = std::max<int64_t>(0, sampleAt(toUs) - origin);
  std::vector<int8_t> out(static_cast<size_t>(count), 0);
  for (const Block& b : played) {
    const int64_t first = b.startSample - origin;
    for (size_t i = 0; i < b.samples.size(); ++i) {
      const int64_t at = first + static_cast<int64_t>(i);
      if (at >= 0 && at < count)
        out[static_cast<size_t>(at)] = b.samples[i];
    }
  }
  return out;
}

int OssAudioModel::underruns(int64_t untilUs) const {
  std::lock_guard<std::mutex> lock(mutex);
  int gaps = 0;
  for (size_t i = 1; i < played.size(); ++i) {
    const Block& prev = played[i - 1];
    const int64_t prevEnd = prev.startSample + static_cast<int64_t>(prev.samples.size());
    if (played[i].startSample > prevEnd && prevEnd < sampleAt(untilUs))
      ++gaps;
  }
  return gaps;
}

int OssAudioModel::open(int /*flags*/) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!isPresent)
    return -1;
  return nextHandle++;
}

void OssAudioModel::close(int /*handle*/) {}

ssize_t OssAudioModel::read(int, void*, size_t) {
  return -1;
}

ssize_t OssAudioModel::write(int /*handle*/, const void* buf, size_t count) {
  std::lock_guard<std::mutex> lock(mutex);
  const int64_t t = now();
  long accepted;
  if (!scriptedWrites.empty()) {
    accepted = std::min<long>(scriptedWrites.front(), static_cast<long>(count));
    scriptedWrites.pop_front();
  } else if (faults.write) {
    accepted = -1;
  } else {
    const int room = capacity - queuedAt(t);
    accepted = std::clamp<long>(room, 0, static_cast<long>(count));
    if (accepted == 0)
      accepted = -1;  // EAGAIN on a full non-blocking device
  }
  // What played before this moment is final: nothing written from now on can go before it.
  emitUntil(sampleAt(t));
  if (recording)
    results.push_back(accepted);
  if (accepted > 0) {
    acceptedInAll += accepted;
    const int64_t start = std::max(sampleAt(t), queueEndSample);
    const auto* bytes = static_cast<const int8_t*>(buf);
    Block block{samplesToUs(start), start, std::vector<int8_t>(bytes, bytes + accepted)};
    if (recording)
      played.push_back(block);
    if (sink)
      unplayed.push_back(std::move(block));
    queueEndSample = start + accepted;
  }
  return accepted;
}

int OssAudioModel::ioctl(int /*handle*/, unsigned long request, void* arg) {
  std::lock_guard<std::mutex> lock(mutex);
  if (faults.ioctl)
    return -1;
  int* value = static_cast<int*>(arg);
  if (request == kDspSetFmt && value) {
    current.format = *value;
  } else if (request == kDspChannels && value) {
    current.channels = *value;
  } else if (request == kDspSpeed && value) {
    current.speed = *value;
  } else if (request == kDspSync) {
    // The real request blocks until the queue has played; time here is the host's, so the
    // queue simply keeps its schedule.
    ++current.syncs;
  } else if (request == kDspGetODelay && value) {
    *value = forcedDepth ? *forcedDepth : queuedAt(now());
  } else {
    return -1;
  }
  return 0;
}
