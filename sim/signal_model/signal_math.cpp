#include "signal_math.h"

#include <algorithm>
#include <cmath>

namespace signalmath {
namespace {
struct CodeRateRow {
  int fec;       // the host's code in the transponder record
  int stv0299b;  // index in the chip's status byte
  int stv0288;
};
// 3/4 stands for an automatic or unknown code.
constexpr CodeRateRow kCodeRates[] = {
    {0, 1, 2},  // automatic: 3/4
    {1, 4, 0},  // 1/2
    {2, 0, 1},  // 2/3
    {3, 1, 2},  // 3/4
    {4, 2, 3},  // 5/6
    {5, 3, 4},  // 7/8
};
constexpr double kSyncMarginDb = 0.5;

double clamp(double v, double lo, double hi) {
  return std::min(hi, std::max(lo, v));
}
}  // namespace

double pointingLossDb(double azimuthDeg, double elevationDeg, double beamwidthDeg) {
  const double angle = std::hypot(azimuthDeg, elevationDeg);
  const double ratio = angle / beamwidthDeg;
  return std::min(kSidelobeFloorDb, 12.0 * ratio * ratio);
}

uint16_t noiseValueForSnr(double snrDb) {
  return static_cast<uint16_t>(std::lround(clamp((19.2 - snrDb) / 0.0017, 0, 65535)));
}

uint8_t agc1ByteForPercent(int percent, bool inverted) {
  const int wanted = std::clamp(percent, 0, 100);
  int best = 0;
  int bestDistance = 1000;
  for (int byte = 0; byte < 256; ++byte) {
    const int a = byte > 127 ? byte - 255 : byte;
    int shown = (a * 100 + 12800) / 255;
    if (inverted)
      shown = 100 - shown;
    const int distance = std::abs(shown - wanted);
    if (distance < bestDistance) {
      best = byte;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}

uint16_t agc2ValueForPercent(int percent) {
  const int p = std::clamp(percent, 0, 100);
  // The smallest value the finder shows as p (it truncates value * 100 / 65535).
  return static_cast<uint16_t>((p * 65535 + 99) / 100);
}

uint32_t symbolRateValue(unsigned symbolsPerSecond, double divisor) {
  const double value = std::round(symbolsPerSecond / 1000.0 * divisor);
  return static_cast<uint32_t>(clamp(value, 0, 0xFFFFFF));
}

int16_t carrierOffsetValue(double offsetKHz, double clockKHz) {
  return static_cast<int16_t>(std::lround(clamp(offsetKHz * 65536.0 / clockKHz, -32768, 32767)));
}

uint16_t errorCount(double marginDb) {
  if (marginDb <= 0)
    return 65535;
  return static_cast<uint16_t>(std::lround(65535.0 * std::pow(10.0, -marginDb / 1.25)));
}

uint8_t statusByte(bool locked, double marginDb, int codeRateIndex) {
  if (!locked)
    return 0;
  if (marginDb < kSyncMarginDb)
    return 0x80;
  return static_cast<uint8_t>(0x80 | 0x10 | 0x08 | (codeRateIndex & 7));
}

int codeRateIndex(DemodChip chip, int fec) {
  const CodeRateRow* row = &kCodeRates[0];
  for (const CodeRateRow& r : kCodeRates) {
    if (r.fec == fec)
      row = &r;
  }
  return chip == DemodChip::STV0288 ? row->stv0288 : row->stv0299b;
}

uint8_t terrestrialQuality(double snrDb) {
  return static_cast<uint8_t>(std::lround(clamp(snrDb / 30.0, 0, 1) * 255));
}

int terrestrialStrength(double lossDb) {
  return static_cast<int>(std::lround(65535.0 * 0.85 * std::pow(10.0, -lossDb / 20.0)));
}

unsigned terrestrialStatus(bool locked, double marginDb) {
  if (!locked)
    return 0;
  return marginDb < kSyncMarginDb ? 0x08u : 0x48u;
}

}  // namespace signalmath
