#pragma once
// The signal model's arithmetic: from a link budget (SNR, margin over the lock threshold,
// pointing loss) to the raw values a demodulator or a frontend reports. Pure functions; each
// is the inverse of how the finder turns the raw value back into something to show.

#include <cstdint>

#include "profile/profile.h"

namespace signalmath {

// Far off the satellite only the side lobes remain: the loss never exceeds this, in dB.
inline constexpr double kSidelobeFloorDb = 25.0;

// Gain lost by a pointing error, in dB (0 on target): the main lobe's parabola
// 12 * (angle / beamwidth)^2, capped at kSidelobeFloorDb. Angles in degrees, beamwidth > 0.
double pointingLossDb(double azimuthDeg, double elevationDeg, double beamwidthDeg);

// The 16-bit noise value that the satellite demodulators report for an SNR in dB
// (SNR = 19.2 - 0.0017 * value), rounded and clamped to 0..65535.
uint16_t noiseValueForSnr(double snrDb);

// The AGC1 byte (register 0x16) that the finder shows as `percent` (clamped to 0..100), when
// its register 0x0F says the AGC is inverted or not. The closest byte wins.
uint8_t agc1ByteForPercent(int percent, bool inverted);
// The AGC2 value for `percent` (clamped to 0..100): the finder shows value * 100 / 65535.
uint16_t agc2ValueForPercent(int percent);

// The 24-bit symbol-rate value for `symbolsPerSecond`, with the chip's divisor (value / divisor
// is the rate in kSym/s); clamped to 24 bits.
uint32_t symbolRateValue(unsigned symbolsPerSecond, double divisor);
// The 16-bit signed carrier offset for `offsetKHz`, with the chip's offset clock in kHz per
// 65536 units; clamped to the 16-bit range.
int16_t carrierOffsetValue(double offsetKHz, double clockKHz);

// Errors counted for a margin in dB over the lock threshold: 65535 at the threshold or below,
// a tenth for each 1.25 dB above it, 0 once it rounds away.
uint16_t errorCount(double marginDb);

// Status byte: lock bit 7; with FEC and sync (bits 4 and 3) once the margin reaches 0.5 dB; the
// code-rate index in bits 2..0 with FEC. 0 without lock.
uint8_t statusByte(bool locked, double marginDb, int codeRateIndex);

// The chip's code-rate index for the host's FEC code of a transponder (0 automatic, taken as
// 3/4; 1 1/2, 2 2/3, 3 3/4, 4 5/6, 5 7/8; any other code as 3/4).
int codeRateIndex(DemodChip chip, int fec);

// Terrestrial readings.
// Register 0x1C of the terrestrial demodulator: 0..255 for an SNR of 0..30 dB.
uint8_t terrestrialQuality(double snrDb);
// SignalStrength(): 65535 is full strength; 85 % of it on target, falling with the loss.
int terrestrialStrength(double lossDb);
// Status(): lock bit 3, sync bit 6 (with 0.5 dB margin).
unsigned terrestrialStatus(bool locked, double marginDb);

}  // namespace signalmath
