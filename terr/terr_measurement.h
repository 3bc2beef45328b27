#pragma once
// The arithmetic of one terrestrial refresh: raw frontend and demodulator readings to what the
// bars, numbers and check boxes show. Pure functions, defined for every input value.

// SNR percentage from register 0x1C of the terrestrial demodulator (0..255, or -1 for a failed
// read): q * 100 / 255, truncated towards zero. A failed read shows as 0.
int terrSnrPercent(int q);

// AGC percentage from the frontend's signal strength, 65535 being full strength:
// sig * 100 / 65535, truncated towards zero and not limited to 0..100 (70000 gives 106).
// Computed wide so that no signal strength overflows.
int terrAgcPercent(int sig);

// BER bar value: the base-2 logarithm of the bit-error count, truncated towards zero. A count
// of 0 or below has no logarithm and gives 0, the same as a count of 1 (no errors to speak of).
int terrBerBar(int ber);

// Frontend status bits: lock is bit 3 (8), sync is bit 6 (64). 1 when set, else 0.
int terrLockFromStatus(unsigned status);
int terrSyncFromStatus(unsigned status);
