// One frame of the finder as the simulator's window shows it: the renderer, with the panel,
// on the real plug-in module after the display has settled.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <functional>
#include <string>

#include "dump/host_windows.h"
#include "profile/profile.h"
#include "simulation.h"
#include "window_frames.h"
#include "window_layout.h"

#ifndef VEVOVUVADO_MODULE_PATH
#error "VEVOVUVADO_MODULE_PATH: the build passes the plug-in module's path"
#endif

namespace {
constexpr long kSettleMs = 2000;  // the finder tunes, locks and shows readings

// Drives the finder's modal loop: lets the display settle, runs `work` once, then closes it.
class SettleThenRun : public eInputDriver {
 public:
  SettleThenRun(Simulation& s, std::function<void()> w) : simulation(s), work(std::move(w)) {}
  void idle(eMainloop& loop) override {
    if (step == 0) {
      ++step;
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
      resetFrameMemory();
      return;
    }
    SettleThenRun driver(simulation, [&] {
      if (!finderWindow()) {
        state.SkipWithError("no finder window to draw");
        return;
      }
      for (auto _ : state) {
        Image frame = simulation.window(kDefaultWindowWidth, kDefaultWindowHeight);
        benchmark::DoNotOptimize(frame.argb.data());
      }
      const Image frame = simulation.window(kDefaultWindowWidth, kDefaultWindowHeight);
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

// The window's frames as the simulator draws them now, kept between frames: after each
// refresh of the finder (its widgets and the panel's chart change: what an idle window draws
// four times a second), or with nothing changed (what every idle turn checks).
enum class FrameCase { afterRefresh, unchanged };

void BM_WindowFrame(benchmark::State& state, FrameCase which) {
  debuglog::setSink([](const std::string&) {});
  Profile profile = defaultProfile();
  profile.audioDevice = false;
  {
    Simulation simulation(profile, eMainloop::Time::virtualTime);
    std::string error;
    if (!simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    SettleThenRun driver(simulation, [&] {
      WindowFrames frames;
      frames.draw(simulation, kDefaultWindowWidth, kDefaultWindowHeight);
      size_t changedPixels = 0;
      for (auto _ : state) {
        if (which == FrameCase::afterRefresh) {
          simulation.loop().advance(250);
          if (!frames.stale(simulation, kDefaultWindowWidth, kDefaultWindowHeight)) {
            state.SkipWithError("a refresh changed nothing on the window");
            break;
          }
          for (const PixelRect& r :
               frames.draw(simulation, kDefaultWindowWidth, kDefaultWindowHeight))
            changedPixels += static_cast<size_t>(r.width) * static_cast<size_t>(r.height);
        } else if (frames.stale(simulation, kDefaultWindowWidth, kDefaultWindowHeight)) {
          state.SkipWithError("an unchanged window wants a frame");
          break;
        }
      }
      if (which == FrameCase::afterRefresh && state.iterations() > 0)
        state.counters["changed_pixels"] =
            static_cast<double>(changedPixels) / static_cast<double>(state.iterations());
    });
    simulation.runPlugin(driver);
    if (!driver.ran())
      state.SkipWithError("the finder closed before the frame was drawn");
  }
  debuglog::clear();
  debuglog::setSink(nullptr);
}
BENCHMARK_CAPTURE(BM_WindowFrame, after_refresh, FrameCase::afterRefresh)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowFrame, unchanged, FrameCase::unchanged)->Unit(benchmark::kMicrosecond);
}  // namespace
