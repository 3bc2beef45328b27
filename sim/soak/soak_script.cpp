#include "soak_script.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {
constexpr long kRefreshMs = 250;
const char* const kDevices[] = {"i2c", "frontend", "audio"};
const char* const kOperations[] = {"open", "select", "write", "read", "short-read", "ioctl"};
constexpr int kFaults = 3 * 6;
// Every satellite of the built-in receiver lists at least this many transponders.
constexpr uint32_t kSafeTransponders = 3;
constexpr uint32_t kSatellites = 2;

// A small generator whose sequence is the same on every platform (xorshift32).
class Random {
 public:
  explicit Random(uint32_t seed) : state(seed ? seed : 1) {}
  uint32_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  uint32_t below(uint32_t n) { return next() % n; }

 private:
  uint32_t state;
};
}  // namespace

std::string soakScript(const SoakPlan& plan) {
  Random random(plan.seed);
  std::ostringstream out;
  out << "# soak: " << plan.refreshes << " refreshes, seed " << plan.seed << "\n";
  out << "toggle sound\n";
  std::vector<bool> faulty(kFaults, false);
  const long totalMs = plan.refreshes * kRefreshMs;
  long elapsedMs = 0;
  while (elapsedMs < totalMs) {
    // Mostly up to a few refreshes between two actions, one time in eight up to ten seconds.
    const uint32_t halfPeriods = 1 + random.below(random.below(8) == 0 ? 40 : 8);
    const long waitMs = std::min<long>(totalMs - elapsedMs,
                                       halfPeriods * kRefreshMs / 2 + random.below(kRefreshMs / 2));
    out << "wait " << waitMs << "\n";
    elapsedMs += waitMs;
    switch (random.below(10)) {
      case 0:
      case 1:
      case 2: {
        const uint32_t f = random.below(kFaults);
        faulty[f] = !faulty[f];
        out << "fault " << kDevices[f / 6] << " " << kOperations[f % 6] << " "
            << (faulty[f] ? "on" : "off") << "\n";
        break;
      }
      case 3:
        out << "select transponder " << random.below(kSafeTransponders) << "\n";
        break;
      case 4:
        out << "select sat " << random.below(kSatellites) << "\n";
        break;
      case 5:
        out << "key green\n";
        break;
      case 6:
        out << "toggle sound\n";
        break;
      default:
        // Tenths of a degree up to 3 degrees off, either way: from locked on the peak to lost.
        out << "dish " << (static_cast<int>(random.below(61)) - 30) / 10.0 << " "
            << (static_cast<int>(random.below(21)) - 10) / 10.0 << "\n";
        break;
    }
  }
  for (int f = 0; f < kFaults; ++f) {
    if (faulty[f])
      out << "fault " << kDevices[f / 6] << " " << kOperations[f % 6] << " off\n";
  }
  return out.str();
}
