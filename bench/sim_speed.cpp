// How fast virtual time runs: scripts on the built-in receiver with the tone thread running,
// the plug-in module loaded as the simulator loads it, timed on the wall clock and in CPU
// time (both threads). Each case runs --repeat times (default 3); the best and the median
// run are shown, since a shared machine slows some runs down.
//
//   sim_speed [--repeat N]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/simulation.h"
#include "profile/profile.h"
#include "script/script_runner.h"

#ifndef VEVOVUVADO_MODULE_PATH
#error "VEVOVUVADO_MODULE_PATH: the build passes the plug-in module's path"
#endif

namespace {
struct Case {
  const char* name;
  bool sound;
  long stepMs;   // one wait line per step
  long totalMs;  // virtual time in all
};

const Case kCases[] = {
    {"1 h, one wait, sound ticked", true, 3600000, 3600000},
    {"1 h, 250 ms waits, sound ticked", true, 250, 3600000},
    {"1 h, one wait, sound not ticked", false, 3600000, 3600000},
    {"100000 refreshes, sound ticked", true, 3600000, 100000L * 250},
};

std::string scriptFor(const Case& c) {
  std::string text = "dish 0 0\n";
  if (c.sound)
    text += "toggle sound\n";
  for (long done = 0; done < c.totalMs; done += c.stepMs)
    text += "wait " + std::to_string(std::min(c.stepMs, c.totalMs - done)) + "\n";
  return text;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto s = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return s(usage.ru_utime) + s(usage.ru_stime);
}

struct Timing {
  double wallS;
  double cpuS;
};

Timing runOnce(const Script& script) {
  std::string error;
  Simulation simulation(defaultProfile(), eMainloop::Time::virtualTime);
  if (!simulation.loadModule(VEVOVUVADO_MODULE_PATH, &error)) {
    std::fprintf(stderr, "sim_speed: %s\n", error.c_str());
    std::exit(1);
  }
  ScriptRunner runner(script, "speed", simulation);
  const double cpuBefore = cpuSeconds();
  const auto before = std::chrono::steady_clock::now();
  simulation.runPlugin(runner);
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
  if (runner.failed()) {
    std::fprintf(stderr, "sim_speed: %s\n", runner.error().c_str());
    std::exit(1);
  }
  return {wall, cpuSeconds() - cpuBefore};
}
}  // namespace

int main(int argc, char** argv) {
  int repeat = 3;
  if (argc == 3 && std::string(argv[1]) == "--repeat") {
    repeat = std::max(1, std::atoi(argv[2]));
  } else if (argc != 1) {
    std::fputs("usage: sim_speed [--repeat N]\n", stderr);
    return 2;
  }
  debuglog::setSink([](const std::string&) {});
  std::printf("%-34s %10s %10s %10s %12s\n", "case", "wall best", "wall med", "cpu med",
              "wall/hour");
  for (const Case& c : kCases) {
    Script script;
    std::string error;
    if (!parseScript(scriptFor(c), c.name, &script, &error)) {
      std::fprintf(stderr, "sim_speed: %s\n", error.c_str());
      return 1;
    }
    std::vector<Timing> runs;
    for (int i = 0; i < repeat; ++i)
      runs.push_back(runOnce(script));
    std::sort(runs.begin(), runs.end(),
              [](const Timing& a, const Timing& b) { return a.wallS < b.wallS; });
    const Timing& median = runs[runs.size() / 2];
    std::printf("%-34s %9.2fs %9.2fs %9.2fs %11.2fs\n", c.name, runs.front().wallS, median.wallS,
                median.cpuS, runs.front().wallS * 3600000.0 / c.totalMs);
  }
  debuglog::setSink(nullptr);
  return 0;
}
