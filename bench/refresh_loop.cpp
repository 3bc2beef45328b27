// Runs COUNT refreshes of one kind on the device models and nothing else worth counting, for
// refresh_instructions.sh to count their instructions under callgrind:
//   refresh_loop stv0299b|stv0288|terrestrial COUNT
// Exit code 0 when the refreshes showed the signal, 1 when they did not, 2 on bad arguments.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_host.h"

namespace {
constexpr int kDropEvery = 1024;

int usage() {
  std::fprintf(stderr, "usage: refresh_loop stv0299b|stv0288|terrestrial COUNT\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3)
    return usage();
  const char* kind = argv[1];
  char* end = nullptr;
  const long count = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || count < 0)
    return usage();

  BenchHost host;
  const bool terrestrial = std::strcmp(kind, "terrestrial") == 0;
  std::unique_ptr<my_eBeamseek> window;
  if (terrestrial) {
    window = host.openTerrestrialWindow();
  } else if (std::strcmp(kind, "stv0299b") == 0) {
    window = host.openSatelliteWindow(0);
  } else if (std::strcmp(kind, "stv0288") == 0) {
    window = host.openSatelliteWindow(1);
  } else {
    return usage();
  }

  for (long i = 1; i <= count; ++i) {
    if (terrestrial) {
      window->my_terr_update();
    } else {
      window->update();
    }
    if (i % kDropEvery == 0)
      host.dropRecords();
  }
  if (count > 0 && !BenchHost::showsTheSignal(*window)) {
    std::fprintf(stderr, "refresh_loop: the %s refresh did not show the signal\n", kind);
    return 1;
  }
  return 0;
}
