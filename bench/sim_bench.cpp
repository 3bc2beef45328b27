// The simulator's costs with the real plug-in module loaded: one frame of the finder as the
// window shows it (the renderer, with the panel), loading the largest shipped profile, and
// scripted runs of virtual time through the script runner: with the tone playing, with the
// tone thread idle (box unticked) and with no audio device; in one long wait and in 250 ms
// steps.
//   sim_bench [--virtual-seconds=N] [benchmark flags]
// N is the virtual time of each scripted run (default 3600, an hour); CI runs a short one.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "dump/host_windows.h"
#include "profile/profile.h"
#include "script/script.h"
#include "script/script_runner.h"
#include "simulation.h"

#ifndef VEVOVUVADO_MODULE_PATH
#error "VEVOVUVADO_MODULE_PATH: the build passes the plug-in module's path"
#endif
#ifndef VEVOVUVADO_SOURCE_DIR
#error "VEVOVUVADO_SOURCE_DIR: the build passes the source folder (for profiles/)"
#endif

namespace {
constexpr long kSettleMs = 2000;  // the finder tunes, locks and shows readings
constexpr long kStepMs = 250;     // one refresh period

// Drives the finder's modal loop: lets the display settle, runs `work` once, then closes it.
class SettleThenRun : public eInputDriver {
 public:
  SettleThenRun(Simulation& s, std::function<void()> w) : simulation(s), work(std::move(w)) {}
  void idle(eMainloop& loop) override {
    if (step == 0) {
      ++step;
      simulation.beforeTimePasses();
      loop.advance(kSettleMs);
      return;
    }
    if (step == 1) {
      ++step;
      work();
    }
    loop.postKey(eKey::exit);
  }
  bool ran() const { return step > 1; }

