// One pass of the real tone thread with the sound on: the queue-depth request, the write of the
// prepared block and the fill of the next 1024 samples. The thread runs against a device that
// always has room and takes every block whole, and its 50 ms sleep is where the benchmark's
// next iteration begins, so what is timed is the pass itself, back to back.

#include <benchmark/benchmark.h>
#include <pthread.h>

#include "device_override.h"
#include "host/host.h"
#include "seam/device_requests.h"
#include "tone/tone.h"

namespace {
constexpr int kPitch = 100;  // 10 dB: 1171.875 Hz
constexpr int kSomeDescriptor = 7;
constexpr int kFullQueue = 5000;

class AlwaysReadyAudio : public DeviceSeam {
 public:
  explicit AlwaysReadyAudio(benchmark::State& s) : state(s) {}

  int open(const char*, int) override { return -1; }
  int close(int) override { return 0; }
  ssize_t read(int, void*, size_t) override { return -1; }
  ssize_t write(int, const void*, size_t count) override { return static_cast<ssize_t>(count); }
  int ioctl(int, unsigned long request, void* arg) override {
    if (request != kDspGetODelay)
      return -1;
    // Empty while the benchmark runs; full on the last pass, so it ends without a write.
    *static_cast<int*>(arg) = stopping ? kFullQueue : 0;
    return 0;
  }
  // Called by the tone thread at the start of every pass.
  void sleepMicroseconds(unsigned long) override {
    if (!state.KeepRunning()) {
      stopping = true;
      sound_run.store(0, std::memory_order_relaxed);
    }
  }
  // The thread runs on the real clock here: nothing to hand it over to.
  int createThread(pthread_t* thread, const pthread_attr_t* attr, void* (*entry)(void*),
                   void* arg) override {
    return pthread_create(thread, attr, entry, arg);
  }
  void beforeBusyWait() override {}

 private:
  benchmark::State& state;
  bool stopping = false;
};

// The timer runs on the tone thread; the process's CPU clock counts it while this thread waits.
void BM_TonePass(benchmark::State& state) {
  debuglog::setSink([](const std::string&) {});
  AlwaysReadyAudio audio(state);
  DeviceSeam* previous = installDevices(&audio);
  fillSineTable();
  snr_sound.store(kPitch, std::memory_order_relaxed);
  wave_phase = 0;
  sound_fd = kSomeDescriptor;
  sound_enable.store(1, std::memory_order_relaxed);
  sound_run.store(1, std::memory_order_relaxed);
  pthread_t thread;
  if (pthread_create(&thread, nullptr, VevovuvadoSoundThread, nullptr) != 0) {
    installDevices(previous);
    state.SkipWithError("no tone thread");
    return;
  }
  pthread_join(thread, nullptr);
  installDevices(previous);
  // The last block filled steps through the table at the pitch asked for.
  if ((phasebuffer[1] - phasebuffer[0] + kSineEntries) % kSineEntries != kPitch ||
      wavebuffer[1] != sinwave[phasebuffer[1]])
    state.SkipWithError("the pass did not fill a block at the pitch");
  sound_enable.store(0, std::memory_order_relaxed);
  debuglog::clear();
  debuglog::setSink(nullptr);
  state.SetItemsProcessed(state.iterations() * kBlockSamples);
}
BENCHMARK(BM_TonePass)->MeasureProcessCPUTime();
}  // namespace
