#pragma once
// The readings as CSV: a header row, then one row per refresh, written as they come.
//
// Columns: time_ms (host time); the finder's texts as shown (snr_num, agc1_num, agc_num,
// ber_num, freq_num, toffs_num, sym_num; empty where the window has no such widget); lock, fec
// and sync (1 ticked, 0 not, empty without the box); fec_text (the FEC box's caption);
// snr_sound (the tone's phase step the finder set) and pitch_hz (snr_sound * 11.71875), both
// empty where the finder has no tone; true_snr_db (the signal model's SNR without the reading
// noise); azimuth_error_deg and elevation_error_deg (the dish's pointing error).

#include <fstream>
#include <string>

#include "reading.h"

std::string csvHeader();
// One row, without the line end. Fields holding a comma, a quote or spaces at either end are
// quoted, with quotes doubled, so every text reads back exactly as the finder showed it.
std::string csvRow(const Reading& reading);
std::string csvField(const std::string& text);

class CsvFile {
 public:
  // Creates `path` and writes the header. False, with *error set, when it cannot.
  bool open(const std::string& path, std::string* error);
  bool isOpen() const { return out.is_open(); }
  // Appends a row and flushes it, so the file can be read while the simulator runs. False
  // once a write has failed.
  bool write(const Reading& reading);
  const std::string& path() const { return where; }

 private:
  std::ofstream out;
  std::string where;
};
