#include "terr_measurement.h"

#include <cmath>
#include <cstdint>

namespace {
constexpr int64_t kFullSignalStrength = 65535;
constexpr int64_t kFullRegisterValue = 255;
constexpr unsigned kLockBit = 0x08;
constexpr unsigned kSyncBit = 0x40;
}  // namespace

int terrSnrPercent(int q) {
  return static_cast<int>(int64_t{q} * 100 / kFullRegisterValue);
}

// |sig * 100 / 65535| stays below 3.3 million for any int, so the narrowing is exact.
int terrAgcPercent(int sig) {
  return static_cast<int>(int64_t{sig} * 100 / kFullSignalStrength);
}

int terrBerBar(int ber) {
  if (ber <= 0)
    return 0;
  return static_cast<int>(std::log2(static_cast<double>(ber)));
}

int terrLockFromStatus(unsigned status) {
  return (status & kLockBit) ? 1 : 0;
}

int terrSyncFromStatus(unsigned status) {
  return (status & kSyncBit) ? 1 : 0;
}
