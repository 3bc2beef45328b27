// How late this machine wakes a thread that sleeps until a moment on the steady clock: a timer
// cannot fire before the main loop wakes, which is why the loop waits the last 2 ms before a
// timer awake. Measured two ways, every wake 100 ms after the last, as the window's waits are:
//  - one sleep:   sleep_until(the moment);
//  - as the loop: a 98 ms sleep (the input wait that ends 2 ms early), then sleep_until(the
//    moment), which is how the loop slept to a timer before it waited the rest awake.
//
//   wake_latency [--wakes N]     (default 300 each, 60 s in all)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kApart = std::chrono::milliseconds(100);
constexpr auto kCoarse = std::chrono::milliseconds(98);

// Microseconds each wake came after its moment, sorted.
std::vector<double> lateness(int wakes, bool coarseFirst) {
  std::vector<double> late;
  late.reserve(static_cast<size_t>(wakes));
  for (int i = 0; i < wakes; ++i) {
    const Clock::time_point moment = Clock::now() + kApart;
    if (coarseFirst)
      std::this_thread::sleep_for(kCoarse);
    while (Clock::now() < moment)
      std::this_thread::sleep_until(moment);
    late.push_back(std::chrono::duration<double, std::micro>(Clock::now() - moment).count());
  }
  std::sort(late.begin(), late.end());
  return late;
}

void report(const char* name, const std::vector<double>& late) {
  const size_t n = late.size();
  const size_t p99 = std::min(n - 1, static_cast<size_t>(0.99 * static_cast<double>(n)));
  std::printf("%-12s median %7.1f us, p99 %7.1f us, max %7.1f us late (%zu wakes)\n", name,
              late[n / 2], late[p99], late[n - 1], n);
}
}  // namespace

int main(int argc, char** argv) {
  int wakes = 300;
  if (argc == 3 && std::string(argv[1]) == "--wakes") {
    wakes = std::atoi(argv[2]);
  } else if (argc != 1) {
    std::fputs("usage: wake_latency [--wakes N]\n", stderr);
    return 2;
  }
  if (wakes < 1) {
    std::fputs("wake_latency: --wakes needs a number from 1 on\n", stderr);
    return 2;
  }
  report("one sleep", lateness(wakes, false));
  report("as the loop", lateness(wakes, true));
  return 0;
}
