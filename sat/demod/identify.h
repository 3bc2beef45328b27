#pragma once
// Which demodulator answers, read once per window.

class my_eBeamseek;

// Satellite receiver: sets agcInverted from register 0x0F bit 7 and demodType (0 STV0299B when
// register 0x00 reads 0xA1, else 1 STV0288, a failed read included); logs three lines.
void identifySatelliteDemodulator(my_eBeamseek& window);
// Terrestrial receiver: demodType 2 when device 0x08 register 0x00 reads 70, else -1. No log.
void identifyTerrestrialDemodulator(my_eBeamseek& window);
