#pragma once
// The frontend's own view of where it is tuned: the intermediate frequency, in kHz, counted
// from the LNB oscillator.

#include <cstdint>

// Opens the frontend device, asks FE_GET_FRONTEND and closes it again. True with `kHz` set
// when the driver answered; false otherwise, after logging why ("... Fehler beim öffnen von
// DEMOD" when the device did not open, then "Fehler bein FE_GET_FRONTEND" in every failed
// case). `kHz` is left untouched on failure.
bool queryIntermediateFrequency(uint32_t* kHz);
