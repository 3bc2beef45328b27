#include "measurement.h"

#include <cmath>

namespace {
// The divisors keep the decimal digits the chips were calibrated with; 190.65018 is close to,
// but not, 2^24 / 88000, and the displayed symbol rates depend on the difference.
const SatelliteChip kChips[] = {
    {"STV0299B",
     0x1B,
     0x16,
     0x1F,
     0x22,
     0x18,
     0x1D,
     0x24,
     190.65018,
     88000,
     {"FEC 2/3", "FEC 3/4", "FEC 5/6", "FEC 7/8", "FEC 1/2", "FEC 5?", "FEC 6?", "FEC 7?"}},
    {"STV0288",
     0x24,
     0x16,
     0x28,
     0x2B,
     0x20,
     0x26,
     0x2D,
     167.77216,
     100000,
     {"FEC 1/2", "FEC 2/3", "FEC 3/4", "FEC 5/6", "FEC 7/8", "FEC 5?", "FEC 6?", "FEC 7?"}},
};

constexpr int kWorstNoise = 65535;
constexpr double kFullScaleSnrDb = 19.2;
constexpr double kDbPerNoiseUnit = -0.0017;

constexpr int kLockBit = 0x80;
constexpr int kFecBit = 0x10;
constexpr int kSyncBit = 0x08;
}  // namespace

const SatelliteChip& satelliteChip(int demodType) {
  return demodType == 0 ? kChips[0] : kChips[1];
}

int statusOrNothing(int status) {
  return status < 0 ? 0 : status;
}
int noiseOrWorst(int noise) {
  return noise < 0 ? kWorstNoise : noise;
}

double snrDb(int noise) {
  return noise * kDbPerNoiseUnit + kFullScaleSnrDb;
}
int snrPercent(double snr) {
  return static_cast<int>(snr * 100 / kFullScaleSnrDb);
}
int snrBarPercent(int snrPct) {
  return snrPct < 0 ? 0 : snrPct;
}
int snrTone(double snr) {
  return snr >= 0 ? static_cast<int>(snr * 10) : 0;
}

SnrBand snrBand(double snr) {
  if (snr > 7.5)
    return SnrBand::green;
  if (snr >= 5 && snr <= 7.5)
    return SnrBand::yellow;
  if (snr > -1 && snr < 5)
    return SnrBand::red;
  return SnrBand::blinking;
}

bool blinkShowsRed(int phase) {
  return phase <= 1;
}
int nextBlinkPhase(int phase) {
  return phase <= 3 ? phase + 1 : 0;
}

int agc1Percent(int agc1Byte, int inverted) {
  // The chip's byte is two's-complement-like around 128; the -255 (not -256) keeps 255 at 50 %.
  const int a = agc1Byte > 127 ? agc1Byte - 255 : agc1Byte;
  const int percent = (a * 100 + 12800) / 255;
  return inverted ? 100 - percent : percent;
}

int agc2Percent(int agc2) {
  return agc2 * 100 / 65535;
}

int berBarPercent(int errors) {
  // log2 is -inf at 0 and NaN below; an empty bar is what no errors (or no reading) looks like.
  if (errors < 1)
    return 0;
  return static_cast<int>(std::log2(static_cast<double>(errors)));
}

int roundedLOF(int lofKHz) {
  const int remainder = lofKHz - 1000 * (lofKHz / 1000);
  return lofKHz - remainder + (remainder > 500 ? 1000 : 0);
}

double receivedMHz(int lofKHz, uint32_t intermediateKHz, int offset, int offsetClockKHz) {
  const uint32_t f = static_cast<uint32_t>(roundedLOF(lofKHz)) + intermediateKHz;
  // In double: offset times clock exceeds 32 bits for large offsets on the STV0288.
  const double offKHz = offset * static_cast<double>(offsetClockKHz) / 65536.0;
  return std::round((static_cast<double>(f) - offKHz) / 125) * 0.125;
}

const char* polarisationLetter(int polarisationByte) {
  return (polarisationByte & 0x08) ? "H" : "V";
}

double symbolRate(int registerValue, double divisor) {
  return std::round(registerValue / divisor);
}

double offsetMHz(int offset) {
  return offset * 1.34277 / 1000;
}

int offsetBarPosition(int offset) {
  return (offset * 6715 + 50000000) / 1000000;
}

const char* offsetBarColor(int position) {
  if (position >= 40 && position <= 60)
    return "std_green";
  if ((position >= 35 && position <= 39) || (position >= 61 && position <= 65))
    return "std_dyellow";
  return "std_red";
}

LockState lockState(int status) {
  const bool lock = (status & kLockBit) != 0;
  const bool fec = lock && (status & kFecBit) != 0;
  const bool sync = fec && (status & kSyncBit) != 0;
  return {lock, fec, sync};
}

const char* fecCaption(const SatelliteChip& chip, int status) {
  return lockState(status).fec ? chip.codeRates[status & 7] : "FEC";
}
