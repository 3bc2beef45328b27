// The simulator's benchmarks: a frame of the renderer, loading the largest profile, and
// scripted runs of virtual time with the real plug-in module.
//   sim_bench [--virtual-seconds=N] [benchmark flags]
// N is the virtual time of each scripted run (default 3600, an hour); CI runs a short one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scripted_time_bench.h"

namespace {
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
