#include "scripted_time_bench.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "profile/profile.h"
#include "script/script.h"
#include "script/script_runner.h"
#include "simulation.h"

#ifndef VEVOVUVADO_MODULE_PATH
#error "VEVOVUVADO_MODULE_PATH: the build passes the plug-in module's path"
#endif

namespace {
constexpr long kStepMs = 250;  // one refresh period

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
    playedSeconds += static_cast<double>(simulation->deviceModels().audio.samplesAccepted()) /
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
}  // namespace

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