 private:
  Simulation& simulation;
  std::function<void()> work;
  int step = 0;
};

// Every frame allocates its surface and image anew (2.3 MB each). Whether the allocator keeps
// that memory between frames or hands it back and faults it in again decides between a fast
// and a slow frame, so each case is set explicitly: left alone, the heap's layout picks one.
enum class FrameMemory { kept, fresh };

void setFrameMemory(FrameMemory memory) {
  constexpr int kAboveAFrame = 16 << 20;
  constexpr int kBelowAFrame = 1 << 20;
  if (memory == FrameMemory::kept) {
    mallopt(M_MMAP_THRESHOLD, kAboveAFrame);
    mallopt(M_TRIM_THRESHOLD, 4 * kAboveAFrame);
  } else {
    mallopt(M_MMAP_THRESHOLD, kBelowAFrame);
  }
}

// Back to the allocator's own start values (its dynamic threshold stays off).
void resetFrameMemory() {
  constexpr int kDefaultThreshold = 128 << 10;
  mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
  mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
}

void BM_RenderFrame(benchmark::State& state, FrameMemory memory) {
  setFrameMemory(memory);
  debuglog::setSink([](const std::string&) {});
  Profile profile = defaultProfile();
  profile.audioDevice = false;  // no tone thread spinning beside the renderer
  {
    Simulation simulation(profile, eMainloop::Time::virtualTime);
    std::string error;
    if (!simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    SettleThenRun driver(simulation, [&] {
      if (!finderWindow()) {
        state.SkipWithError("no finder window to draw");
        return;
      }
      for (auto _ : state) {
        Image frame = simulation.render(true);
        benchmark::DoNotOptimize(frame.argb.data());
      }
      const Image frame = simulation.render(true);
      state.SetLabel(std::to_string(frame.width) + "x" + std::to_string(frame.height));
    });
    simulation.runPlugin(driver);
    if (!driver.ran())
      state.SkipWithError("the finder closed before the frame was drawn");
  }
  debuglog::clear();
  debuglog::setSink(nullptr);
  resetFrameMemory();
}
BENCHMARK_CAPTURE(BM_RenderFrame, memory_kept, FrameMemory::kept)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderFrame, memory_fresh, FrameMemory::fresh)->Unit(benchmark::kMillisecond);

// The largest file in profiles/, or "" when there is none.
std::string largestProfile() {
  namespace fs = std::filesystem;
  std::string best;
  std::uintmax_t bestSize = 0;
  std::error_code failed;
  for (const auto& entry : fs::directory_iterator(VEVOVUVADO_SOURCE_DIR "/profiles", failed)) {
    if (entry.path().extension() == ".json" && entry.file_size() > bestSize) {
      bestSize = entry.file_size();
      best = entry.path().string();
    }
  }
  return best;
}

void BM_LoadLargestProfile(benchmark::State& state) {
  const std::string path = largestProfile();
  if (path.empty()) {
    state.SkipWithError("no profile in profiles/");
    return;
  }
  for (auto _ : state) {
    Profile profile;
    std::string error;
    if (!loadProfile(path, &profile, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(profile.networks.data());
  }
  const std::filesystem::path file(path);
  state.SetLabel(file.filename().string() + ", " +
                 std::to_string(std::filesystem::file_size(file)) + " bytes");
}
BENCHMARK(BM_LoadLargestProfile)->Unit(benchmark::kMicrosecond);

enum class Tone { on, idle, noDevice };

struct ScriptedRun {
  Tone tone;
  bool inSteps;  // 250 ms waits instead of one
  long virtualSeconds;
};

std::string scriptText(const ScriptedRun& run) {
  // Close to the satellite: locked, a pitch of about 10 dB, the refresh doing all its work.
  std::string text = "dish 0.2 0.1\n";
  if (run.tone == Tone::on)
    text += "toggle sound\n";
  if (run.inSteps) {
    const long steps = run.virtualSeconds * 1000 / kStepMs;
    text.reserve(text.size() + static_cast<size_t>(steps) * 9);
    for (long i = 0; i < steps; ++i)
      text += "wait 250\n";
  } else {
    text += "wait " + std::to_string(run.virtualSeconds * 1000) + "\n";
  }
  return text;
}

// One iteration: a fresh simulated receiver, the module loaded, the script run to its end and
// the finder closed. The counters say what happened, so a broken run cannot pass for a fast one.
void BM_ScriptedTime(benchmark::State& state, ScriptedRun run) {
  debuglog::setSink([](const std::string&) {});
  Script script;
  std::string error;
  if (!parseScript(scriptText(run), "bench", &script, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Profile profile = defaultProfile();
  profile.audioDevice = run.tone != Tone::noDevice;

  double wallSeconds = 0;
  double refreshes = 0;
  double playedSeconds = 0;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    auto simulation = std::make_unique<Simulation>(profile, eMainloop::Time::virtualTime);
    if (!simulation->loadModule(VEVOVUVADO_MODULE_PATH, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    ScriptRunner runner(script, "bench", *simulation);
    simulation->runPlugin(runner);
    wallSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    state.PauseTiming();
    runner.checkAllRan();
    if (runner.failed()) {
      state.SkipWithError(runner.error().c_str());
      break;
    }
    refreshes += simulation->deviceModels().frontend.queries();
    playedSeconds +=
        static_cast<double>(simulation->deviceModels().audio.acceptedSamples().size()) /
        OssAudioModel::kRate;
    simulation.reset();
    debuglog::clear();
    state.ResumeTiming();
  }
  debuglog::setSink(nullptr);
  using benchmark::Counter;
  state.counters["refreshes"] = Counter(refreshes, Counter::kAvgIterations);
  state.counters["tone_s"] = Counter(playedSeconds, Counter::kAvgIterations);
  state.counters["wall_s_per_virtual_h"] = Counter(
      wallSeconds * 3600.0 / static_cast<double>(run.virtualSeconds), Counter::kAvgIterations);
}

void registerScriptedRuns(long virtualSeconds) {
  struct Variant {
    const char* name;
    Tone tone;
  };
  const Variant tones[] = {
      {"tone_on", Tone::on}, {"tone_idle", Tone::idle}, {"no_audio_device", Tone::noDevice}};
  for (const Variant& tone : tones) {
    for (bool inSteps : {false, true}) {
      const std::string name = std::string("BM_ScriptedTime/") + tone.name +
                               (inSteps ? "/steps_250ms" : "/one_wait") +
                               "/virtual_s:" + std::to_string(virtualSeconds);
      benchmark::RegisterBenchmark(name.c_str(), BM_ScriptedTime,
                                   ScriptedRun{tone.tone, inSteps, virtualSeconds})
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->MeasureProcessCPUTime();
    }
  }
}

// Takes --virtual-seconds=N out of argv; false when it is malformed.
bool takeVirtualSeconds(int* argc, char** argv, long* seconds) {
  constexpr const char* kFlag = "--virtual-seconds=";
  const size_t flagLength = std::strlen(kFlag);
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp(argv[i], kFlag, flagLength) != 0) {
      argv[kept++] = argv[i];
      continue;
    }
    char* end = nullptr;
    *seconds = std::strtol(argv[i] + flagLength, &end, 10);
    if (*end != '\0' || *seconds <= 0)
      return false;
  }
  *argc = kept;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  long virtualSeconds = 3600;
  if (!takeVirtualSeconds(&argc, argv, &virtualSeconds)) {
    std::fprintf(stderr, "sim_bench: --virtual-seconds takes a positive whole number\n");
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  registerScriptedRuns(virtualSeconds);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
