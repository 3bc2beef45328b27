#pragma once
// One refresh of the finder as the simulator records it: what the finder showed (its widgets'
// texts and check boxes), the tone pitch it set, and the simulated truth behind it (the signal
// model's SNR and the dish's pointing error). Rows of the CSV file, points of the chart and the
// plot, and the peak hold are all made from these.

#include <array>
#include <cstdint>
#include <string>

// The finder's text widgets that a reading keeps, by skin name, in the CSV's column order.
inline constexpr std::array<const char*, 7> kFinderTextWidgets = {
    "snr_num", "agc1_num", "agc_num", "ber_num", "freq_num", "toffs_num", "sym_num"};

// A check box as a reading keeps it.
enum class BoxState { absent, unticked, ticked };

struct Reading {
  int64_t timeMs = 0;  // host time of the refresh
  // The text of each widget of kFinderTextWidgets; empty when the window has no such widget.
  std::array<std::string, kFinderTextWidgets.size()> texts;
  BoxState lock = BoxState::absent;
  BoxState fec = BoxState::absent;
  BoxState sync = BoxState::absent;
  std::string fecText;  // the FEC box's caption ("FEC 1/2", "FEC"); empty without the box
  // The tone: `snrSound` is the pitch the finder set at this refresh (satellite mode only).
  bool hasSnrSound = false;
  int snrSound = 0;
  bool toneOn = false;  // "Sound" is ticked and the audio device is open: the tone plays
  // The simulated truth.
  double trueSnrDb = 0;  // the signal model's SNR without the reading noise
  bool modelLocked = false;
  double azimuthDeg = 0;    // the dish's pointing error, east positive
  double elevationDeg = 0;  // up positive
};

// The number at the start of the finder's SNR text ("11.8dB" is 11.8, "63%" is 63); NaN when
// the text holds none.
double shownSnr(const Reading& reading);
