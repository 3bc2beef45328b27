// The soak: a generated script of about 100000 refreshes with random faults on all three
// devices, retunes, the green key, the "Sound" box and dish moves, run on the built-in
// receiver with the plug-in module loaded as the simulator loads it. It checks the descriptors
// all along (see sim/soak/soak_run.h) and reports the wall time and resident memory; with
// --max-growth-kb it fails when memory grew more than that after the warm-up.
//
//   sim_soak [--refreshes N] [--seed S] [--max-growth-kb K] [--write-script FILE]
//
// --write-script only writes the script, for running it through vevovuvado-sim itself.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "profile/profile.h"
#include "soak/soak_run.h"
#include "soak/soak_script.h"

#ifndef VEVOVUVADO_MODULE_PATH
#error "VEVOVUVADO_MODULE_PATH: the build passes the plug-in module's path"
#endif

namespace {
// Memory is compared from this check on: the allocator and the lists have settled by then.
constexpr long kWarmUpChecks = 1000;

int usage() {
  std::fputs(
      "usage: sim_soak [--refreshes N] [--seed S] [--max-growth-kb K] [--write-script FILE]\n",
      stderr);
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  SoakPlan plan;
  long maxGrowthKb = -1;
  std::string scriptOut;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc)
      return usage();
    const char* value = argv[++i];
    if (arg == "--refreshes") {
      plan.refreshes = std::atol(value);
    } else if (arg == "--seed") {
      plan.seed = static_cast<uint32_t>(std::strtoul(value, nullptr, 10));
    } else if (arg == "--max-growth-kb") {
      maxGrowthKb = std::atol(value);
    } else if (arg == "--write-script") {
      scriptOut = value;
    } else {
      return usage();
    }
  }
  if (plan.refreshes <= 0)
    return usage();

  const std::string text = soakScript(plan);
  if (!scriptOut.empty()) {
    std::ofstream(scriptOut) << text;
    return 0;
  }
  Script script;
  std::string error;
  if (!parseScript(text, "soak", &script, &error)) {
    std::fprintf(stderr, "sim_soak: %s\n", error.c_str());
    return 1;
  }
  debuglog::setSink([](const std::string&) {});

  const auto started = std::chrono::steady_clock::now();
  SoakResult result;
  long virtualMs = 0;
  {
    Simulation simulation(defaultProfile(), eMainloop::Time::virtualTime);
    if (!simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) {
      std::fprintf(stderr, "sim_soak: %s\n", error.c_str());
      return 1;
    }
    result = runSoak(simulation, script, kWarmUpChecks);
    virtualMs = simulation.loop().nowMs();
  }
  const double wallS =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  debuglog::setSink(nullptr);

  const long growthKb = result.rssPeakKb - result.rssWarmKb;
  std::printf("soak: %ld refreshes (seed %u), %zu script lines, %.0f s of virtual time\n",
              plan.refreshes, plan.seed, script.commands.size(), virtualMs / 1000.0);
  std::printf("wall time: %.2f s\n", wallS);
  std::printf("checks of the open window: %ld, with descriptors not as they should be: %ld%s%s\n",
              result.checks, result.badChecks, result.badChecks ? ", first " : "",
              result.firstBad.c_str());
  std::printf("descriptors open after the finder closed: %d\n", result.openAfter);
  std::printf(
      "resident memory: %.1f MB at the start, %.1f MB after the warm-up, %.1f MB at "
      "most, %.1f MB at the end; growth after the warm-up %ld KB\n",
      result.rssFirstKb / 1024.0, result.rssWarmKb / 1024.0, result.rssPeakKb / 1024.0,
      result.rssEndKb / 1024.0, growthKb);

  bool ok = true;
  if (!result.ran) {
    std::printf("FAIL: the script stopped: %s\n", result.error.c_str());
    ok = false;
  }
  if (result.badChecks != 0 || result.openAfter != 0) {
    std::printf("FAIL: descriptors left open\n");
    ok = false;
  }
  if (maxGrowthKb >= 0 && growthKb > maxGrowthKb) {
    std::printf("FAIL: memory grew by %ld KB, more than %ld KB\n", growthKb, maxGrowthKb);
    ok = false;
  }
  return ok ? 0 : 1;
}
