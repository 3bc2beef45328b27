#pragma once
// The satellite signal arithmetic: register values in, display values out. No I/O and no
// widgets here, so every rounding and every band edge can be checked with a table of cases.
//
// Register values are what the readers return: the value, or -1 when the read failed.

#include <cstdint>

// What one demodulator chip is read from and how its values scale.
struct SatelliteChip {
  const char* name;
  // Register numbers on device 0x68.
  unsigned char statusRegister;      // lock bit 7, FEC bit 4, sync bit 3, code rate bits 2..0
  unsigned char agc1Register;        // one byte
  unsigned char symbolRateRegister;  // 24-bit unsigned
  unsigned char offsetRegister;      // 16-bit signed carrier offset
  unsigned char agc2Register;        // 16-bit unsigned
  unsigned char errorRegister;       // 16-bit unsigned error count
  unsigned char noiseRegister;       // 16-bit unsigned noise value
  double symbolRateDivisor;          // register value / divisor = kSym/s
  int offsetClockKHz;                // kHz per 65536 offset units
  const char* codeRates[8];          // fecBox caption, indexed by status AND 7
};

// The chip for `demodType`: 0 the STV0299B; anything else the STV0288, the chip that the
// identification assumes whenever the STV0299B does not answer.
const SatelliteChip& satelliteChip(int demodType);

// --- Mended failures: a failed read must never look like a good signal ---
// A failed status read (-1, every bit set) counts as status 0: nothing locked.
int statusOrNothing(int status);
// A failed noise read counts as the worst noise value, 65535.
int noiseOrWorst(int noise);

// --- SNR ---
// dB from the noise value: 19.2 at 0, falling 0.0017 dB per unit.
double snrDb(int noise);
// Percentage of 19.2 dB, truncated toward zero; negative below 0 dB.
int snrPercent(double snr);
// The bar never shows a negative percentage.
int snrBarPercent(int snrPct);
// Tone pitch for snr_sound: tenths of a dB, 0 below 0 dB; 0..192.
int snrTone(double snr);

enum class SnrBand { green, yellow, red, blinking };
// Above 7.5 green; 5 to 7.5 yellow; above -1 up to 5 red; -1 and below blinking.
SnrBand snrBand(double snr);
// Blink phases 0 and 1 show red, 2 to 4 magenta.
bool blinkShowsRed(int phase);
// 0, 1, 2, 3, 4, 0, ...
int nextBlinkPhase(int phase);

// --- AGC ---
// Percentage of the AGC1 byte (0..255, or -1); a byte above 127 counts as byte - 255.
// `inverted` non-zero shows 100 minus it.
int agc1Percent(int agc1Byte, int inverted);
// Percentage of the 16-bit AGC2 value, truncated.
int agc2Percent(int agc2);

// --- Errors ---
// Bar for the error count: (int)log2 of it; 0 for a count below 1 (none, or a failed read).
int berBarPercent(int errors);

// --- Frequency, symbol rate, offset ---
// The oscillator rounded to whole MHz; a remainder of exactly 500 kHz rounds down.
int roundedLOF(int lofKHz);
// The received frequency in MHz, in 125 kHz steps: oscillator plus the frontend's intermediate
// frequency, less the carrier offset scaled by the chip's offset clock.
double receivedMHz(int lofKHz, uint32_t intermediateKHz, int offset, int offsetClockKHz);
// "H" when bit 3 of the polarisation byte is set, else "V".
const char* polarisationLetter(int polarisationByte);
// Symbol rate in kSym/s (27500 for a 27.5 MSym/s carrier): the register value over the chip's
// divisor, rounded half away from zero.
double symbolRate(int registerValue, double divisor);
// The offset text's MHz: one factor for both chips.
double offsetMHz(int offset);
// Position of the offset marker, 50 at no offset, about 200 kHz of STV0299B offset per unit.
int offsetBarPosition(int offset);
// "std_green" for 40..60, "std_dyellow" for 35..39 and 61..65, "std_red" beyond.
const char* offsetBarColor(int position);

// --- Lock state ---
struct LockState {
  bool lock;  // bit 7
  bool fec;   // bits 7 and 4
  bool sync;  // bits 7, 4 and 3
};
LockState lockState(int status);
// The code-rate text while FEC is locked, else "FEC".
const char* fecCaption(const SatelliteChip& chip, int status);
