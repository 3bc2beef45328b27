// Plays the tone for 10 s against the OSS model draining in real time, stepping snr_sound once
// a second, and reports underruns, pitch error, the delay from a new snr_sound to the first
// sample played at the new pitch, and the tone thread's CPU time.

#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "host/host.h"
#include "host/receiver.h"
#include "plugin/my_ebeamseek.h"
#include "simulated_devices.h"
#include "tone/tone.h"
#include "tone_analysis.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int kSteps[] = {100, 40, 150, 70, 120, 30, 90, 160, 60, 110};
constexpr auto kSegment = std::chrono::seconds(1);
constexpr int64_t kSettleUs = 400000;  // skipped at the start of a segment for the pitch
constexpr double kHzPerStep = 12000.0 / 1024.0;

// The delay's bounds from the pass loop (docs/performance.md derives them): a new pitch plays
// after what the device holds at the change and after the block already filled. Between two
// underruns the device holds more than 2047 - 600 bytes (a block goes in at 2047 or fewer, and
// a 50 ms pass drains 600) and at most 2047 + 1024.
constexpr double kBytesPerMs = 12.0;
constexpr double kQueueLimit = 2047;
constexpr double kBlock = 1024;
constexpr double kPassDrain = 50 * kBytesPerMs;
constexpr double kBestDelayMs = (kQueueLimit - kPassDrain + kBlock) / kBytesPerMs;
constexpr double kWorstDelayMs = (kQueueLimit + 2 * kBlock) / kBytesPerMs;

int64_t nowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
      .count();
}

double threadCpuMs(pthread_t thread) {
  clockid_t clock;
  timespec ts{};
  if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &ts) != 0)
    return -1.0;
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct Run {
  int64_t tickUs = 0;
  int64_t endUs = 0;
  std::vector<int64_t> changeUs;
  double cpuMs = 0.0;
};

// The window as the satellite mode leaves it: a "Sound" box wired to SoundOnOff, then
// OpenSound; the box is ticked and the pitch stepped on schedule.
Run play() {
  Run run;
  auto window = std::make_unique<my_eBeamseek>(eFrontend::getInstance());
  window->soundBox = new eCheckbox(window.get(), 0, 1);
  window->soundBox->checked.connect(SigC::slot(*window, &my_eBeamseek::SoundOnOff));
  snr_sound = kSteps[0];
  window->OpenSound();
  window->soundBox->toggle();
  const Clock::time_point start = Clock::now();
  run.tickUs = nowUs();
  int index = 0;
  for (int step : kSteps) {
    std::this_thread::sleep_until(start + kSegment * index);
    snr_sound = step;
    run.changeUs.push_back(nowUs());
    ++index;
  }
  std::this_thread::sleep_until(start + kSegment * index);
  run.endUs = nowUs();
  run.cpuMs = threadCpuMs(sound_thread);
  window->soundBox->toggle();
  window.reset();
  return run;
}

void report(const Run& run, const SimulatedDevices& devices) {
  const auto blocks = devices.audio.blocks();
  const auto played = flatten(blocks);
  const double seconds = static_cast<double>(run.endUs - run.tickUs) / 1e6;

  std::printf("run: %.2f s ticked, %zu blocks written, %zu samples played\n", seconds,
              blocks.size(), played.size());
  if (blocks.size() < 2) {
    std::printf("the tone thread wrote nothing\n");
    return;
  }
  // Block 0 is OpenSound's silence; the thread's first block after the tick is silence too.
  // The model does not hold OpenSound in SNDCTL_DSP_SYNC as a device does, so the first block
  // may end before the thread's first write (two passes after its start): a pause between two
  // silences at start-up, reported apart from the underruns of the running tone.
  const OssAudioModel::Block& opening = blocks[0];
  const int64_t openingEndUs = opening.playStartUs + static_cast<int64_t>(opening.samples.size()) *
                                                         1000000 / OssAudioModel::kRate;
  std::printf(
      "start-up: the thread's first block plays %.1f ms after the tick, %.1f ms after "
      "OpenSound's silence ended\n",
      static_cast<double>(blocks[1].playStartUs - run.tickUs) / 1e3,
      static_cast<double>(blocks[1].playStartUs - openingEndUs) / 1e3);
  const Gaps gaps = gapsAfter(blocks, blocks[1].playStartUs);
  std::printf(
      "underruns once the thread plays: %d (silence %.1f ms); the model counts %d from its first "
      "block, start-up included\n",
      gaps.count, static_cast<double>(gaps.silentUs) / 1e3, devices.audio.underruns(run.endUs));
  if (gaps.count > 0) {
    std::printf("first underrun %.1f ms after the tick\n",
                static_cast<double>(gaps.firstUs - run.tickUs) / 1e3);
  }

  double worstHz = 0.0;
  std::printf("step   expected Hz   measured Hz   error Hz\n");
  for (size_t i = 0; i < run.changeUs.size(); ++i) {
    const int64_t from = run.changeUs[i] + kSettleUs;
    const int64_t to = i + 1 < run.changeUs.size() ? run.changeUs[i + 1] : run.endUs;
    const double expected = kSteps[i] * kHzPerStep;
    const double measured = fundamentalHz(played, from, to);
    worstHz = std::max(worstHz, std::abs(measured - expected));
    std::printf("%4d   %11.4f   %11.4f   %+8.4f\n", kSteps[i], expected, measured,
                measured - expected);
  }
  std::printf("pitch error, worst: %.4f Hz\n", worstHz);

  std::vector<double> delaysMs;
  for (size_t i = 1; i < run.changeUs.size(); ++i) {
    const long k = firstSampleWithStep(played, run.changeUs[i], kSteps[i]);
    if (k < 0) {
      std::printf("change %zu: new pitch never played\n", i);
      continue;
    }
    delaysMs.push_back(static_cast<double>(played[static_cast<size_t>(k)].atUs - run.changeUs[i]) /
                       1e3);
  }
  std::sort(delaysMs.begin(), delaysMs.end());
  if (!delaysMs.empty()) {
    std::printf(
        "delay to new pitch over %zu changes: median %.1f ms, best %.1f ms, worst %.1f ms\n",
        delaysMs.size(), delaysMs[delaysMs.size() / 2], delaysMs.front(), delaysMs.back());
    const bool inside = delaysMs.back() <= kWorstDelayMs;
    std::printf("bound without underruns: more than %.1f ms, at most %.2f ms: worst %s\n",
                kBestDelayMs, kWorstDelayMs, inside ? "inside" : "OUTSIDE");
  }
  std::printf("tone thread CPU: %.2f ms in %.2f s (%.3f %%)\n", run.cpuMs, seconds,
              run.cpuMs / (seconds * 10.0));
}
}  // namespace

int main() {
  eMainloop loop(eMainloop::Time::realTime);
  eApp = &loop;
  debuglog::setSink([](const std::string&) {});
  StandInReceiver receiver;
  receiver.install();
  receiver.setFrontendType(eFrontend::feSatellite);
  receiver.setServiceAvailable(false);  // the window's own set-up stops at once

  SimulatedDevices devices;
  SimulatedDevices::Installed seam(devices);
  devices.audio.setClock(nowUs);
  devices.audio.setRecording(true);  // the report reads every block back
  devices.setSleep(
      [](unsigned long us) { std::this_thread::sleep_for(std::chrono::microseconds(us)); });

  const Run run = play();
  report(run, devices);

  receiver.uninstall();
  debuglog::setSink(nullptr);
  eApp = nullptr;
  return 0;
}
