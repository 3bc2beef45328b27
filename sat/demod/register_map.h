#pragma once
// Every demodulator register the plug-in reads, in one table. Addresses are 7-bit I2C
// addresses: 0x68 the satellite demodulator; 0x08 a second device (on a satellite receiver a
// byte whose bit 3 is the polarisation, on a terrestrial one the terrestrial demodulator).

#include <cstdint>

inline constexpr unsigned long kSatDemodAddress = 0x68;
inline constexpr unsigned long kSecondDeviceAddress = 0x08;

enum class Chip { STV0299B, STV0288, both, satelliteReceiver, terrestrial };

struct RegisterUse {
  unsigned long address;
  int reg;    // -1: a plain one-byte read with no register number
  int width;  // bytes, most significant first
  bool isSigned;
  Chip chip;
  const char* meaning;
};

inline constexpr RegisterUse kRegisterMap[] = {
    {0x68, 0x00, 1, false, Chip::both, "identification: 0xA1 STV0299B, else STV0288"},
    {0x68, 0x0F, 1, false, Chip::both, "bit 7: AGC1 percentage shown inverted"},
    {0x68, 0x1B, 1, false, Chip::STV0299B, "status: lock bit 7, FEC bit 4, sync bit 3, rate 2..0"},
    {0x68, 0x24, 1, false, Chip::STV0288, "status, same bits, own code-rate table"},
    {0x68, 0x16, 1, false, Chip::both, "AGC1 level; above 127 taken as value - 255"},
    {0x68, 0x1F, 3, false, Chip::STV0299B, "symbol rate: value / 190.65018 kSym/s"},
    {0x68, 0x28, 3, false, Chip::STV0288, "symbol rate: value / 167.77216 kSym/s"},
    {0x68, 0x22, 2, true, Chip::STV0299B, "carrier offset: value * 88000 / 65536 kHz"},
    {0x68, 0x2B, 2, true, Chip::STV0288, "carrier offset: value * 100000 / 65536 kHz"},
    {0x68, 0x18, 2, false, Chip::STV0299B, "AGC2 level: value * 100 / 65535 %"},
    {0x68, 0x20, 2, false, Chip::STV0288, "AGC2 level"},
    {0x68, 0x1D, 2, false, Chip::STV0299B, "error count"},
    {0x68, 0x26, 2, false, Chip::STV0288, "error count"},
    {0x68, 0x24, 2, false, Chip::STV0299B, "noise: SNR dB = 19.2 - 0.0017 * value"},
    {0x68, 0x2D, 2, false, Chip::STV0288, "noise, same formula"},
    {0x08, -1, 1, false, Chip::satelliteReceiver, "bit 3 set: polarisation H, clear: V"},
    {0x08, 0x00, 1, false, Chip::terrestrial, "identification: 70 = terrestrial demodulator"},
    {0x08, 0x1C, 1, false, Chip::terrestrial, "SNR percentage = value * 100 / 255"},
};

// Identification values.
inline constexpr int kStv0299bId = 0xA1;
inline constexpr int kTerrestrialDemodId = 70;
