// The plug-in's own costs on the GUI thread: one satellite refresh per chip on the device
// models (and on the real system calls where the receiver's devices are missing), one
// terrestrial refresh and one press of the green key. The tone thread's pass is in
// tone_pass_bench.cpp.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "bench_host.h"
#include "device_override.h"
#include "seam/device_seam.h"

namespace {
// Refreshes between two drops of the log and the bus record, which grow with every refresh.
constexpr int kDropEvery = 1024;

const char* chipName(int demodType) {
  return demodType == 0 ? "STV0299B" : "STV0288";
}

void BM_SatelliteRefresh(benchmark::State& state) {
  BenchHost host;
  const int demodType = static_cast<int>(state.range(0));
  auto window = host.openSatelliteWindow(demodType);
  if (window->demodType != demodType || !window->currentTP) {
    state.SkipWithError("the finder did not come up on the chip and transponder asked for");
    return;
  }
  int refreshes = 0;
  for (auto _ : state) {
    window->update();
    if (++refreshes % kDropEvery == 0)
      host.dropRecords();
  }
  if (!BenchHost::showsTheSignal(*window))
    state.SkipWithError("the refresh did not show the signal");
  state.SetLabel(chipName(demodType));
}
BENCHMARK(BM_SatelliteRefresh)->ArgName("demodType")->Arg(0)->Arg(1);

// The same refresh with nothing behind the seam: every open of the bus and of the frontend
// fails at once, as on a machine without the receiver's devices. Registered only where those
// paths are missing, so it never talks to real hardware.
void BM_SatelliteRefreshSystemCalls(benchmark::State& state) {
  BenchHost host;
  auto window = host.openSatelliteWindow(0);
  DeviceSeam* models = installDevices(nullptr);
  int refreshes = 0;
  for (auto _ : state) {
    window->update();
    if (++refreshes % kDropEvery == 0)
      host.dropRecords();
  }
  installDevices(models);
  // Every read failed, the status byte with them: no lock.
  if (window->lockBox->isChecked())
    state.SkipWithError("a refresh reached a device");
  state.SetLabel("devices missing");
}

void BM_TerrestrialRefresh(benchmark::State& state) {
  BenchHost host;
  auto window = host.openTerrestrialWindow();
  if (window->demodType != 2 || !window->snrBar) {
    state.SkipWithError("the terrestrial finder did not come up");
    return;
  }
  int refreshes = 0;
  for (auto _ : state) {
    window->my_terr_update();
    if (++refreshes % kDropEvery == 0)
      host.dropRecords();
  }
  if (!BenchHost::showsTheSignal(*window))
    state.SkipWithError("the refresh did not show the signal");
}
BENCHMARK(BM_TerrestrialRefresh);

// Each call toggles: the figure is the mean of going compact and coming back.
void BM_SwichtSkinExec(benchmark::State& state) {
  BenchHost host;
  auto window = host.openSatelliteWindow(0);
  int presses = 0;
  for (auto _ : state) {
    window->SwichtSkinExec();
    if (++presses % kDropEvery == 0)
      host.dropRecords();
  }
  if (window->compactView != static_cast<int>(state.iterations() % 2))
    state.SkipWithError("a press did not toggle the layout");
}
BENCHMARK(BM_SwichtSkinExec);

bool exists(const char* path) {
  return access(path, F_OK) == 0;
}
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  if (!exists(devpath::kI2cBus) && !exists(devpath::kFrontend)) {
    benchmark::RegisterBenchmark("BM_SatelliteRefreshSystemCalls", BM_SatelliteRefreshSystemCalls);
  } else {
    std::fprintf(stderr, "BM_SatelliteRefreshSystemCalls left out: %s or %s exists here\n",
                 devpath::kI2cBus, devpath::kFrontend);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
